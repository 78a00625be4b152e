#include "ui/pages/advanced/AdvancedPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/pages/FormParts.h"
#include "ui/pages/PortControls.h"
#include "ui/pages/advanced/PanelOptionControls.h"
#include "ui/presenters/advanced/PanelOptionsPresenter.h"

namespace ui {

namespace {

std::size_t indexOf(core::PanelOption option) {
    return static_cast<std::size_t>(option);
}

}  // namespace

AdvancedPage::AdvancedPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsIR"));
    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const core::PanelOption option : kPanelOptionLayout) {
        layout->addWidget(buildOptionGroup(option), row++, 0);
    }
    layout->addWidget(buildModuleInfo(), 0, 1, 2, 1);
    layout->addWidget(buildReset(), 2, 1);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    connect(btnQueryTCPModInfo, &QPushButton::clicked, this, &AdvancedPage::moduleQueryRequested);
    connect(btnReset, &QPushButton::clicked, this, &AdvancedPage::moduleResetRequested);
}

QGroupBox* AdvancedPage::buildOptionGroup(core::PanelOption option) {
    const PanelOptionControls controls = ControlsOf(option);
    auto* group = new QGroupBox(QLatin1String(controls.caption), this);
    auto* layout = new QHBoxLayout(group);
    auto* off = makeControl<QRadioButton>(group, controls.offRadio, QStringLiteral("OFF"));
    setTag(off, static_cast<int>(core::OptionRadio::Off));
    auto* on = makeControl<QRadioButton>(group, controls.onRadio, QStringLiteral("ON"));
    setTag(on, static_cast<int>(core::OptionRadio::On));
    (controls.onInForm ? on : off)->setChecked(true);
    layout->addWidget(off);
    layout->addWidget(on);
    offRadios[indexOf(option)] = off;
    onRadios[indexOf(option)] = on;
    return group;
}

QGroupBox* AdvancedPage::buildModuleInfo() {
    gbTCPModInfo =
        makeControl<QGroupBox>(this, "gbTCPModInfo", QStringLiteral("TCP Module infomation"));
    auto* layout = new QGridLayout(gbTCPModInfo);
    lblTCPVersion = makeControl<QLabel>(gbTCPModInfo, "lblTCPVersion", QStringLiteral("Version: "));
    layout->addWidget(lblTCPVersion, 0, 0);
    lblTCPDHCP = makeControl<QLabel>(gbTCPModInfo, "lblTCPDHCP", QStringLiteral("DHCP: "));
    layout->addWidget(lblTCPDHCP, 1, 0);
    lblTCPIPAddr =
        makeControl<QLabel>(gbTCPModInfo, "lblTCPIPAddr", QStringLiteral("IP Address: "));
    layout->addWidget(lblTCPIPAddr, 2, 0);
    btnQueryTCPModInfo =
        makeControl<QPushButton>(gbTCPModInfo, "btnQueryTCPModInfo", QStringLiteral("&Query"));
    layout->addWidget(btnQueryTCPModInfo, 0, 1, 3, 1, Qt::AlignBottom);
    layout->setColumnStretch(0, 1);
    return gbTCPModInfo;
}

QGroupBox* AdvancedPage::buildReset() {
    gbResetDefault =
        makeControl<QGroupBox>(this, "gbResetDefault", QStringLiteral("Reset TCP Module"));
    btnReset = makeControl<QPushButton>(gbResetDefault, "btnReset", QStringLiteral("&Reset ..."));
    (new QVBoxLayout(gbResetDefault))->addWidget(btnReset);
    return gbResetDefault;
}

QRadioButton* AdvancedPage::radio(core::PanelOption option, core::OptionRadio which) const {
    return (which == core::OptionRadio::On ? onRadios : offRadios)[indexOf(option)];
}

void AdvancedPage::connectClicks(PanelOptionsPresenter& presenter) {
    for (const core::PanelOption option : core::kPanelOptions) {
        for (const core::OptionRadio which : {core::OptionRadio::Off, core::OptionRadio::On}) {
            QRadioButton* button = radio(option, which);
            connect(button, &QRadioButton::toggled, this,
                    [&presenter, option, which](bool selected) {
                        if (selected) presenter.RadioClick(option, which);
                    });
        }
    }
}

void AdvancedPage::setOptionOn(core::PanelOption option, bool on) {
    radio(option, on ? core::OptionRadio::On : core::OptionRadio::Off)->setChecked(true);
}

bool AdvancedPage::isOptionOn(core::PanelOption option) const {
    return radio(option, core::OptionRadio::On)->isChecked();
}

void AdvancedPage::setOptionEnabled(core::PanelOption option, bool enabled) {
    radio(option, core::OptionRadio::Off)->setEnabled(enabled);
    radio(option, core::OptionRadio::On)->setEnabled(enabled);
}

void AdvancedPage::focusOptionRadio(core::PanelOption option, core::OptionRadio which) {
    radio(option, which)->setFocus();
}

void AdvancedPage::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    emit statusShown(panel, text, alert);
}

void AdvancedPage::setModuleControlsEnabled(bool enabled) {
    setControlsEnabled({gbTCPModInfo, lblTCPVersion, lblTCPDHCP, lblTCPIPAddr, btnQueryTCPModInfo,
                        gbResetDefault, btnReset},
                       enabled);
}

void AdvancedPage::showModuleInfo(const QString& version, const QString& dhcp,
                                  const QString& address) {
    lblTCPVersion->setText(version);
    lblTCPDHCP->setText(dhcp);
    lblTCPIPAddr->setText(address);
}

void AdvancedPage::setModuleQueryEnabled(bool enabled) {
    setControlEnabled(btnQueryTCPModInfo, enabled);
}

}  // namespace ui
