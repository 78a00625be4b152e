#pragma once

#include "ui/mainwindow/StatusWriter.h"
#include "ui/presenters/advanced/PanelOptionsView.h"

class QRadioButton;
class QWidget;

namespace ui {

class PanelOptionsPresenter;

// The OFF/ON radio groups of the "Advanced" tab.
class PanelOptionRadios final : public PanelOptionsView {
public:
    PanelOptionRadios(const QWidget& page, StatusWriter showStatus);

    // Every radio that becomes selected, by the operator or by program code, reaches the
    // presenter's click handler.
    void connectClicks(PanelOptionsPresenter& presenter);

    void setOptionOn(PanelOption option, bool on) override;
    bool isOptionOn(PanelOption option) const override;
    void setOptionEnabled(PanelOption option, bool enabled) override;
    void focusOptionRadio(PanelOption option, OptionRadio radio) override;
    void showStatus(int panel, const QString& text, bool alert) override;

private:
    QRadioButton* radio(PanelOption option, OptionRadio which) const;

    const QWidget& page_;
    StatusWriter showStatus_;
};

}  // namespace ui
