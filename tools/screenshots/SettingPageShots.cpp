#include "SettingPageShots.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/ProgramWindows.h"
#include "ui/presenters/setting/PortEntryText.h"

namespace {

config::PortTags shownTags(const ui::TForm1& form) {
    config::PortTags tags;
    for (int port = 1; port <= config::kTaggedPortCount; ++port) {
        tags.inputs[port - 1] =
            form.findChild<QLineEdit*>(QStringLiteral("leInput%1Tag").arg(port))->text();
        tags.outputs[port - 1] =
            form.findChild<QLineEdit*>(QStringLiteral("leOutput%1Tag").arg(port))->text();
    }
    return tags;
}

bool shoot(QWidget& window, const QString& name,
           const std::function<bool(QWidget&, const QString&)>& save) {
    window.show();
    QApplication::processEvents();
    const bool saved = save(window, name);
    window.hide();
    return saved;
}

}  // namespace

void addSampleTags(const QString& settingsPath) {
    QFile settings(settingsPath);
    if (!settings.open(QIODevice::Append)) return;
    settings.write(
        "[Tag of Input - COM]\nIn1=Blu-ray player\nIn2=DVD\nIn5=Meeting room PC\n"
        "[Tag of Output - COM]\nOut1=Lobby TV\nOut3=Projector\n"
        "[In device name]\nDevice1=Blu-ray player\nDevice2=DVD\nDevice3=Meeting room PC\n"
        "Device4=Camera\n"
        "[Pre-Setting name]\nSetting1=Morning\nSetting2=All from DVD\n"
        "[Pre-Setting value]\nvalue1=3,4\nvalue2=2,2,2,2,2,2\n");
}

bool shootTagDialogs(const ui::ProgramWindows& windows,
                     const std::function<bool(QWidget&, const QString&)>& save) {
    const config::PortTags tags = shownTags(windows.form1());
    ui::TfrmPreSettingEdit& edit = windows.preSettingEdit();
    edit.arrangeOutputSetting(
        ui::OutputSettingEdit::forRow(1, QStringLiteral("Morning"), {3, 4, 1, 2, 3, 4}, tags));
    bool ok = shoot(edit, QStringLiteral("dialog-pre-setting-output"), save);

    ui::PortTagEditor inputs(ui::PortTagEditor::Kind::Inputs);
    inputs.setHistory({QStringLiteral("Blu-ray player"), QStringLiteral("DVD"),
                       QStringLiteral("Meeting room PC"), QStringLiteral("Camera")});
    edit.arrangeTagForm(inputs, tags.inputs);
    ok = shoot(edit, QStringLiteral("dialog-pre-setting-input-tags"), save) && ok;

    ui::TfrmShowInOutInfo& info = windows.showInOutInfo();
    info.showLines(ui::tagListLines(tags));
    return shoot(info, QStringLiteral("dialog-show-in-out-info"), save) && ok;
}
