#include "ui/pages/setting/RoutingPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QLabel>
#include <QMenu>

#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/pages/RequiredChild.h"
#include "ui/presenters/setting/PortEntryText.h"
#include "ui/presenters/setting/RoutingPresenter.h"
#include "widgets/Lcd99.h"

namespace ui {

namespace {

constexpr int kPopupBelowMouse = 28;

}  // namespace

RoutingPanel::RoutingPanel(QWidget& page, Sources sources)
    : sources_(std::move(sources)),
      lblNote_(requiredChild<QLabel>(page, "lblNote")),
      pm_(requiredChild<QMenu>(page, "pm")) {
    for (int output = 1; output <= kOutputs; ++output) {
        leds_[output - 1] =
            requiredChild<widgets::TLCD99>(page, qPrintable(QStringLiteral("LED%1").arg(output)));
    }
    for (QAbstractButton* button : page.findChildren<QAbstractButton*>()) {
        const QVariant groupIndex = button->property("GroupIndex");
        if (!groupIndex.isValid()) continue;
        routeButtons_.push_back(button);
        const int output = groupIndex.toInt();
        const int input = button->property("Tag").toInt();
        if (isOutput(output) && input >= 1 && input <= kInputs) {
            inputs_[output - 1][input - 1] = button;
        }
    }
    for (const auto& group : inputs_) {
        for (QAbstractButton* button : group) {
            if (!button) qFatal("RoutingPanel: an input button is missing");
        }
    }
}

void RoutingPanel::windowShown() {
    for (widgets::TLCD99* led : leds_) led->setDigitNum(1);
    requiredChild<QAction>(*pm_, "mnuAllOutputs")
        ->setProperty("Tag", RoutingPresenter::kAllOutputsTag);
}

QAbstractButton* RoutingPanel::inputButton(int output, int input) const {
    if (!isOutput(output) || input < 1 || input > kInputs) return nullptr;
    return inputs_[output - 1][input - 1];
}

void RoutingPanel::setDigitText(int output, const QString& text) {
    if (!isOutput(output)) return;
    leds_[output - 1]->setValue(text);
    leds_[output - 1]->repaint();
}

void RoutingPanel::setButtonDown(int output, int input) {
    QAbstractButton* button = inputButton(output, input);
    if (!button) return;
    button->setChecked(true);
    button->repaint();
}

void RoutingPanel::setNoButtonDown(int output) {
    if (!isOutput(output)) return;
    // An exclusive group keeps one button down; it lets go only while not exclusive.
    QButtonGroup* group = inputs_[output - 1][0]->group();
    QAbstractButton* down = group->checkedButton();
    if (!down) return;
    group->setExclusive(false);
    down->setChecked(false);
    group->setExclusive(true);
    down->repaint();
}

void RoutingPanel::setNoteText(const QString& text) {
    lblNote_->setText(text);
}

void RoutingPanel::showInOutInfo() {
    TfrmShowInOutInfo& info = sources_.infoPopup();
    info.showLines(tagListLines(sources_.portTags()));
    info.move(sources_.mousePosition() + QPoint(0, kPopupBelowMouse));
    info.show();
    info.repaint();
}

void RoutingPanel::closeInOutInfo() {
    TfrmShowInOutInfo& info = sources_.infoPopup();
    if (info.isVisible()) info.close();
}

}  // namespace ui
