// The floor for window-bench: the window's first view, the General page under its tab row with a
// status bar, built from the program's own page class but with none of the program's logic (no
// link, settings or presenters). What the real window takes beyond this is the program's doing.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTabWidget>

#include "ui/pages/general/GeneralPage.h"
#include "ui/presenters/Dialogs.h"

namespace {

class NoDialogs final : public ui::Dialogs {
public:
    void information(const QString&) override {}
    void error(const QString&) override {}
    bool question(const QString&) override { return false; }
    QString openFileName(const QString&) override { return {}; }
    QString saveFileName(const QString&) override { return {}; }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    NoDialogs dialogs;
    QMainWindow window;
    auto* tabs = new QTabWidget(&window);
    tabs->addTab(new ui::GeneralPage(dialogs), QStringLiteral("General"));
    for (const char* title : {"Port Tag", "Setting", "EDID control", "Advanced", "FW upgrade"})
        tabs->addTab(new QWidget, QString::fromLatin1(title));
    window.setCentralWidget(tabs);
    window.statusBar()->showMessage(QStringLiteral("Ready"));
    window.show();
    return app.exec();
}
