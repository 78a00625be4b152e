#include "ui/pages/general/DeviceStatusBinding.h"

#include <QPushButton>

#include "ui/mainwindow/PageControl.h"
#include "ui/pages/RequiredChild.h"

namespace ui {

DeviceStatusBinding::DeviceStatusBinding(TPageControl& pages, Services services)
    : labels_(*requiredChild<QWidget>(pages, "tsGeneral"), services.dialogs, services.showStatus),
      radios_(*requiredChild<QWidget>(pages, "tsIR"), services.showStatus),
      options_(services.runner, services.flags, radios_, [this] { return status_.PowerOn(); }),
      status_(services.runner, services.clock, labels_, options_) {
    radios_.connectClicks(options_);
    auto* refresh = requiredChild<QPushButton>(pages, "btnGetDevStatus");
    QObject::connect(refresh, &QPushButton::clicked, refresh,
                     [this] { status_.RefreshDeviceStatus(); });
    auto* power = requiredChild<QPushButton>(pages, "bbPower");
    QObject::connect(power, &QPushButton::clicked, power, [this] { status_.bbPowerClick(); });
    QWidget* advanced = requiredChild<QWidget>(pages, "tsIR");
    QObject::connect(&pages, &TPageControl::pageChanged, advanced,
                     [this, &pages, advanced](int index) {
                         if (pages.widget(index) == advanced) options_.tsIRShow();
                     });
}

}  // namespace ui
