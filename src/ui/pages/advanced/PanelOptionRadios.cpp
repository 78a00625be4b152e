#include "ui/pages/advanced/PanelOptionRadios.h"

#include <QRadioButton>

#include "ui/pages/RequiredChild.h"
#include "ui/pages/advanced/PanelOptionControls.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"

namespace ui {

PanelOptionRadios::PanelOptionRadios(const QWidget& page, StatusWriter showStatus)
    : page_(page), showStatus_(std::move(showStatus)) {}

QRadioButton* PanelOptionRadios::radio(PanelOption option, OptionRadio which) const {
    const PanelOptionControls controls = ControlsOf(option);
    return requiredChild<QRadioButton>(
        page_, which == OptionRadio::On ? controls.onRadio : controls.offRadio);
}

void PanelOptionRadios::connectClicks(PanelOptionsPresenter& presenter) {
    for (const PanelOption option : kPanelOptions) {
        for (const OptionRadio which : {OptionRadio::Off, OptionRadio::On}) {
            QRadioButton* button = radio(option, which);
            QObject::connect(button, &QRadioButton::toggled, button,
                             [&presenter, option, which](bool selected) {
                                 if (selected) presenter.RadioClick(option, which);
                             });
        }
    }
}

void PanelOptionRadios::setOptionOn(PanelOption option, bool on) {
    radio(option, on ? OptionRadio::On : OptionRadio::Off)->setChecked(true);
}

bool PanelOptionRadios::isOptionOn(PanelOption option) const {
    return radio(option, OptionRadio::On)->isChecked();
}

void PanelOptionRadios::setOptionEnabled(PanelOption option, bool enabled) {
    radio(option, OptionRadio::Off)->setEnabled(enabled);
    radio(option, OptionRadio::On)->setEnabled(enabled);
}

void PanelOptionRadios::focusOptionRadio(PanelOption option, OptionRadio which) {
    radio(option, which)->setFocus();
}

void PanelOptionRadios::showStatus(int panel, const QString& text, bool alert) {
    showStatus_(panel, text, alert);
}

}  // namespace ui
