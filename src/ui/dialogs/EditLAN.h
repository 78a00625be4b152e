#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <functional>
#include <optional>

#include "ui/presenters/lan/LanAddressFields.h"
#include "ui/presenters/lan/LanSettings.h"

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace ui {

class Dialogs;

// "TCP configuration": a module's device tag, DHCP or static address, and MAC address. The IP
// fields are normalised as the operator leaves them and on OK; with MAC editing on, OK also
// checks the MAC and a double-click or Up arrow draws a fresh one. Every way out but a
// successful OK is Cancel.
class TfrmEditLAN final : public QDialog {
    Q_OBJECT

public:
    using RandomByteSource = std::function<quint8()>;

    explicit TfrmEditLAN(Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills the controls; the address controls take `options.addressEditable` after the radio
    // buttons, so an editable address keeps its IP fields enabled whichever button is chosen.
    void arrange(const LanSettings& initial, const LanDialogOptions& options);
    LanSettings settings() const;
    // Arranges, shows modally and hands back the settings when it ends with OK.
    std::optional<LanSettings> edit(const LanSettings& initial, const LanDialogOptions& options);

    // The bytes of a generated MAC; a uniform random source unless a test gives its own.
    void setRandomByteSource(RandomByteSource source);

    QGroupBox* gbDeviceInfo() const { return gbDeviceInfo_; }
    QLineEdit* leDeviceTag() const { return leDeviceTag_; }
    QRadioButton* rbStaticIP() const { return rbStaticIP_; }
    QRadioButton* rbDHCP() const { return rbDHCP_; }
    QLabel* lblIPAddr() const { return lblIPAddr_; }
    QLineEdit* edtIPField(int n) const { return ipFields_.at(n - 1); }  // n = 1 ... 4
    QLabel* lblIPSep() const { return lblIPSep_; }
    QLabel* lblMAC() const { return lblMAC_; }
    QLineEdit* edtMACField(int n) const { return macFields_.at(n - 1); }  // n = 1 ... 6
    QLabel* lblMACSep() const { return lblMACSep_; }
    QPushButton* btnOK() const { return btnOK_; }
    QPushButton* btnClose() const { return btnClose_; }

    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildForm();
    bool previewKey(QObject* watched, QKeyEvent& key);
    void rbClick(const QRadioButton& button);
    void setAddressEnabled(bool enabled);
    void setIpFieldsEnabled(bool enabled);
    void setMacEditing(bool on);
    void normaliseIpField(int n);
    void normaliseIpFields();
    void edtMACFieldDblClick();
    void btnOKClick();
    QString ipText() const;
    QString macText() const;
    void writeMacFields(const MacBytes& mac, int count);
    // Refuses a group address: focus on the first byte and the error box.
    bool refusedGroupAddress(const MacBytes& mac);
    bool macInUse() const;

    Dialogs& dialogs_;
    RandomByteSource randomByte_;
    bool macEditing_ = false;
    bool duplicateMacCheck_ = false;
    QStringList macsInUse_;
    // False while a MAC is being drawn; a second double-click sets it and so ends the drawing.
    bool generationDone_ = true;

    QGroupBox* gbDeviceInfo_ = nullptr;
    QLineEdit* leDeviceTag_ = nullptr;
    QRadioButton* rbStaticIP_ = nullptr;
    QRadioButton* rbDHCP_ = nullptr;
    QLabel* lblIPAddr_ = nullptr;
    std::array<QLineEdit*, kIpFieldCount> ipFields_{};
    QLabel* lblIPSep_ = nullptr;
    QLabel* lblMAC_ = nullptr;
    std::array<QLineEdit*, kMacFieldCount> macFields_{};
    QLabel* lblMACSep_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnClose_ = nullptr;
};

}  // namespace ui
