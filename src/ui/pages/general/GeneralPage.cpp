#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/mainwindow/MainWindowPages.h"
#include "ui/pages/FormParts.h"

namespace ui {

namespace {

QGroupBox* modeSelectGroup(QWidget* page) {
    auto* group =
        makeControl<QGroupBox>(page, "gbModeSelect", QStringLiteral("Control mode select"));
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(
        makeControl<QRadioButton>(group, "rbCOMMode", QStringLiteral("COM control mode")));
    auto* lan = makeControl<QRadioButton>(group, "rbLANMode", QStringLiteral("TCP control mode"));
    lan->setChecked(true);
    layout->addWidget(lan);
    return group;
}

QGroupBox* comModeGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbCOMMode", QStringLiteral("COM control mode"));
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "lblPort", QStringLiteral("Port")));
    auto* ports = makeControl<QComboBox>(group, "cbCOMList");
    ports->setMinimumWidth(200);
    ports->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->addWidget(ports, 1);
    return group;
}

QGroupBox* lanModeGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbLANMode", QStringLiteral("TCP control mode"));
    auto* layout = new QHBoxLayout(group);
    auto* devices = makeControl<QComboBox>(group, "cbLANDevice");
    layout->addWidget(devices, 1);
    auto* remove = makeControl<QPushButton>(group, "btnDeleteDevice", QStringLiteral("×"));
    remove->setFixedWidth(30);
    layout->addWidget(remove);
    auto* search = makeControl<QPushButton>(group, "btnSearchDevice", QStringLiteral("Search ..."));
    layout->addWidget(search);
    auto* config = makeControl<QPushButton>(group, "btnConfig", QStringLiteral("Config ..."));
    layout->addWidget(config);
    for (QWidget* control : std::initializer_list<QWidget*>{devices, remove, search, config}) {
        markNotAvailable(control);
    }
    return group;
}

QGroupBox* connectionGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbConnection", QStringLiteral("Connection"));
    auto* layout = new QHBoxLayout(group);
    auto* closed = makeControl<QLabel>(group, "imgClose");
    closed->setPixmap(connectionPicture(false));
    layout->addWidget(closed);
    auto* open = makeControl<QLabel>(group, "imgOpen");
    open->setPixmap(connectionPicture(true));
    open->hide();
    layout->addWidget(open);
    layout->addWidget(makeControl<QPushButton>(group, "btnConnect", QStringLiteral("&Connect")), 1);
    return group;
}

QGroupBox* singleControlGroup(QWidget* page, const char* name, const QString& caption,
                              QWidget* control) {
    auto* group = makeControl<QGroupBox>(page, name, caption);
    control->setParent(group);
    (new QVBoxLayout(group))->addWidget(control);
    return group;
}

QGroupBox* deviceInfoGroup(QWidget* page) {
    auto* group = makeControl<QGroupBox>(page, "gbDevInfo", QStringLiteral("Device information"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(makeControl<QLabel>(group, "lblDevice", QStringLiteral("Device: Not known")),
                      0, 0, 1, 2);
    layout->addWidget(
        makeControl<QLabel>(group, "lblVersion", QStringLiteral("Version: Not known")), 1, 0, 1, 2);
    for (int port = 1; port <= 8; ++port) {
        // Inputs are Label7 .. Label14, outputs Label22 down to Label15.
        auto* input = new QLabel(QStringLiteral("Input%1: Not known").arg(port), group);
        input->setObjectName(QStringLiteral("Label%1").arg(6 + port));
        input->setProperty("Tag", 40 + port);
        auto* output = new QLabel(QStringLiteral("Output%1: Not known").arg(port), group);
        output->setObjectName(QStringLiteral("Label%1").arg(23 - port));
        output->setProperty("Tag", 80 + port);
        input->setVisible(port <= 6);
        output->setVisible(port <= 6);
        layout->addWidget(input, 1 + port, 0);
        layout->addWidget(output, 1 + port, 1);
    }
    layout->setRowStretch(10, 1);
    return group;
}

QWidget* notes(QWidget* page) {
    auto* box = new QWidget(page);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    const std::pair<const char*, QString> lines[] = {
        {"lbl1", QStringLiteral("NOTE - Steps after GUI Controller run:")},
        {"lbl2", QStringLiteral("1. Click \"Device status\" button to get Power status")},
        {"lbl3",
         QStringLiteral("2. Click Power button below to boot up Matrix if it's powered off")},
        {"lbl4", QStringLiteral("3. Use GUI Controller to control Matrix after unit boots up")},
    };
    for (const auto& [name, text] : lines) {
        auto* label = makeControl<QLabel>(box, name, text);
        setBold(label);
        layout->addWidget(label);
    }
    return box;
}

QWidget* powerButton(QWidget* page) {
    auto* box = new QWidget(page);
    auto* layout = new QHBoxLayout(box);
    auto* power = makeControl<QPushButton>(box, "bbPower");
    power->setIcon(powerPicture(false));
    power->setIconSize(QSize(48, 48));
    power->setFixedSize(72, 72);
    layout->addWidget(power);
    // The two faces of the power button.
    auto* on = makeControl<QLabel>(box, "imgPowerOn");
    on->setPixmap(powerPicture(true));
    on->hide();
    auto* off = makeControl<QLabel>(box, "imgPowerOff");
    off->setPixmap(powerPicture(false));
    off->hide();
    return box;
}

}  // namespace

QWidget* buildGeneralPage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tsGeneral"));
    auto* layout = new QGridLayout(page);
    layout->addWidget(modeSelectGroup(page), 0, 0);
    layout->addWidget(comModeGroup(page), 0, 1);
    layout->addWidget(lanModeGroup(page), 1, 0, 1, 2);
    layout->addWidget(connectionGroup(page), 2, 0);

    auto* status =
        makeControl<QPushButton>(page, "btnGetDevStatus", QStringLiteral("D&evice status"));
    layout->addWidget(
        singleControlGroup(page, "gbDeviceStatus", QStringLiteral("Refresh device status"), status),
        2, 1);
    auto* displayTag = makeControl<QCheckBox>(
        page, "cbDisplayTag",
        QStringLiteral("Display Input, Output tags when focus setting buttons"));
    layout->addWidget(singleControlGroup(page, "gbDisplayTag",
                                         QStringLiteral("Display tags setting"), displayTag),
                      3, 0, 1, 2);
    layout->addWidget(deviceInfoGroup(page), 0, 2, 4, 1);
    layout->addWidget(notes(page), 4, 0, 1, 2);
    layout->addWidget(powerButton(page), 4, 2, Qt::AlignCenter);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    return page;
}

}  // namespace ui
