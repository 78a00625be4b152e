#include <QCheckBox>

#include "ui/dialogs/PreSettingEdit.h"
#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/pages/RequiredChild.h"
#include "ui/pages/porttag/PortTagBinding.h"
#include "ui/pages/setting/SettingPageBinding.h"

namespace ui {

// The dialogs are created after this window (ProgramWindows), so they are looked up when used.
void TForm1::bindSettingAndPortTagPages() {
    const auto editDialog = [this]() -> TfrmPreSettingEdit& {
        return *requiredChild<TfrmPreSettingEdit>(*this, "TfrmPreSettingEdit");
    };
    settingPage_ = std::make_unique<SettingPageBinding>(
        *pcContainer_, SettingPageBinding::Services{
                           *runner_, commandHooks(), [this] { return portTags(); },
                           [this] { return cbDisplayTag_->isChecked(); }, editDialog,
                           [this]() -> TfrmShowInOutInfo& {
                               return *requiredChild<TfrmShowInOutInfo>(*this, "TfrmShowInOutInfo");
                           }});
    portTagPage_ = std::make_unique<PortTagBinding>(
        *this, PortTagBinding::Services{
                   dialogs_, [this] { SavePortTags(link_->ControlMode(), currentDeviceMAC_); },
                   editDialog});
}

void TForm1::showSettingAndPortTagPages() {
    settingPage_->windowShown();
}

bool TForm1::RouteFailed() const {
    return settingPage_->routing().routeFailed();
}

}  // namespace ui
