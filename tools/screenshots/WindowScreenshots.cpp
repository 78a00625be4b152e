// Writes a PNG of every page of the main window and of the small dialogs into the folder given
// on the command line, on the offscreen platform unless another one is chosen.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include "SettingPageShots.h"
#include "SimulatedSwitcher.h"
#include "ui/dialogs/EnterYes.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/platform/SystemServices.h"
#include "ui/presenters/general/DeviceStatusPresenter.h"

namespace {

bool save(QWidget& widget, const QDir& folder, const QString& name) {
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    QTextStream(saved ? stdout : stderr) << (saved ? "wrote " : "cannot write ") << path << '\n';
    return saved;
}

// The "EDID control" tab with the EDID of the display on output 1 read into its grid.
void readFirstOutputEdid(const QWidget& form) {
    form.findChild<QComboBox*>(QStringLiteral("cbReadEDIDDataOutput"))->setCurrentIndex(1);
    form.findChild<QPushButton*>(QStringLiteral("btnReadEDIDData"))->click();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: window-screenshots <folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(folder.path())) return 1;

    // The pictures must not depend on, or change, the operator's own settings.
    QTemporaryDir settingsDir;
    ui::SystemServices services;
    ui::TForm1Environment environment = services.environment();
    environment.settingsPath = settingsDir.filePath(QStringLiteral("Settings.ini"));
    SimulatedSwitcher switcher;
    switcher.attach(environment);
    addSampleTags(environment.settingsPath);
    switcher.state().routes = {3, 1, 4, 1, 5, 2};
    // Options that differ from the form's own, so the "Advanced" tab shows what was read.
    switcher.state().irOn = false;
    switcher.state().apmOn = true;
    ui::ProgramWindows windows(std::move(environment));
    ui::TForm1& form = windows.form1();
    form.show();
    auto* pages = form.findChild<ui::TPageControl*>(QStringLiteral("pcContainer"));
    // The pages not showing and the dialogs come once the window has painted.
    while (!pages->page(pages->count() - 1)) QApplication::processEvents();
    form.DeviceStatus().RefreshDeviceStatus();
    readFirstOutputEdid(form);

    bool ok = true;
    for (int page = 0; page < pages->count(); ++page) {
        pages->setCurrentIndex(page);
        QApplication::processEvents();
        const QString name =
            pages->tabText(page).toLower().replace(QLatin1Char(' '), QLatin1Char('-'));
        ok = save(form, folder, QStringLiteral("tab%1-%2").arg(page + 1).arg(name)) && ok;
    }
    windows.enterYes().show();
    QApplication::processEvents();
    ok = save(windows.enterYes(), folder, QStringLiteral("dialog-enter-yes")) && ok;
    ok = shootTagDialogs(windows,
                         [&folder](QWidget& window, const QString& name) {
                             return save(window, folder, name);
                         }) &&
         ok;
    return ok ? 0 : 1;
}
