#include "ui/pages/general/GeneralPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/pages/FormParts.h"
#include "ui/pages/PortControls.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

QGroupBox* singleControlGroup(QWidget* page, const char* name, const QString& caption,
                              QWidget* control) {
    auto* group = makeControl<QGroupBox>(page, name, caption);
    control->setParent(group);
    (new QVBoxLayout(group))->addWidget(control);
    return group;
}

}  // namespace

GeneralPage::GeneralPage(Dialogs& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("tsGeneral"));
    auto* layout = new QGridLayout(this);
    layout->addWidget(buildModeSelect(), 0, 0);
    layout->addWidget(buildComMode(), 0, 1);
    layout->addWidget(buildLanMode(), 1, 0, 1, 2);
    layout->addWidget(buildConnection(), 2, 0);

    btnGetDevStatus =
        makeControl<QPushButton>(this, "btnGetDevStatus", QStringLiteral("D&evice status"));
    layout->addWidget(singleControlGroup(this, "gbDeviceStatus",
                                         QStringLiteral("Refresh device status"), btnGetDevStatus),
                      2, 1);
    cbDisplayTag = makeControl<QCheckBox>(
        this, "cbDisplayTag",
        QStringLiteral("Display Input, Output tags when focus setting buttons"));
    layout->addWidget(singleControlGroup(this, "gbDisplayTag",
                                         QStringLiteral("Display tags setting"), cbDisplayTag),
                      3, 0, 1, 2);
    layout->addWidget(buildDeviceInfo(), 0, 2, 4, 1);
    layout->addWidget(buildNotes(), 4, 0, 1, 2);
    layout->addWidget(buildPower(), 4, 2, Qt::AlignCenter);
    layout->setRowStretch(5, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    forwardRequests();
}

QGroupBox* GeneralPage::buildModeSelect() {
    gbModeSelect =
        makeControl<QGroupBox>(this, "gbModeSelect", QStringLiteral("Control mode select"));
    auto* layout = new QVBoxLayout(gbModeSelect);
    rbCOMMode =
        makeControl<QRadioButton>(gbModeSelect, "rbCOMMode", QStringLiteral("COM control mode"));
    layout->addWidget(rbCOMMode);
    rbLANMode =
        makeControl<QRadioButton>(gbModeSelect, "rbLANMode", QStringLiteral("TCP control mode"));
    rbLANMode->setChecked(true);
    layout->addWidget(rbLANMode);
    return gbModeSelect;
}

QGroupBox* GeneralPage::buildComMode() {
    gbCOMMode = makeControl<QGroupBox>(this, "gbCOMMode", QStringLiteral("COM control mode"));
    auto* layout = new QHBoxLayout(gbCOMMode);
    lblPort = makeControl<QLabel>(gbCOMMode, "lblPort", QStringLiteral("Port"));
    layout->addWidget(lblPort);
    cbCOMList = makeControl<QComboBox>(gbCOMMode, "cbCOMList");
    cbCOMList->setMinimumWidth(200);
    cbCOMList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    layout->addWidget(cbCOMList, 1);
    return gbCOMMode;
}

QGroupBox* GeneralPage::buildLanMode() {
    gbLANMode = makeControl<QGroupBox>(this, "gbLANMode", QStringLiteral("TCP control mode"));
    auto* layout = new QHBoxLayout(gbLANMode);
    cbLANDevice = makeControl<QComboBox>(gbLANMode, "cbLANDevice");
    layout->addWidget(cbLANDevice, 1);
    btnDeleteDevice = makeControl<QPushButton>(gbLANMode, "btnDeleteDevice", QStringLiteral("×"));
    btnDeleteDevice->setFixedWidth(30);
    layout->addWidget(btnDeleteDevice);
    btnSearchDevice =
        makeControl<QPushButton>(gbLANMode, "btnSearchDevice", QStringLiteral("Search ..."));
    layout->addWidget(btnSearchDevice);
    btnConfig = makeControl<QPushButton>(gbLANMode, "btnConfig", QStringLiteral("Config ..."));
    layout->addWidget(btnConfig);
    return gbLANMode;
}

QGroupBox* GeneralPage::buildConnection() {
    auto* group = makeControl<QGroupBox>(this, "gbConnection", QStringLiteral("Connection"));
    auto* column = new QVBoxLayout(group);
    auto* layout = new QHBoxLayout;
    column->addLayout(layout);
    imgClose = makeControl<QLabel>(group, "imgClose");
    imgClose->setPixmap(connectionPicture(false));
    layout->addWidget(imgClose);
    imgOpen = makeControl<QLabel>(group, "imgOpen");
    imgOpen->setPixmap(connectionPicture(true));
    imgOpen->hide();
    layout->addWidget(imgOpen);
    btnConnect = makeControl<QPushButton>(group, "btnConnect", QStringLiteral("&Connect"));
    layout->addWidget(btnConnect, 1);
    cbFollowSwitcher = makeControl<QCheckBox>(
        group, "cbFollowSwitcher", QStringLiteral("Follow changes made at the switcher"));
    column->addWidget(cbFollowSwitcher);
    return group;
}

QGroupBox* GeneralPage::buildDeviceInfo() {
    gbDevInfo = makeControl<QGroupBox>(this, "gbDevInfo", QStringLiteral("Device information"));
    auto* layout = new QGridLayout(gbDevInfo);
    lblDevice = makeControl<QLabel>(gbDevInfo, "lblDevice", QStringLiteral("Device: Not known"));
    layout->addWidget(lblDevice, 0, 0, 1, 2);
    lblVersion = makeControl<QLabel>(gbDevInfo, "lblVersion", QStringLiteral("Version: Not known"));
    layout->addWidget(lblVersion, 1, 0, 1, 2);
    for (int port = 1; port <= 8; ++port) {
        // Inputs are Label7 .. Label14, outputs Label22 down to Label15.
        auto* input = new QLabel(QStringLiteral("Input%1: Not known").arg(port), gbDevInfo);
        input->setObjectName(QStringLiteral("Label%1").arg(6 + port));
        setTag(input, 40 + port);
        auto* output = new QLabel(QStringLiteral("Output%1: Not known").arg(port), gbDevInfo);
        output->setObjectName(QStringLiteral("Label%1").arg(23 - port));
        setTag(output, 80 + port);
        input->setVisible(port <= 6);
        output->setVisible(port <= 6);
        layout->addWidget(input, 1 + port, 0);
        layout->addWidget(output, 1 + port, 1);
    }
    layout->setRowStretch(10, 1);
    return gbDevInfo;
}

QWidget* GeneralPage::buildNotes() {
    auto* box = new QWidget(this);
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

QWidget* GeneralPage::buildPower() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    bbPower = makeControl<QPushButton>(box, "bbPower");
    bbPower->setIcon(powerPicture(false));
    bbPower->setIconSize(QSize(48, 48));
    bbPower->setFixedSize(72, 72);
    layout->addWidget(bbPower);
    // The two faces of the power button.
    imgPowerOn = makeControl<QLabel>(box, "imgPowerOn");
    imgPowerOn->setPixmap(powerPicture(true));
    imgPowerOn->hide();
    imgPowerOff = makeControl<QLabel>(box, "imgPowerOff");
    imgPowerOff->setPixmap(powerPicture(false));
    imgPowerOff->hide();
    return box;
}

void GeneralPage::setDeviceText(const QString& text) {
    lblDevice->setText(text);
}

void GeneralPage::setVersionText(const QString& text) {
    lblVersion->setText(text);
}

void GeneralPage::setPortLabel(int tag, const QString& text, LabelWeight weight) {
    auto* label = findByTag<QLabel>(*gbDevInfo, tag);
    if (!label) return;
    label->setText(text);
    if (weight == LabelWeight::Unchanged) return;
    QFont font = label->font();
    font.setBold(weight == LabelWeight::Bold);
    label->setFont(font);
}

void GeneralPage::setPowerFace(bool on) {
    bbPower->setIcon(QIcon((on ? imgPowerOn : imgPowerOff)->pixmap()));
}

void GeneralPage::showStatus(devlink::StatusPanel panel, const QString& text, bool alert) {
    emit statusShown(panel, text, alert);
}

void GeneralPage::informationBox(const QString& text) {
    dialogs_.information(text);
}

}  // namespace ui
