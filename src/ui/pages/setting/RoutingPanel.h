#pragma once

#include <QPoint>
#include <array>
#include <functional>

#include "settings/SettingsData.h"
#include "ui/pages/TabWindow.h"
#include "ui/pages/setting/SettingPage.h"
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
    static constexpr int kOutputs = RoutingWidgets::kOutputs;
    static constexpr int kInputs = RoutingWidgets::kInputs;

    RoutingPanel(const RoutingWidgets& widgets, TabWindow& window);

    // Window show: one digit per display, and "All Outputs" covers the six outputs.
    void windowShown();

    void setDigitText(int output, const QString& text) override;
    void setButtonDown(int output, int input) override;
    void setNoButtonDown(int output) override;
    void setNoteText(const QString& text) override;
    void showInOutInfo() override;
    void closeInOutInfo() override;
    void flashOutput(int output) override;

    QAbstractButton* inputButton(int output, int input) const;

private:
    bool isOutput(int output) const { return output >= 1 && output <= kOutputs; }

    const RoutingWidgets& widgets_;  // the page's
    TabWindow& window_;
};

}  // namespace ui
