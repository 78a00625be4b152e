#include <QApplication>

#include "MainWindow.h"
#include "ProgramWindows.h"
#include "SystemServices.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::SystemServices services;
    ui::ProgramWindows windows(services.environment());
    windows.form1().show();
    return app.exec();
}
