#include "ui/mainwindow/MainWindow.h"
#include "ui/pages/general/DeviceStatusBinding.h"

namespace ui {

void TForm1::bindDeviceStatus(devlink::LinkClock& clock) {
    deviceStatus_ = std::make_unique<DeviceStatusBinding>(
        *pcContainer_,
        DeviceStatusBinding::Services{*runner_, flags_, clock, dialogs_,
                                      [this](int panel, const QString& text, bool alert) {
                                          ShowStatus(panel, text, alert);
                                      }});
}

bool TForm1::PowerOn() const {
    return deviceStatus_->status().PowerOn();
}

DeviceStatusPresenter& TForm1::DeviceStatus() {
    return deviceStatus_->status();
}

}  // namespace ui
