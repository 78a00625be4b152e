#include "ui/dialogs/EditLAN.h"

#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <algorithm>

#include "ui/dialogs/DeviceTagValidator.h"
#include "ui/dialogs/KeyFilter.h"
#include "ui/pages/FormParts.h"
#include "ui/presenters/Dialogs.h"

namespace ui {

namespace {

constexpr int kTagLength = 32;
constexpr int kFieldHeight = 24;
constexpr int kFieldsLeft = 96;

// A row of edit fields `pitch` pixels apart, named fieldName1, fieldName2 ..., with `mark` in
// each gap on a label of its own.
struct FieldRow {
    int top;
    int width;
    int pitch;
    int maxLength;
    const char* fieldName;
    const char* initialText;
    const char* separatorName;
    const char* mark;
};

constexpr FieldRow kIpRow{112, 44, 56, 3, "edtIPField", "255", "lblIPSep", "."};
constexpr FieldRow kMacRow{148, 28, 36, 2, "edtMACField", "00", "lblMACSep", "-"};

const QString kMacNotCorrect = QStringLiteral("MAC address not correct.");

// The caption before a row, level with its fields.
QRect rowLabelRect(const FieldRow& row) {
    return QRect(16, row.top, kFieldsLeft - 20, kFieldHeight);
}

QRect fieldRect(const FieldRow& row, int index) {
    return QRect(kFieldsLeft + index * row.pitch, row.top, row.width, kFieldHeight);
}

// A label behind a row of `count` fields that shows the row's mark in each gap between them;
// its marks grey out with it.
QLabel* separatorLabel(QWidget* parent, const FieldRow& row, int count) {
    auto* label = makeControl<QLabel>(parent, row.separatorName);
    label->setGeometry(QRect(fieldRect(row, 0).topLeft(), fieldRect(row, count - 1).bottomRight()));
    for (int gap = 0; gap < count - 1; ++gap) {
        auto* shown = new QLabel(QString::fromLatin1(row.mark), label);
        shown->setAlignment(Qt::AlignCenter);
        shown->setGeometry(gap * row.pitch + row.width, 0, row.pitch - row.width, kFieldHeight);
    }
    return label;
}

// The row's separator label, then its fields into `fields`; returns the separator label.
template <std::size_t N>
QLabel* addFieldRow(QWidget* parent, const FieldRow& row, std::array<QLineEdit*, N>& fields) {
    QLabel* separator = separatorLabel(parent, row, static_cast<int>(N));
    for (int n = 1; n <= static_cast<int>(N); ++n) {
        auto* field = new QLineEdit(QString::fromLatin1(row.initialText), parent);
        field->setObjectName(QLatin1String(row.fieldName) + QString::number(n));
        field->setProperty("Tag", n);
        field->setMaxLength(row.maxLength);
        field->setGeometry(fieldRect(row, n - 1));
        fields[n - 1] = field;
    }
    return separator;
}

template <std::size_t N>
int fieldNumber(const std::array<QLineEdit*, N>& fields, const QObject* watched) {
    const auto found = std::find(fields.begin(), fields.end(), watched);
    return found == fields.end() ? 0 : static_cast<int>(found - fields.begin()) + 1;
}

QString groupAddressMessage(const QString& firstByte) {
    return QStringLiteral("The bit0 of MAC first byte [") + firstByte +
           QStringLiteral("] CAN NOT be 1, please change.");
}

}  // namespace

TfrmEditLAN::TfrmEditLAN(Dialogs& dialogs, QWidget* parent)
    : QDialog(parent),
      dialogs_(dialogs),
      randomByte_([] { return static_cast<quint8>(QRandomGenerator::global()->bounded(256)); }) {
    setObjectName(QStringLiteral("TfrmEditLAN"));
    setWindowTitle(QStringLiteral("TCP configuration"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(346, 250);
    buildForm();
    setMacEditing(false);
    // Keys reach the dialog before its controls, as the field filters and the Up key need.
    for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
}

void TfrmEditLAN::buildForm() {
    gbDeviceInfo_ =
        makeControl<QGroupBox>(this, "gbDeviceInfo", QStringLiteral("Device information"));
    gbDeviceInfo_->setGeometry(8, 8, 330, 190);

    auto* tagLabel = new QLabel(QStringLiteral("Device Tag"), gbDeviceInfo_);
    tagLabel->move(16, 24);
    tagLabel->adjustSize();
    leDeviceTag_ = makeControl<QLineEdit>(gbDeviceInfo_, "leDeviceTag");
    leDeviceTag_->setGeometry(16, 44, 298, kFieldHeight);
    leDeviceTag_->setMaxLength(kTagLength);
    leDeviceTag_->setValidator(new DeviceTagValidator(leDeviceTag_));
    tagLabel->setBuddy(leDeviceTag_);

    rbStaticIP_ =
        makeControl<QRadioButton>(gbDeviceInfo_, "rbStaticIP", QStringLiteral("Static IP"));
    rbStaticIP_->setProperty("Tag", 0);
    rbStaticIP_->setGeometry(16, 78, 120, 22);
    rbDHCP_ = makeControl<QRadioButton>(gbDeviceInfo_, "rbDHCP", QStringLiteral("Auto IP"));
    rbDHCP_->setProperty("Tag", 1);
    rbDHCP_->setGeometry(150, 78, 120, 22);
    rbDHCP_->setChecked(true);
    for (QRadioButton* button : {rbStaticIP_, rbDHCP_}) {
        connect(button, &QRadioButton::clicked, this, [this, button] { rbClick(*button); });
    }

    lblIPAddr_ = makeControl<QLabel>(gbDeviceInfo_, "lblIPAddr", QStringLiteral("IP address"));
    lblIPAddr_->setGeometry(rowLabelRect(kIpRow));
    lblIPSep_ = addFieldRow(gbDeviceInfo_, kIpRow, ipFields_);
    for (QLineEdit* field : ipFields_) field->setEnabled(false);

    lblMAC_ = makeControl<QLabel>(gbDeviceInfo_, "lblMAC", QStringLiteral("MAC"));
    lblMAC_->setGeometry(rowLabelRect(kMacRow));
    lblMACSep_ = addFieldRow(gbDeviceInfo_, kMacRow, macFields_);

    btnOK_ = makeControl<QPushButton>(this, "btnOK", QStringLiteral("OK"));
    btnOK_->setGeometry(100, 208, 110, 30);
    btnOK_->setDefault(true);
    btnClose_ = makeControl<QPushButton>(this, "btnClose", QStringLiteral("Close"));
    btnClose_->setGeometry(222, 208, 110, 30);
    btnClose_->setAutoDefault(false);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmEditLAN::btnOKClick);
    connect(btnClose_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmEditLAN::arrange(const LanSettings& initial, const LanDialogOptions& options) {
    leDeviceTag_->setText(initial.deviceTag);
    (initial.autoIp ? rbDHCP_ : rbStaticIP_)->setChecked(true);
    const QStringList ip = initial.ipAddress.split(u'.');
    for (int i = 0; i < kIpFieldCount; ++i) ipFields_[i]->setText(ip.value(i));
    const QStringList mac = initial.macAddress.split(u'-');
    for (int i = 0; i < kMacFieldCount; ++i) macFields_[i]->setText(mac.value(i));
    setMacEditing(options.macEditing);
    duplicateMacCheck_ = options.duplicateMacCheck;
    macsInUse_ = options.macsInUse;
    setAddressEnabled(options.addressEditable);
}

LanSettings TfrmEditLAN::settings() const {
    return {leDeviceTag_->text(), rbDHCP_->isChecked(), ipText(), macText()};
}

std::optional<LanSettings> TfrmEditLAN::edit(const LanSettings& initial,
                                             const LanDialogOptions& options) {
    arrange(initial, options);
    if (exec() != QDialog::Accepted) return std::nullopt;
    return settings();
}

void TfrmEditLAN::setRandomByteSource(RandomByteSource source) {
    randomByte_ = std::move(source);
}

void TfrmEditLAN::done(int result) {
    // The close box and every other way out but OK mean Cancel.
    QDialog::done(result == QDialog::Accepted ? QDialog::Accepted : QDialog::Rejected);
}

void TfrmEditLAN::showEvent(QShowEvent* event) {
    generationDone_ = true;
    QDialog::showEvent(event);
}

bool TfrmEditLAN::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
            return previewKey(watched, static_cast<QKeyEvent&>(*event));
        case QEvent::FocusOut:
            if (const int n = fieldNumber(ipFields_, watched)) normaliseIpField(n);
            break;
        case QEvent::MouseButtonDblClick:
            if (macEditing_ && fieldNumber(macFields_, watched)) {
                edtMACFieldDblClick();
                return true;
            }
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

bool TfrmEditLAN::previewKey(QObject* watched, QKeyEvent& key) {
    if (key.key() == Qt::Key_Escape) {
        reject();
        return true;
    }
    if (key.key() == Qt::Key_Up && macEditing_) {
        edtMACFieldDblClick();
        return true;
    }
    const std::optional<QChar> typed = typedCharacter(key);
    if (!typed) return false;
    if (fieldNumber(ipFields_, watched)) return refusedByNumberField(key);
    if (!fieldNumber(macFields_, watched)) return false;
    const QChar upper = typed->toUpper();
    if (!isHexDigit(upper)) return true;
    if (upper == *typed) return false;
    QKeyEvent upperKey(key.type(), key.key(), key.modifiers(), QString(upper), key.isAutoRepeat(),
                       key.count());
    QCoreApplication::sendEvent(watched, &upperKey);
    return true;
}

void TfrmEditLAN::rbClick(const QRadioButton& button) {
    setIpFieldsEnabled(button.property("Tag").toInt() == 0);
}

void TfrmEditLAN::setAddressEnabled(bool enabled) {
    for (QWidget* control : {static_cast<QWidget*>(rbDHCP_), static_cast<QWidget*>(rbStaticIP_),
                             static_cast<QWidget*>(lblIPAddr_), static_cast<QWidget*>(lblIPSep_)}) {
        control->setEnabled(enabled);
    }
    setIpFieldsEnabled(enabled);
}

void TfrmEditLAN::setIpFieldsEnabled(bool enabled) {
    for (QLineEdit* field : ipFields_) field->setEnabled(enabled);
}

void TfrmEditLAN::setMacEditing(bool on) {
    macEditing_ = on;
    for (QLineEdit* field : macFields_) {
        field->setReadOnly(!on);
        QPalette colours = field->palette();
        colours.setColor(QPalette::Base,
                         on ? QColor(Qt::white) : palette().color(QPalette::Button));
        field->setPalette(colours);
    }
}

void TfrmEditLAN::normaliseIpField(int n) {
    QLineEdit* field = ipFields_[n - 1];
    field->setText(normalisedIpField(field->text(), n));
}

void TfrmEditLAN::normaliseIpFields() {
    for (int n = 1; n <= kIpFieldCount; ++n) normaliseIpField(n);
}

QString TfrmEditLAN::ipText() const {
    QStringList parts;
    for (const QLineEdit* field : ipFields_) parts << field->text();
    return parts.join(u'.');
}

QString TfrmEditLAN::macText() const {
    QStringList parts;
    for (const QLineEdit* field : macFields_) parts << field->text();
    return parts.join(u'-');
}

void TfrmEditLAN::writeMacFields(const MacBytes& mac, int count) {
    for (int i = 0; i < count; ++i) macFields_[i]->setText(mac[i]);
}

bool TfrmEditLAN::refusedGroupAddress(const MacBytes& mac) {
    if (!isGroupAddress(mac)) return false;
    macFields_[0]->setFocus();
    dialogs_.error(groupAddressMessage(macFields_[0]->text()));
    return true;
}

bool TfrmEditLAN::macInUse() const {
    return macsInUse_.contains(macText());
}

void TfrmEditLAN::edtMACFieldDblClick() {
    const std::optional<MacBytes> mac = parseMacText(macText());
    if (!mac) {
        dialogs_.error(kMacNotCorrect);
        return;
    }
    if (!duplicateMacCheck_) return;
    writeMacFields(*mac, 3);
    generationDone_ = !generationDone_;
    // The loop lets events in, so a second double-click can end it, and it ends when the dialog
    // has been closed meanwhile.
    do {
        QCoreApplication::processEvents();
        for (int i = 3; i < kMacFieldCount; ++i) macFields_[i]->setText(hexByte(randomByte_()));
    } while (macInUse() && !generationDone_ && isVisible());
    generationDone_ = true;
    // The operator may have changed the fields while the loop let events in.
    if (const std::optional<MacBytes> drawn = parseMacText(macText())) refusedGroupAddress(*drawn);
}

void TfrmEditLAN::btnOKClick() {
    normaliseIpFields();
    if (!macEditing_) {
        accept();
        return;
    }
    const std::optional<MacBytes> mac = parseMacText(macText());
    if (!mac) {
        dialogs_.error(kMacNotCorrect);
        return;
    }
    writeMacFields(*mac, kMacFieldCount);
    if (refusedGroupAddress(*mac)) return;
    if (duplicateMacCheck_ && macInUse()) {
        dialogs_.error(QStringLiteral("MAC address [") + macText() +
                       QStringLiteral("] has been used, please change."));
        return;
    }
    accept();
}

}  // namespace ui
