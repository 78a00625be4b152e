#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>

#include "settings/SettingsFile.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/edid/EdidPageBinding.h"
#include "ui/pages/porttag/PortTagBinding.h"
#include "ui/pages/setting/SettingPageBinding.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

void selectOrFirst(QComboBox* list, const QString& text) {
    const int index = list->findText(text, Qt::MatchExactly);
    list->setCurrentIndex(index >= 0 ? index : (list->count() > 0 ? 0 : -1));
}

}  // namespace

void TForm1::LoadSettings() {
    storedSettings_ = loadSettings(settingsPath_);
    {
        const QSignalBlocker comBlocker(rbCOMMode_);
        const QSignalBlocker lanBlocker(rbLANMode_);
        (storedSettings_.controlModeLan ? rbLANMode_ : rbCOMMode_)->setChecked(true);
    }
    if (storedSettings_.controlModeLan) {
        rbLANModeClick();
    } else {
        rbCOMModeClick();
    }
    link_->SetComPort(storedSettings_.comPortName);
    selectOrFirst(cbCOMList_, storedSettings_.comPortName);
    LoadPortTags(link_->ControlMode(), currentDeviceMAC_);
    edidPage_->loadChoices(storedSettings_.edid);
    settingPage_->loadPresets(storedSettings_);
    portTagPage_->loadHistories(storedSettings_);
    cbDisplayTag_->setChecked(storedSettings_.displayTag);
}

SettingsData TForm1::settingsFromControls() const {
    SettingsData data = storedSettings_;
    data.controlModeLan = rbLANMode_->isChecked();
    data.comPortName = cbCOMList_->currentText();
    data.displayTag = cbDisplayTag_->isChecked();
    settingPage_->storePresets(data);
    portTagPage_->storeHistories(data);
    data.edid = edidPage_->choices();
    return data;
}

void TForm1::SaveSettings() {
    const ConnectionTags tags{comMode(), currentDeviceMAC_, portTags()};
    if (const auto failure = saveSettings(settingsPath_, settingsFromControls(), tags)) {
        dialogs_.error(*failure);
    }
}

void TForm1::LoadPortTags(devlink::TControlMode mode, const QString& mac) {
    const PortTags tags = loadPortTags(settingsPath_, mode == devlink::cmCOM, mac);
    for (int port = 0; port < kTaggedPortCount; ++port) {
        inputTags_[port]->setText(tags.inputs[port]);
        outputTags_[port]->setText(tags.outputs[port]);
    }
}

void TForm1::SavePortTags(devlink::TControlMode mode, const QString& mac) {
    if (const auto failure =
            savePortTags(settingsPath_, {mode == devlink::cmCOM, mac, portTags()})) {
        dialogs_.error(*failure);
    }
}

PortTags TForm1::portTags() const {
    PortTags tags;
    for (int port = 0; port < kTaggedPortCount; ++port) {
        tags.inputs[port] = inputTags_[port]->text();
        tags.outputs[port] = outputTags_[port]->text();
    }
    return tags;
}

void TForm1::clearPortTags() {
    for (int port = 0; port < kTaggedPortCount; ++port) {
        inputTags_[port]->clear();
        outputTags_[port]->clear();
    }
}

}  // namespace ui
