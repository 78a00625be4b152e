#include "ui/mainwindow/MainWindow.h"
#include "ui/mainwindow/PageControl.h"
#include "ui/pages/edid/EdidPageBinding.h"

namespace ui {

// Bound after the device status, whose presenter answers the output link queries.
void TForm1::bindEdidPage() {
    edidPage_ = std::make_unique<EdidPageBinding>(
        *pcContainer_,
        EdidPageBinding::Services{
            *runner_, *link_, flags_, DeviceStatus(), [this] { btnConnectClick(); }, dialogs_,
            [this](int panel, const QString& text, bool alert) { ShowStatus(panel, text, alert); },
            [this] { return portTags(); }});
}

}  // namespace ui
