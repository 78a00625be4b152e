#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "FormParts.h"
#include "MainWindowPages.h"

namespace ui {

namespace {

struct PanelOption {
    const char* caption;
    const char* offName;
    const char* onName;
    bool onInForm;
};

const PanelOption kPanelOptions[] = {
    {"IR control Disable(OFF)/Enable(ON)", "rbIRDisable", "rbIREnable", true},
    {"Keys on panel Lock(OFF)/Unlock(ON)", "rbKeyLock", "rbKeyUnlock", true},
    {"Beeper Disable(OFF)/Enable(ON)", "rbBeeperDisable", "rbBeeperEnable", true},
    {"APM control OFF/ON setting", "rbAPMOFF", "rbAPMON", false},
};

QGroupBox* optionGroup(QWidget* page, const PanelOption& option) {
    auto* group = new QGroupBox(QLatin1String(option.caption), page);
    auto* layout = new QHBoxLayout(group);
    auto* off = makeControl<QRadioButton>(group, option.offName, QStringLiteral("OFF"));
    off->setProperty("Tag", 1);
    auto* on = makeControl<QRadioButton>(group, option.onName, QStringLiteral("ON"));
    on->setProperty("Tag", 2);
    (option.onInForm ? on : off)->setChecked(true);
    layout->addWidget(off);
    layout->addWidget(on);
    markNotAvailable(group);
    return group;
}

QGroupBox* moduleInfoGroup(QWidget* page) {
    auto* group =
        makeControl<QGroupBox>(page, "gbTCPModInfo", QStringLiteral("TCP Module infomation"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "lblTCPVersion", QStringLiteral("Version: ")), 0,
                      0);
    layout->addWidget(makeControl<QLabel>(group, "lblTCPDHCP", QStringLiteral("DHCP: ")), 1, 0);
    layout->addWidget(makeControl<QLabel>(group, "lblTCPIPAddr", QStringLiteral("IP Address: ")), 2,
                      0);
    auto* query = makeControl<QPushButton>(group, "btnQueryTCPModInfo", QStringLiteral("&Query"));
    markNotAvailable(query);
    layout->addWidget(query, 0, 1, 3, 1, Qt::AlignBottom);
    layout->setColumnStretch(0, 1);
    return group;
}

QGroupBox* resetGroup(QWidget* page) {
    auto* group =
        makeControl<QGroupBox>(page, "gbResetDefault", QStringLiteral("Reset TCP Module"));
    auto* reset = makeControl<QPushButton>(group, "btnReset", QStringLiteral("&Reset ..."));
    markNotAvailable(reset);
    (new QVBoxLayout(group))->addWidget(reset);
    return group;
}

}  // namespace

QWidget* buildAdvancedPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsIR"));
    auto* layout = new QGridLayout(page);
    int row = 0;
    for (const PanelOption& option : kPanelOptions) {
        layout->addWidget(optionGroup(page, option), row++, 0);
    }
    layout->addWidget(moduleInfoGroup(page), 0, 1, 2, 1);
    layout->addWidget(resetGroup(page), 2, 1);
    layout->setRowStretch(row, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    return page;
}

}  // namespace ui
