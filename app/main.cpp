#include <QApplication>

#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/platform/SystemServices.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::SystemServices services;
    ui::ProgramWindows windows(services.environment());
    windows.form1().show();
    return app.exec();
}
