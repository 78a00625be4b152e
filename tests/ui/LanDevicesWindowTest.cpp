#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <map>

#include "ModalScript.h"
#include "WindowHarness.h"
#include "settings/DeviceEntry.h"
#include "support/CaseName.h"
#include "support/ModuleBytes.h"
#include "ui/dialogs/EditLAN.h"
#include "ui/dialogs/SearchWizard.h"
#include "widgets/VKGauge.h"

// Readable failure messages for Qt texts.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace {

using testing_support::FakeDatagramSocket;
using testing_support::onNextModal;
using testing_support::WindowHarness;

const QString kModule =
    QStringLiteral("[Matrix]-[Static IP]-[192.168.0.100]-[00-1A-2B-3C-4D-01]-[Same Subnet]");
const QString kStage =
    QStringLiteral("[Stage]-[Static IP]-[192.168.0.30]-[00-1A-2B-3C-4D-09]-[Same Subnet]");
constexpr char kLanSettings[] = "[Control mode]\nMode=1\n";

QByteArray withDevices(const QStringList& entries) {
    QByteArray text = "[Control mode]\nMode=1\n[TCP control device list]\n";
    for (int i = 0; i < entries.size(); ++i) {
        text += "Device No." + QByteArray::number(i + 1) + "=" + entries[i].toUtf8() + "\n";
    }
    return text;
}

// The wizard as the operator meets it: whatever search its page started has ended.
ui::TfrmSearch& settled(QDialog& dialog) {
    auto& wizard = dynamic_cast<ui::TfrmSearch&>(dialog);
    for (int i = 0; i < 100 && wizard.page() == 1; ++i) QApplication::processEvents();
    return wizard;
}

template <class T>
T* child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QLatin1String(name));
}

struct LanDevices : ::testing::Test {
    void start(const QByteArray& settings) {
        h.writeSettings(settings);
        h.show();
    }
    QComboBox* devices() const { return h.find<QComboBox>("cbLANDevice"); }
    QStringList entries() const {
        QStringList all;
        for (int i = 0; i < devices()->count(); ++i) all << devices()->itemText(i);
        return all;
    }
    QByteArray settingsFile() const {
        QFile file(h.settingsPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Runs the search, letting `act` answer the wizard once its first search has ended.
    void search(std::function<void(ui::TfrmSearch&)> act) {
        onNextModal([act](QDialog& dialog) { act(settled(dialog)); });
        h.find<QPushButton>("btnSearchDevice")->click();
    }
    // Opens "Config ..." and lets `act` fill the dialog before OK.
    void configure(std::function<void(ui::TfrmEditLAN&)> act) {
        onNextModal([act](QDialog& dialog) {
            auto& edit = dynamic_cast<ui::TfrmEditLAN&>(dialog);
            act(edit);
            edit.btnOK()->click();
        });
        h.find<QPushButton>("btnConfig")->click();
    }
    // A hostile peer answers every search first, with 256 made-up modules.
    void floodEverySearch() {
        h.datagrams->responder = [this](const FakeDatagramSocket::Sent& sent) {
            std::vector<FakeDatagramSocket::Reply> replies = h.answerModules(sent);
            if (sent.port != 30600) return replies;
            for (int first = 0; first < 256; first += 32) {
                QByteArray records;
                for (int n = first; n < first + 32; ++n) {
                    QByteArray record = testing_support::SearchRecord(quint8(n), "Fake");
                    record[4] = '\xEE';
                    records += record;
                }
                replies.push_back({1, {records, "192.168.1.66", 30600}});
            }
            return replies;
        };
    }
    // Runs `act`; every modal dialog it opens is closed at once and counted.
    int modalsDuring(const std::function<void()>& act) {
        int opened = 0;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&opened] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++opened;
                dialog->done(QDialog::Rejected);
            }
        });
        closer.start(0);
        act();
        return opened;
    }
    std::vector<QByteArray> sentOn(quint16 port) const {
        std::vector<QByteArray> sent;
        for (const auto& d : h.datagrams->sent) {
            if (d.port == port) sent.push_back(d.bytes);
        }
        return sent;
    }

    WindowHarness h;
};

TEST_F(LanDevices, ABroadcastSearchAddsTheModuleChoosesItAndKeepsIt) {
    start(kLanSettings);
    QStringList offered;
    QString title;
    search([&](ui::TfrmSearch& wizard) {
        title = wizard.windowTitle();
        auto* list = child<QComboBox>(wizard, "cbMXDevice");
        for (int i = 0; i < list->count(); ++i) offered << list->itemText(i);
        child<QPushButton>(wizard, "btnYES")->click();
    });
    EXPECT_EQ(title, "Matrix found");
    EXPECT_EQ(offered, QStringList{kModule});
    EXPECT_EQ(devices()->currentText(), kModule);
    EXPECT_EQ(h.form().Link()->DeviceIP(), "192.168.0.100");
    EXPECT_EQ(h.connection().currentDeviceMac(), "00-1A-2B-3C-4D-01");
    EXPECT_EQ(h.panel(2), "Search TCP control device ok");
    EXPECT_TRUE(settingsFile().contains("Device No.1=" + kModule.toUtf8()));
}

TEST_F(LanDevices, AModuleBehindARouterIsFoundByItsAddressAsCrossSubnet) {
    h.modulesHearBroadcast = false;
    start(kLanSettings);
    QStringList prefilled;
    QString finalTitle;
    search([&](ui::TfrmSearch& wizard) {
        EXPECT_EQ(wizard.page(), 3);
        EXPECT_EQ(wizard.windowTitle(), "Matrix not found after Auto searching");
        for (const char* name : {"edtIPField1", "edtIPField2", "edtIPField3", "edtIPField4"}) {
            auto* field = child<QLineEdit>(wizard, name);
            prefilled << field->text();
            field->setText(QString::number(
                QStringList{"192", "168", "0", "100"}.at(prefilled.size() - 1).toInt()));
        }
        child<QPushButton>(wizard, "btnGO")->click();
        finalTitle = wizard.windowTitle();
        child<QPushButton>(wizard, "btnDone")->click();
    });
    EXPECT_EQ(prefilled, (QStringList{"192", "168", "1", "220"}));
    EXPECT_EQ(finalTitle, "Searching complete");
    EXPECT_EQ(entries(), QStringList{QString(kModule).replace("Same Subnet", "Cross Subnet")});
}

TEST_F(LanDevices, StoppingTheSearchEndsOnTheCancelledPage) {
    start(kLanSettings);
    h.modulesHearBroadcast = false;
    int pageAfterStop = 0;
    QSet<QString> progress;  // the spinner's steps as the wizard showed them
    onNextModal([&](QDialog& dialog) {
        auto& wizard = dynamic_cast<ui::TfrmSearch&>(dialog);
        h.pump->onTick = [&wizard, &progress, ticks = 0]() mutable {
            progress << child<widgets::TVKGauge>(wizard, "tsSearching")->caption();
            if (++ticks == 40) child<QPushButton>(wizard, "btnStop")->click();
        };
        settled(wizard);
        pageAfterStop = wizard.page();
        child<QPushButton>(wizard, "btnStopThenClose")->click();
    });
    const qint64 started = h.clock.nowMs();
    h.find<QPushButton>("btnSearchDevice")->click();
    EXPECT_EQ(pageAfterStop, 4);
    EXPECT_EQ(
        progress,
        (QSet<QString>{"Searching TCP control device .../", "Searching TCP control device ...-",
                       "Searching TCP control device ...\\", "Searching TCP control device ...|"}))
        << QStringList(progress.begin(), progress.end()).join(" # ").toStdString();
    EXPECT_LT(h.clock.nowMs() - started, 1000);
    EXPECT_EQ(h.panel(2), "Search TCP control device cancelled");
    EXPECT_TRUE(entries().isEmpty());
}

// What the operator does once the broadcast search has ended: "No" if it found modules, the
// address typed, perhaps Stop during the search by address; then the page's own button.
struct WizardCase {
    const char* name;
    bool broadcastAnswered;
    bool flood;
    const char* typed;
    bool stop;
    int endPage;
    const char* status;
    QString chosen;  // the device chosen afterwards, where Connect goes
};

struct WizardPaths : LanDevices, ::testing::WithParamInterface<WizardCase> {};

TEST_P(WizardPaths, EndOnTheirPageWithTheChosenDeviceInUse) {
    const WizardCase& c = GetParam();
    h.modulesHearBroadcast = c.broadcastAnswered;
    if (c.flood) floodEverySearch();
    start(withDevices({kStage}));
    int endPage = 0;
    search([&](ui::TfrmSearch& wizard) {
        if (wizard.page() == 2) child<QPushButton>(wizard, "btnNo")->click();
        const QStringList numbers = QString(c.typed).split('.');
        for (int n = 1; n <= 4; ++n)
            wizard.findChild<QLineEdit*>(QStringLiteral("edtIPField%1").arg(n))
                ->setText(numbers[n - 1]);
        if (c.stop) {
            h.pump->onTick = [&wizard, ticks = 0]() mutable {
                if (++ticks == 40) child<QPushButton>(wizard, "btnStop")->click();
            };
        }
        child<QPushButton>(wizard, "btnGO")->click();
        h.pump->onTick = nullptr;
        endPage = wizard.page();
        const std::map<int, const char*> closers{
            {4, "btnStopThenClose"}, {5, "btnDone"}, {6, "btnCloseOfEnd"}};
        if (closers.contains(endPage)) {
            child<QPushButton>(wizard, closers.at(endPage))->click();
        } else {
            wizard.done(ui::TfrmSearch::Cancel);
        }
    });
    EXPECT_EQ(endPage, c.endPage);
    EXPECT_EQ(h.panel(2), c.status);
    EXPECT_EQ(devices()->currentText(), c.chosen);
    EXPECT_EQ(h.form().Link()->DeviceIP(),
              config::DeviceEntryField(c.chosen, config::DeviceEntry::Ip));
}

const char kCancelled[] = "Search TCP control device cancelled";
const char kFound[] = "Search TCP control device ok";

INSTANTIATE_TEST_SUITE_P(
    Wizard, WizardPaths,
    ::testing::Values(WizardCase{"NothingAtTheAddressThenClose", false, false, "192.168.0.77",
                                 false, 6, kCancelled, kStage},
                      WizardCase{"StopDuringTheSearchByAddress", false, false, "192.168.0.100",
                                 true, 4, kCancelled, kStage},
                      WizardCase{"NoThenNothingAtTheAddressKeepsTheBroadcastResults", true, false,
                                 "192.168.0.77", false, 5, kFound, kModule},
                      WizardCase{"AFloodCannotHideTheModuleAtTheAddress", true, true,
                                 "192.168.0.100", false, 5, kFound,
                                 QString(kModule).replace("Same Subnet", "Cross Subnet")}),
    testing_support::CaseNamer([](const WizardCase& c) { return std::string(c.name); }));

TEST_F(LanDevices, ConfigRepairsATagWithBrackets) {
    start(withDevices({QString(kModule).replace("[Matrix]", "[Room [A]]")}));
    EXPECT_EQ(h.form().Link()->DeviceIP(), "192.168.0.100");
    configure([](ui::TfrmEditLAN&) {});
    const QByteArray record = sentOn(30601).front();
    EXPECT_EQ(record.left(6).toHex(), "001a2b3c4d01");
    EXPECT_EQ(record.mid(42, 7), QByteArray("Room A\0", 7));
    EXPECT_EQ(entries(), QStringList{QString(kModule).replace("[Matrix]", "[Room A]")});
}

struct BusyCase {
    const char* name;
    std::function<void(LanDevices&)> act;
};

struct WhileBusy : LanDevices, ::testing::WithParamInterface<BusyCase> {};

// A Device status refresh or any other command is waiting for the switcher.
TEST_P(WhileBusy, RefusedAndNothingChanges) {
    start(withDevices({kModule, kStage}));
    h.guard.setIdle(false);
    h.dialogs.answers = {true};
    EXPECT_EQ(modalsDuring([this] { GetParam().act(*this); }), 0);
    EXPECT_EQ(h.panel(3), "In processing, command ignored");
    EXPECT_TRUE(h.dialogs.texts("question").isEmpty());
    EXPECT_TRUE(h.datagrams->sent.empty());
    EXPECT_EQ(entries(), (QStringList{kModule, kStage}));
    EXPECT_EQ(devices()->currentText(), kModule);
    EXPECT_EQ(h.form().Link()->DeviceIP(), "192.168.0.100");
    EXPECT_EQ(h.form().Link()->ControlMode(), devlink::cmLAN);
    EXPECT_TRUE(h.find<QRadioButton>("rbLANMode")->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, WhileBusy,
    ::testing::Values(
        BusyCase{"DeviceChange",
                 [](LanDevices& t) {
                     t.devices()->setCurrentIndex(1);
                     emit t.devices()->activated(1);
                 }},
        BusyCase{"Search",
                 [](LanDevices& t) { t.h.find<QPushButton>("btnSearchDevice")->click(); }},
        BusyCase{"Config", [](LanDevices& t) { t.h.find<QPushButton>("btnConfig")->click(); }},
        BusyCase{"Delete",
                 [](LanDevices& t) { t.h.find<QPushButton>("btnDeleteDevice")->click(); }},
        BusyCase{"ModeChange",
                 [](LanDevices& t) { t.h.find<QRadioButton>("rbCOMMode")->click(); }}),
    testing_support::CaseNamer([](const BusyCase& c) { return std::string(c.name); }));

TEST_F(LanDevices, ConfiguringSendsTheRecordAndReplacesTheEntry) {
    start(withDevices({kModule}));
    configure([](ui::TfrmEditLAN& edit) {
        edit.leDeviceTag()->setText("Lobby");
        edit.rbStaticIP()->click();
        edit.edtIPField(4)->setText("150");
    });
    const auto sent = sentOn(30601);
    ASSERT_GE(sent.size(), 2u);
    const QByteArray record = sent.front();
    EXPECT_EQ(std::count(sent.begin(), sent.end(), record), static_cast<long>(sent.size()));
    ASSERT_EQ(record.size(), 76);
    // MAC, address, gateway .1, mask, static, reserved, flags.
    EXPECT_EQ(record.left(26).toHex().toStdString(),
              "001a2b3c4d01c0a80096c0a80001ffffff00"
              "00000000000000"
              "15");
    EXPECT_EQ(record.mid(42, 6), QByteArray("Lobby\0", 6));
    EXPECT_EQ(quint8(record[74]), 0xFF);
    EXPECT_EQ(h.panel(2), "Modify TCP configuration ok");
    const QString changed = "[Lobby]-[Static IP]-[192.168.0.150]-[00-1A-2B-3C-4D-01]-[Same Subnet]";
    EXPECT_EQ(entries(), QStringList{changed});
    EXPECT_EQ(h.form().Link()->DeviceIP(), "192.168.0.150");
    EXPECT_TRUE(settingsFile().contains("Device No.1=" + changed.toUtf8()));
    EXPECT_EQ(h.sim.modules().modules().front().name, "Lobby");
}

TEST_F(LanDevices, ACrossSubnetModuleIsSentItsTagOnly) {
    const QString crossed = QString(kModule).replace("Same Subnet", "Cross Subnet");
    start(withDevices({crossed}));
    bool addressEditable = true;
    configure([&](ui::TfrmEditLAN& edit) {
        addressEditable = edit.edtIPField(1)->isEnabled() || edit.rbStaticIP()->isEnabled();
        edit.leDeviceTag()->setText("Far");
    });
    EXPECT_FALSE(addressEditable);
    const QByteArray record = sentOn(30601).front();
    EXPECT_EQ(record.mid(6, 13), QByteArray(13, '\0'));
    EXPECT_EQ(quint8(record[25]), 0x14);
    EXPECT_EQ(entries(),
              QStringList{"[Far]-[Static IP]-[192.168.0.100]-[00-1A-2B-3C-4D-01]-[Cross Subnet]"});
}

struct RefusalCase {
    const char* name;
    sim::ModuleFault fault;
    QString address;
    QString alert;
    bool sent;
};

struct ConfigRefused : LanDevices, ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ConfigRefused, AlertsAndKeepsTheEntry) {
    sim::ModuleSetup setup;
    setup.fault = GetParam().fault;
    h.sim.modules() = sim::ModuleBank(setup);
    start(withDevices({kModule}));
    configure([](ui::TfrmEditLAN& edit) {
        edit.rbStaticIP()->click();
        const QStringList numbers = GetParam().address.split('.');
        for (int n = 1; n <= 4; ++n) edit.edtIPField(n)->setText(numbers[n - 1]);
    });
    EXPECT_EQ(h.panel(2), GetParam().alert);
    EXPECT_TRUE(h.alertShown() || !h.sleeper.sleeps.empty());
    EXPECT_EQ(!sentOn(30601).empty(), GetParam().sent);
    EXPECT_EQ(entries(), QStringList{kModule});
    EXPECT_TRUE(h.find<QPushButton>("btnConfig")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ConfigRefused,
    ::testing::Values(RefusalCase{"ModuleReportsConflict", sim::ModuleFault::Conflict,
                                  "192.168.0.150", "Setting IP conflict:192.168.0.150", true},
                      RefusalCase{"ModuleFails", sim::ModuleFault::Fail, "192.168.0.150",
                                  "Modify TCP configuration failed", true},
                      RefusalCase{"ModuleSilent", sim::ModuleFault::Silent, "192.168.0.150",
                                  "Modify TCP configuration failed", true},
                      RefusalCase{"ThisPcsOwnAddress", sim::ModuleFault::None, "192.168.1.10",
                                  "Setting IP conflict:192.168.1.10", false}),
    testing_support::CaseNamer([](const RefusalCase& c) { return std::string(c.name); }));

TEST_F(LanDevices, DeletingTheOnlyEntryLeavesNoDevice) {
    start(withDevices({kModule}));
    h.dialogs.answers = {false, true};
    h.find<QPushButton>("btnDeleteDevice")->click();
    EXPECT_EQ(entries(), QStringList{kModule});
    h.find<QPushButton>("btnDeleteDevice")->click();
    EXPECT_EQ(h.dialogs.texts("question"),
              QStringList(2, "Sure to delete device: " + kModule + " ?"));
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(h.form().Link()->DeviceIP(), "0.0.0.0");
    EXPECT_EQ(h.connection().currentDeviceMac(), "00-00-00-00-00-00");
    EXPECT_FALSE(settingsFile().contains("Device No.1"));
}

TEST_F(LanDevices, ConfigWithoutADeviceSaysSo) {
    start(kLanSettings);
    h.find<QPushButton>("btnConfig")->click();
    EXPECT_EQ(h.dialogs.texts("information"), QStringList{"TCP control deivce not found."});
}

TEST_F(LanDevices, AHandEditedEntryReadsWithTheDefaultsOfItsMissingFields) {
    start(withDevices({"[Hall]-[Auto IP]-[10.1.2.3"}));
    EXPECT_EQ(h.form().Link()->DeviceIP(), "0.0.0.0");
    EXPECT_EQ(h.connection().currentDeviceMac(), "00-00-00-00-00-00");
}

struct ModuleCase {
    const char* name;
    int modules;  // 0: nothing answers on the serial port
    const char* button;
    bool confirmed;  // the reset's typed confirmation
    int packetsSent;
    const char* status;
};

struct ModuleOutcome : LanDevices, ::testing::WithParamInterface<ModuleCase> {};

TEST_P(ModuleOutcome, IsReportedAndFreesTheLink) {
    const ModuleCase& c = GetParam();
    sim::ModuleSetup setup;
    setup.count = c.modules;
    h.sim.modules() = sim::ModuleBank(setup);
    h.ports.names = {"ttySIM"};
    start("[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n");
    if (c.button == std::string("btnReset")) {
        onNextModal([&c](QDialog& dialog) {
            if (c.confirmed) QTest::keyClicks(child<QLineEdit>(dialog, "edtYes"), "Yes");
            child<QPushButton>(dialog, c.confirmed ? "btnYes" : "btnNo")->click();
        });
    }
    h.find<QPushButton>(c.button)->click();
    EXPECT_EQ(std::count_if(h.transport->written.begin(), h.transport->written.end(),
                            [](const QByteArray& w) { return w.size() == 32; }),
              c.packetsSent);
    EXPECT_EQ(h.panel(2), c.status);
    EXPECT_EQ(h.panel(3), "");
    EXPECT_TRUE(h.guard.idle());
    EXPECT_TRUE(h.find<QPushButton>("btnQueryTCPModInfo")->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(
    Module, ModuleOutcome,
    ::testing::Values(
        ModuleCase{"QueryUnanswered", 0, "btnQueryTCPModInfo", false, 5, "Query TCP Module failed"},
        ModuleCase{"ResetUnanswered", 0, "btnReset", true, 5, "Reset Default failed"},
        ModuleCase{"ResetNotConfirmed", 1, "btnReset", false, 0, "Reset Default cancelled"}),
    testing_support::CaseNamer([](const ModuleCase& c) { return std::string(c.name); }));

TEST_F(LanDevices, ModuleQueryAndResetInComControlMode) {
    h.ports.names = {"ttySIM"};
    start("[Control mode]\nMode=0\n[COM port]\nName=ttySIM\n");
    h.find<QPushButton>("btnQueryTCPModInfo")->click();
    EXPECT_EQ(h.panel(2), "Query TCP Module ok");
    EXPECT_EQ(h.find<QLabel>("lblTCPVersion")->text(), "Version: Ver1.0");
    EXPECT_EQ(h.find<QLabel>("lblTCPDHCP")->text(), "DHCP: Static IP");
    EXPECT_EQ(h.find<QLabel>("lblTCPIPAddr")->text(), "IP Address: 192.168.0.100");

    onNextModal([](QDialog& dialog) {
        QTest::keyClicks(child<QLineEdit>(dialog, "edtYes"), "Yes");
        child<QPushButton>(dialog, "btnYes")->click();
    });
    const qsizetype before = h.transport->written.size();
    h.find<QPushButton>("btnReset")->click();
    ASSERT_GT(h.transport->written.size(), before + 1);
    const QByteArray reset = h.transport->written.at(before);
    ASSERT_EQ(reset.size(), 32);
    EXPECT_EQ(quint8(reset[16]), 0xFF);
    EXPECT_EQ(reset.mid(20, 4), QByteArray("\xC0\xA8\x00\x64", 4));
    EXPECT_EQ(h.panel(2), "Query TCP Module ok");
    EXPECT_TRUE(h.find<QPushButton>("btnQueryTCPModInfo")->isEnabled());
}

// The module's command port answers at one address only.
class AddressStream final : public devlink::StreamClient {
public:
    explicit AddressStream(QString address) : address_(std::move(address)) {}
    void connectTo(const QString& host, quint16, int) override {
        tried.push_back(host);
        if (host != address_) throw devlink::TransportError(QStringLiteral("refused"));
        connected_ = true;
    }
    void disconnectFromHost() override { connected_ = false; }
    bool isConnected() const override { return connected_; }
    void discardPending() override {}
    void sendAll(const QByteArray&) override {}
    QByteArray takeBuffered() override { return {}; }
    QStringList tried;

private:
    QString address_;
    bool connected_ = false;
};

TEST_F(LanDevices, AModuleThatMovedIsFoundByItsMacAndKeptAtItsNewAddressOnYes) {
    const QString moved =
        QStringLiteral("[Matrix]-[Static IP]-[192.168.0.55]-[00-1A-2B-3C-4D-01]-[Same Subnet]");
    const QString noMac =
        QStringLiteral("[Matrix]-[Static IP]-[192.168.0.55]-[00-00-00-00-00-00]-[Same Subnet]");
    const struct {
        const char* name;
        QString entry;
        bool yes;
        QStringList tried;
        QString keptEntry;
    } cases[] = {
        {"yes", moved, true, {"192.168.0.55", "192.168.0.100"}, kModule},
        {"no", moved, false, {"192.168.0.55"}, moved},
        {"noMac", noMac, true, {"192.168.0.55"}, noMac},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        WindowHarness w;
        auto stream = std::make_unique<AddressStream>(QStringLiteral("192.168.0.100"));
        AddressStream& rawStream = *stream;
        w.tcp = std::move(stream);
        w.writeSettings(withDevices({c.entry}) + "[TCP control device]\nName=" + c.entry.toUtf8() +
                        "\n");
        w.show();
        w.dialogs.answers = {c.yes};
        w.connection().btnConnectClick();
        EXPECT_EQ(rawStream.tried, c.tried);
        EXPECT_EQ(w.dialogs.texts("question"),
                  c.entry == noMac ? QStringList()
                                   : QStringList{"Matrix Matrix now answers at 192.168.0.100: use "
                                                 "this address?"});
        EXPECT_EQ(w.find<QComboBox>("cbLANDevice")->currentText(), c.keptEntry);
        EXPECT_EQ(w.panel(1),
                  c.yes && c.entry == moved ? "192.168.0.100: Connected" : "Disconnect");
        EXPECT_EQ(w.datagrams->sent.empty(), c.entry == noMac) << "one search, by MAC only";
    }
}

}  // namespace
