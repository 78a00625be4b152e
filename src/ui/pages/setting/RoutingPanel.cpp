#include "ui/pages/setting/RoutingPanel.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QCursor>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "ui/dialogs/ShowInOutInfo.h"
#include "ui/pages/PortControls.h"
#include "ui/presenters/setting/PortEntryText.h"
#include "ui/presenters/setting/RoutingPresenter.h"
#include "widgets/Lcd99.h"

namespace ui {

namespace {

constexpr int kPopupBelowMouse = 28;
constexpr int kFlashMs = 1500;

void setFlashed(QGroupBox* group, bool on) {
    group->setProperty("flashed", on);
    // A dynamic property takes effect in the style sheet only once the style is applied again.
    group->style()->unpolish(group);
    group->style()->polish(group);
}

}  // namespace

RoutingPanel::RoutingPanel(const RoutingWidgets& widgets, TabWindow& window)
    : widgets_(widgets), window_(window) {}

void RoutingPanel::windowShown() {
    for (widgets::TLCD99* led : widgets_.leds) led->setDigitNum(1);
    setTag(widgets_.mnuAllOutputs, RoutingPresenter::kAllOutputsTag);
}

QAbstractButton* RoutingPanel::inputButton(int output, int input) const {
    if (!isOutput(output) || input < 1 || input > kInputs) return nullptr;
    return widgets_.inputButtons[output - 1][input - 1];
}

void RoutingPanel::setDigitText(int output, const QString& text) {
    if (!isOutput(output)) return;
    widgets_.leds[output - 1]->setValue(text);
    widgets_.leds[output - 1]->repaint();
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
    QButtonGroup* group = widgets_.inputButtons[output - 1][0]->group();
    QAbstractButton* down = group->checkedButton();
    if (!down) return;
    group->setExclusive(false);
    down->setChecked(false);
    group->setExclusive(true);
    down->repaint();
}

void RoutingPanel::setNoteText(const QString& text) {
    widgets_.lblNote->setText(text);
}

void RoutingPanel::showInOutInfo() {
    TfrmShowInOutInfo& info = window_.inOutInfoPopup();
    info.showLines(tagListLines(window_.portTags()));
    info.move(QCursor::pos() + QPoint(0, kPopupBelowMouse));
    info.show();
    info.repaint();
}

void RoutingPanel::closeInOutInfo() {
    TfrmShowInOutInfo& info = window_.inOutInfoPopup();
    if (info.isVisible()) info.close();
}

void RoutingPanel::flashOutput(int output) {
    if (!isOutput(output)) return;
    QGroupBox* group = widgets_.outputGroups[output - 1];
    setFlashed(group, true);
    QTimer::singleShot(kFlashMs, group, [group] { setFlashed(group, false); });
}

}  // namespace ui
