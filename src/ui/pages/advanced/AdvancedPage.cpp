#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/mainwindow/MainWindowPages.h"
#include "ui/pages/FormParts.h"
#include "ui/pages/advanced/PanelOptionControls.h"

namespace ui {

namespace {

QGroupBox* optionGroup(QWidget* page, PanelOption option) {
    const PanelOptionControls controls = ControlsOf(option);
    auto* group = new QGroupBox(QLatin1String(controls.caption), page);
    auto* layout = new QHBoxLayout(group);
    auto* off = makeControl<QRadioButton>(group, controls.offRadio, QStringLiteral("OFF"));
    off->setProperty("Tag", static_cast<int>(OptionRadio::Off));
    auto* on = makeControl<QRadioButton>(group, controls.onRadio, QStringLiteral("ON"));
    on->setProperty("Tag", static_cast<int>(OptionRadio::On));
    (controls.onInForm ? on : off)->setChecked(true);
    layout->addWidget(off);
    layout->addWidget(on);
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
    for (const PanelOption option : kPanelOptionLayout) {
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
