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

std::size_t indexOf(PanelOption option) {
    return static_cast<std::size_t>(option);
}

}  // namespace

AdvancedPage::AdvancedPage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("tsIR"));
    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const PanelOption option : kPanelOptionLayout) {
        layout->addWidget(buildOptionGroup(option), row++, 0);
    }
    layout->addWidget(buildModuleInfo(), 0, 1, 2, 1);
    layout->addWidget(buildReset(), 2, 1);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
}

QGroupBox* AdvancedPage::buildOptionGroup(PanelOption option) {
    const PanelOptionControls controls = ControlsOf(option);
    auto* group = new QGroupBox(QLatin1String(controls.caption), this);
    auto* layout = new QHBoxLayout(group);
    auto* off = makeControl<QRadioButton>(group, controls.offRadio, QStringLiteral("OFF"));
    setTag(off, static_cast<int>(OptionRadio::Off));
    auto* on = makeControl<QRadioButton>(group, controls.onRadio, QStringLiteral("ON"));
    setTag(on, static_cast<int>(OptionRadio::On));
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

QRadioButton* AdvancedPage::radio(PanelOption option, OptionRadio which) const {
    return (which == OptionRadio::On ? onRadios : offRadios)[indexOf(option)];
}

void AdvancedPage::connectClicks(PanelOptionsPresenter& presenter) {
    for (const PanelOption option : kPanelOptions) {
        for (const OptionRadio which : {OptionRadio::Off, OptionRadio::On}) {
            QRadioButton* button = radio(option, which);
            connect(button, &QRadioButton::toggled, this,
                    [&presenter, option, which](bool selected) {
                        if (selected) presenter.RadioClick(option, which);
                    });
        }
    }
}

void AdvancedPage::setOptionOn(PanelOption option, bool on) {
    radio(option, on ? OptionRadio::On : OptionRadio::Off)->setChecked(true);
}

bool AdvancedPage::isOptionOn(PanelOption option) const {
    return radio(option, OptionRadio::On)->isChecked();
}

void AdvancedPage::setOptionEnabled(PanelOption option, bool enabled) {
    radio(option, OptionRadio::Off)->setEnabled(enabled);
    radio(option, OptionRadio::On)->setEnabled(enabled);
}

void AdvancedPage::focusOptionRadio(PanelOption option, OptionRadio which) {
    radio(option, which)->setFocus();
}

void AdvancedPage::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    emit statusShown(panel, text, alert);
}

}  // namespace ui
