#include "ui/presenters/setting/RoutingPresenter.h"

#include <algorithm>

#include "core/OperationResult.h"
#include "core/operations/StatusReads.h"
#include "ui/presenters/setting/PortEntryText.h"

namespace ui {

namespace {

using Presenter = RoutingPresenter;

bool isPort(int port) {
    return port >= 1 && port <= Presenter::kPortCount;
}

bool isButton(int input) {
    return input >= 1 && input <= Presenter::kButtonCount;
}

QString digitText(int input) {
    return input == 0 ? QStringLiteral("-") : QString::number(input);
}

// The input an arrow selects; a display outside 1 to 6 counts as having passed the end.
int arrowInput(int current, bool next) {
    const int candidate = next ? current + 1 : current - 1;
    if (isPort(candidate)) return candidate;
    return next ? 1 : Presenter::kPortCount;
}

}  // namespace

RoutingPresenter::RoutingPresenter(core::CommandRunner& runner, RoutingView& view)
    : runner_(runner), view_(view) {
    shown_.fill(kDesignInput);
    down_.fill(kDesignInput);
}

int RoutingPresenter::shownInput(int output) const {
    return isPort(output) ? shown_[output - 1] : 0;
}

int RoutingPresenter::downButton(int output) const {
    return isPort(output) ? down_[output - 1] : 0;
}

void RoutingPresenter::show(int output, int input) {
    if (isButton(input)) {
        down_[output - 1] = input;
        shown_[output - 1] = input;
        view_.setButtonDown(output, input);
    } else {
        down_[output - 1] = 0;
        shown_[output - 1] = 0;
        view_.setNoButtonDown(output);
    }
    view_.setDigitText(output, digitText(shown_[output - 1]));
}

devlink::FailureKind RoutingPresenter::sbSetInputClick(int output, int input) {
    if (!isPort(output) || !isPort(input)) {
        // A port the switcher lacks is refused here, before anything is sent.
        routeFailed_ = true;
        return devlink::FailureKind::Refused;
    }
    const int previous = shown_[output - 1];
    show(output, input);
    const devlink::FailureKind failure = core::FailureOf(runner_.Run(devlink::MakeCommand(
        devlink::Command::SetRoute, static_cast<quint16>(input), static_cast<quint16>(output))));
    if (failure == devlink::FailureKind::None) return failure;
    show(output, previous);
    routeFailed_ = true;
    return failure;
}

void RoutingPresenter::sbPreviousClick(int arrowTag) {
    const int output = (arrowTag + 1) / 2;
    if (arrowTag < 1 || !isPort(output)) return;
    sbSetInputClick(output, arrowInput(shown_[output - 1], arrowTag % 2 == 0));
}

void RoutingPresenter::mnuAllOutputsClick(int itemTag) {
    const bool wholeRow = itemTag == kAllOutputsTag || itemTag == kPortToPortTag;
    if (!hovered_ || !(wholeRow || (itemTag >= 1 && itemTag < kAllOutputsTag))) return;
    const RouteButton from = *hovered_;
    routeFailed_ = false;
    const int first = wholeRow ? 1 : from.output;
    const int last = wholeRow ? kPortCount : std::min(from.output + itemTag - 1, kPortCount);
    for (int output = first; output <= last && !routeFailed_; ++output) {
        sbSetInputClick(output, itemTag == kPortToPortTag ? output : from.input);
    }
}

bool RoutingPresenter::ReadRouting() {
    return core::readRoutesInTurn(runner_, [this](int output, int input) { show(output, input); });
}

void RoutingPresenter::FollowRoute(int output, int input, bool madeElsewhere) {
    if (!isPort(output)) return;
    show(output, input);
    if (madeElsewhere) view_.flashOutput(output);
}

void RoutingPresenter::sbSetInputMouseMove(int groupIndex, int tag, const config::PortTags& tags,
                                           bool displayTags) {
    const bool arrow = groupIndex == 0;
    const int output = arrow ? (tag + 1) / 2 : groupIndex;
    if (!isPort(output) || tag < 1) return;
    const int input = arrow ? shown_[output - 1] : tag;
    hovered_ = arrow ? std::nullopt : std::optional(RouteButton{output, input});
    view_.setNoteText(routeNoteText(output, digitText(input), tags));
    const bool anyTag = tags != config::PortTags{};
    if (anyTag && displayTags && !arrow) {
        view_.showInOutInfo();
        infoShowing_ = true;
    }
}

void RoutingPresenter::mouseLeftButtons() {
    view_.setNoteText(kIdleNote.toString());
    popupMenuOpened();
}

void RoutingPresenter::popupMenuOpened() {
    if (!infoShowing_) return;
    view_.closeInOutInfo();
    infoShowing_ = false;
}

}  // namespace ui
