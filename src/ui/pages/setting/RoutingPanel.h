#pragma once

#include <QPoint>
#include <array>
#include <functional>

#include "settings/SettingsData.h"
#include "ui/presenters/setting/RoutingView.h"

class QAbstractButton;
class QLabel;
class QMenu;
class QWidget;

namespace widgets {
class TLCD99;
}

namespace ui {

class TfrmShowInOutInfo;

// The routing panel of the "Setting" page: digit displays, input buttons, arrows, the note,
// the menu, and the tag pop-up beside the mouse.
class RoutingPanel final : public RoutingView {
public:
    static constexpr int kOutputs = 8;  // groups "Output7" and "Output8" stay hidden
    static constexpr int kInputs = 8;   // buttons "7" and "8" stay hidden

    struct Sources {
        std::function<TfrmShowInOutInfo&()> infoPopup;
        std::function<PortTags()> portTags;
        std::function<QPoint()> mousePosition;  // in screen coordinates
    };

    RoutingPanel(QWidget& page, Sources sources);

    // Window show: one digit per display, and "All Outputs" covers the six outputs.
    void windowShown();

    void setDigitText(int output, const QString& text) override;
    void setButtonDown(int output, int input) override;
    void setNoButtonDown(int output) override;
    void setNoteText(const QString& text) override;
    void showInOutInfo() override;
    void closeInOutInfo() override;

    QAbstractButton* inputButton(int output, int input) const;
    // The input buttons and the arrows, each with its "GroupIndex" and "Tag".
    const std::vector<QAbstractButton*>& routeButtons() const { return routeButtons_; }
    QMenu& menu() const { return *pm_; }
    QLabel& note() const { return *lblNote_; }

private:
    bool isOutput(int output) const { return output >= 1 && output <= kOutputs; }

    Sources sources_;
    std::array<widgets::TLCD99*, kOutputs> leds_{};
    std::array<std::array<QAbstractButton*, kInputs>, kOutputs> inputs_{};
    std::vector<QAbstractButton*> routeButtons_;
    QLabel* lblNote_ = nullptr;
    QMenu* pm_ = nullptr;
};

}  // namespace ui
