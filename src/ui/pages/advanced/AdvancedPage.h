#pragma once

#include <QWidget>
#include <array>

#include "ui/presenters/advanced/PanelOptionsView.h"

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace ui {

class PanelOptionsPresenter;

// tsIR: the front-panel option groups and the Ethernet module's information and reset.
class AdvancedPage final : public QWidget, public PanelOptionsView {
    Q_OBJECT

public:
    explicit AdvancedPage(QWidget* parent = nullptr);

    // Every radio that becomes selected, by the operator or by program code, reaches the
    // presenter's click handler.
    void connectClicks(PanelOptionsPresenter& presenter);
    // The Ethernet module's information and reset, reached through the serial port.
    void setModuleControlsEnabled(bool enabled);
    void showModuleInfo(const QString& version, const QString& dhcp, const QString& address);
    void setModuleQueryEnabled(bool enabled);

    void setOptionOn(core::PanelOption option, bool on) override;
    bool isOptionOn(core::PanelOption option) const override;
    void setOptionEnabled(core::PanelOption option, bool enabled) override;
    void focusOptionRadio(core::PanelOption option, core::OptionRadio radio) override;
    void showStatus(devlink::StatusPanel panel, const QString& text, bool alert) override;

signals:
    void statusShown(devlink::StatusPanel panel, const QString& text, bool alert);
    void moduleQueryRequested();
    void moduleResetRequested();

private:
    // The OFF and ON radios of each option, indexed by core::PanelOption.
    std::array<QRadioButton*, core::kPanelOptions.size()> offRadios{};
    std::array<QRadioButton*, core::kPanelOptions.size()> onRadios{};
    QGroupBox* gbTCPModInfo;
    QLabel* lblTCPVersion;
    QLabel* lblTCPDHCP;
    QLabel* lblTCPIPAddr;
    QPushButton* btnQueryTCPModInfo;
    QGroupBox* gbResetDefault;
    QPushButton* btnReset;

    QGroupBox* buildOptionGroup(core::PanelOption option);
    QGroupBox* buildModuleInfo();
    QGroupBox* buildReset();
    QRadioButton* radio(core::PanelOption option, core::OptionRadio which) const;
};

}  // namespace ui
