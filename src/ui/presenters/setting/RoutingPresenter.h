#pragma once

#include <QString>
#include <array>
#include <optional>

#include "core/CommandRunner.h"
#include "settings/SettingsData.h"
#include "ui/presenters/setting/RoutingView.h"

namespace ui {

// The matrix routing view: which input feeds each output, the switches and the reads.
class RoutingPresenter {
public:
    static constexpr int kPortCount = 6;    // outputs and inputs the switcher has
    static constexpr int kButtonCount = 8;  // input buttons per output, "7" and "8" hidden
    static constexpr int kDesignInput = 6;  // what the window shows before the first read

    // Popup menu item tags.
    static constexpr int kAllOutputsTag = 6;
    static constexpr int kPortToPortTag = 100;

    static constexpr QStringView kIdleNote = u"Output from Input";

    RoutingPresenter(core::CommandRunner& runner, RoutingView& view);

    // Switches the output to the input; reverts the output and sets the route-failed
    // flag when the command fails. Only outputs and inputs 1 to 6 are ever sent.
    devlink::FailureKind sbSetInputClick(int output, int input);
    // Arrow button with tag 2k-1 (previous) or 2k (next) of output k; wraps within 1 to 6.
    void sbPreviousClick(int arrowTag);
    // Popup menu item with the given tag, on the hovered input button.
    void mnuAllOutputsClick(int itemTag);
    // Reads outputs 1 to 6 in order; stops at the first failed read.
    bool ReadRouting();
    // A route the switcher confirmed without being asked here; one made elsewhere is flashed.
    void FollowRoute(int output, int input, bool madeElsewhere);

    // Mouse over an input button (group index k, tag i) or an arrow (group index 0).
    void sbSetInputMouseMove(int groupIndex, int tag, const config::PortTags& tags,
                             bool displayTags);
    // Mouse over the rest of the view.
    void mouseLeftButtons();
    void popupMenuOpened();

    // The input the digit display of the output shows; 0 while it shows no input.
    int shownInput(int output) const;
    // The input button that is down for the output; 0 when none is.
    int downButton(int output) const;

    bool routeFailed() const { return routeFailed_; }
    void clearRouteFailed() { routeFailed_ = false; }

private:
    struct RouteButton {
        int output;
        int input;
    };

    // Puts the button (output, input) down and shows the input; a number without a
    // button leaves none down and the display blank.
    void show(int output, int input);

    core::CommandRunner& runner_;
    RoutingView& view_;
    std::array<int, kPortCount> shown_;
    std::array<int, kPortCount> down_;
    std::optional<RouteButton> hovered_;
    bool infoShowing_ = false;
    bool routeFailed_ = true;
};

}  // namespace ui
