// The module search and configuration on the fake module socket, and the LDCD exchange on the
// simulated serial line, all on virtual time.
#include <gtest/gtest.h>

#include "lan/ModuleRecords.h"
#include "support/CaseName.h"
#include "support/ModuleBytes.h"
#include "support/SimHarness.h"

using namespace devlink;
using testing_support::FakeDatagramSocket;
using testing_support::SearchRecord;

namespace {

const QString kModuleIp = QStringLiteral("192.168.1.50");

Datagram From(const QByteArray& bytes, const QString& ip = kModuleIp, quint16 port = 30600) {
    return {bytes, ip, port};
}

// Answers every request once, `afterMs` later.
FakeDatagramSocket::Responder Answering(std::vector<Datagram> answers, qint64 afterMs = 50) {
    return [answers, afterMs](const FakeDatagramSocket::Sent&) {
        std::vector<FakeDatagramSocket::Reply> replies;
        for (const Datagram& d : answers) replies.push_back({afterMs, d});
        return replies;
    };
}

class ModuleLink : public ::testing::Test {
protected:
    FakeDatagramSocket& udp() { return *h.datagrams; }
    TVKCOMControl& link() { return *h.link; }
    std::vector<LinkNotification> lanStatus() const {
        std::vector<LinkNotification> found;
        for (const auto& n : h.observer.received)
            if (n.message == WM_LINK_LANSTATUS) found.push_back(n);
        return found;
    }
    std::vector<QString> sentTo() const {
        std::vector<QString> hosts;
        for (const auto& s : h.datagrams->sent)
            hosts.push_back(s.host + ':' + QString::number(s.port));
        return hosts;
    }

    testing_support::LinkHarness h;
};

TEST_F(ModuleLink, BroadcastSearchListsEveryModuleOnceAndSpinsForTheWizard) {
    udp().responder =
        Answering({From(SearchRecord(1, "A") + SearchRecord(2, "B")), From(SearchRecord(1, "A"))});
    EXPECT_TRUE(link().SearchModules());

    EXPECT_EQ(udp().boundPorts, std::vector<quint16>{30600});
    EXPECT_TRUE(udp().broadcastAllowed);
    EXPECT_EQ(sentTo(), (std::vector<QString>{"255.255.255.255:30600", "192.168.1.255:30600",
                                              "10.0.0.255:30600"}));
    EXPECT_EQ(udp().sent[0].bytes, QByteArray(1, '#'));
    // Answers are gathered for the whole cycle of 30 steps of 100 ms.
    EXPECT_EQ(h.clock.nowMs(), 3000);
    const auto status = lanStatus();
    ASSERT_EQ(status.size(), 30u);
    const QString searching = QStringLiteral("Searching TCP control device ...");
    EXPECT_EQ(status[0].text, searching + "/");
    EXPECT_EQ(status[1].text, searching + "-");
    EXPECT_EQ(status[2].text, searching + "\\");
    EXPECT_EQ(status[3].text, searching + "|");
    EXPECT_EQ(status[4].text, searching + "/");
    EXPECT_EQ(status[0].lParam, 0);

    ASSERT_EQ(link().FoundModuleCount(), 2);
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldMac), "00-1A-2B-3C-4D-02");
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldName), "B");
    EXPECT_FALSE(link().IsSearching());

    // A later search adds nothing for a module already listed, even under a new name.
    udp().responder = Answering({From(SearchRecord(2, "renamed"))});
    EXPECT_TRUE(link().SearchModules());
    EXPECT_EQ(link().FoundModuleCount(), 2);
    EXPECT_EQ(link().FoundModuleField(2, lan::kFieldName), "B");
    link().ClearFoundModules();
    EXPECT_EQ(link().FoundModuleCount(), 0);
}

TEST_F(ModuleLink, SearchByAddressAsksTheDeviceAlone) {
    link().SetUDPMode(umNORMAL);
    link().SetDeviceIP(kModuleIp);
    udp().responder = Answering({From(SearchRecord(1, "A"))});
    EXPECT_TRUE(link().SearchModules());
    EXPECT_EQ(sentTo(), std::vector<QString>{"192.168.1.50:30600"});
    EXPECT_FALSE(udp().broadcastAllowed);
}

TEST_F(ModuleLink, OutOfRangeFieldsGiveTheDefaults) {
    for (const int n : {-1, 0, 1}) {
        EXPECT_EQ(link().FoundModuleField(n, lan::kFieldMac), "00-00-00-00-00-00");
        EXPECT_EQ(link().FoundModuleField(n, lan::kFieldIp), "0.0.0.0");
        EXPECT_EQ(link().FoundModuleField(n, lan::kFieldName), "");
    }
}

struct IgnoredCase {
    const char* name;
    Datagram datagram;
};

class IgnoredDuringSearch : public ModuleLink, public ::testing::WithParamInterface<IgnoredCase> {};

// Each of these alone leaves the search fruitless: five cycles, about 15.5 s.
TEST_P(IgnoredDuringSearch, DoesNotEndTheSearch) {
    udp().responder = Answering({GetParam().datagram});
    EXPECT_FALSE(link().SearchModules());
    EXPECT_EQ(h.clock.nowMs(), 15500);
    EXPECT_EQ(udp().sent.size(), 5u * 3u);
    EXPECT_EQ(lanStatus().size(), 150u);
    EXPECT_EQ(link().FoundModuleCount(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Datagrams, IgnoredDuringSearch,
    ::testing::Values(
        IgnoredCase{"54 bytes", From(SearchRecord(1, "A").left(54))},
        IgnoredCase{"56 bytes", From(SearchRecord(1, "A") + 'x')},
        IgnoredCase{"from this PC", From(SearchRecord(1, "A"), "192.168.1.10")},
        IgnoredCase{"from the second interface", From(SearchRecord(1, "A"), "10.0.0.5")},
        IgnoredCase{"from the host name address", From(SearchRecord(1, "A"), "127.0.1.1")},
        IgnoredCase{"from loopback", From(SearchRecord(1, "A"), "127.0.0.1")},
        IgnoredCase{"from the configuration port", From(SearchRecord(1, "A"), kModuleIp, 30601)},
        IgnoredCase{"name with a control character", From(SearchRecord(1, "x\x85y"))}),
    testing_support::CaseNamer([](const IgnoredCase& c) { return c.name; }));

TEST_F(ModuleLink, FloodOfModulesStopsAt256) {
    // 37 new modules in each of 20 datagrams, all within one cycle.
    udp().responder = [](const FakeDatagramSocket::Sent& sent) {
        std::vector<FakeDatagramSocket::Reply> replies;
        if (sent.host != "255.255.255.255") return replies;
        for (int d = 0; d < 20; ++d) {
            QByteArray datagram;
            for (int r = 0; r < 37; ++r) {
                QByteArray record = SearchRecord(static_cast<quint8>(r), "M");
                record[4] = static_cast<char>(d);
                datagram += record;
            }
            replies.push_back({10 + d, From(datagram)});
        }
        return replies;
    };
    EXPECT_TRUE(link().SearchModules());
    EXPECT_EQ(link().FoundModuleCount(), 256);
}

TEST_F(ModuleLink, StopButtonEndsTheSearchWithinOneStep) {
    h.pump->onTick = [&] {
        if (h.clock.nowMs() == 4550) link().CancelSearch();
    };
    udp().responder = Answering({From(SearchRecord(1, "A"))}, 5000);
    EXPECT_FALSE(link().SearchModules());
    EXPECT_EQ(h.clock.nowMs(), 4600);
    EXPECT_FALSE(link().IsSearching());
    EXPECT_EQ(udp().sent.size(), 3u * 2u);
}

TEST_F(ModuleLink, ClosingWindowEndsTheSearchAndLeavesItsFlag) {
    h.pump->onTick = [&] {
        if (h.clock.nowMs() == 1000) h.flags.requestStop();
    };
    EXPECT_FALSE(link().SearchModules());
    EXPECT_LE(h.clock.nowMs(), 1010);
    EXPECT_TRUE(link().IsSearching());
    EXPECT_FALSE(link().SearchModules());
}

TEST_F(ModuleLink, ModeChangeEndsARunningSearch) {
    h.pump->onTick = [&] {
        if (h.clock.nowMs() == 200) link().SetControlMode(cmLAN);
    };
    EXPECT_FALSE(link().SearchModules());
    EXPECT_EQ(h.clock.nowMs(), 300);
}

TEST_F(ModuleLink, UnboundSocketFailsBothOperationsWithAnError) {
    udp().failBind = true;
    EXPECT_FALSE(link().SearchModules());
    EXPECT_EQ(link().ConfigureModule(lan::BuildConfigRecord({})), 1);
    EXPECT_EQ(h.observer.outcomes(), (std::vector<int>{WM_LINK_ERROR, WM_LINK_ERROR}));
    EXPECT_TRUE(udp().sent.empty());
    EXPECT_FALSE(link().IsSearching());
    EXPECT_FALSE(link().IsConfiguring());
}

TEST_F(ModuleLink, LogsEveryDatagramWithBothAddresses) {
    udp().arrive(0, From(QByteArray("x"), kModuleIp, 1234));
    h.pump->tick();
    EXPECT_EQ(h.observer.texts(WM_LINK_FRAMELOG),
              std::vector<QString>{"Remote: [192.168.1.50] : Port[1234]\r\nLocal: [192.168.1.10]"});
}

// --- configuration ---

const lan::ModuleSettings kStatic{
    {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01}, "Hall", true, false, {192, 168, 1, 77}};

QByteArray AnswerTo(const QByteArray& request, quint8 status, quint8 macTail = 0x01) {
    QByteArray answer = request;
    answer[5] = static_cast<char>(macTail);
    answer[74] = static_cast<char>(status);
    return answer;
}

struct ConfigCase {
    const char* name;
    // What comes back to the request sent to the device's address.
    std::function<std::vector<Datagram>(const QByteArray& request)> answers;
    int result;
    qint64 elapsedMs;
};

class Configuration : public ModuleLink, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(Configuration, JudgesTheAnswer) {
    link().SetDeviceIP(kModuleIp);
    udp().responder = [&](const FakeDatagramSocket::Sent& sent) {
        std::vector<FakeDatagramSocket::Reply> replies;
        // Our own broadcast always comes back to us.
        if (sent.host == "255.255.255.255")
            replies.push_back({1, From(sent.bytes, "192.168.1.10", 30601)});
        if (sent.host == kModuleIp)
            for (const Datagram& d : GetParam().answers(sent.bytes)) replies.push_back({20, d});
        return replies;
    };
    EXPECT_EQ(link().ConfigureModule(lan::BuildConfigRecord(kStatic)), GetParam().result);
    EXPECT_EQ(h.clock.nowMs(), GetParam().elapsedMs);
    EXPECT_FALSE(link().IsConfiguring());

    EXPECT_EQ(udp().boundPorts, std::vector<quint16>{30601});
    EXPECT_EQ(sentTo(), (std::vector<QString>{"255.255.255.255:30601", "192.168.1.255:30601",
                                              "10.0.0.255:30601", "192.168.1.50:30601"}));
    const QByteArray request = udp().sent.back().bytes;
    EXPECT_EQ(udp().sent.back().atMs, 50);
    ASSERT_EQ(request.size(), 76);
    const auto sealed = lan::SealConfigRequest(lan::BuildConfigRecord(kStatic));
    EXPECT_EQ(request, QByteArray(reinterpret_cast<const char*>(sealed.data()), 76));
    const auto status = lanStatus();
    ASSERT_FALSE(status.empty());
    EXPECT_EQ(status[1].text, "Setting TCP control configuration ...-");
    EXPECT_EQ(status[1].lParam, 1);
}

const auto kStatusAnswer = [](quint8 status) {
    return [status](const QByteArray& request) {
        return std::vector<Datagram>{From(AnswerTo(request, status), kModuleIp, 30601)};
    };
};

INSTANTIATE_TEST_SUITE_P(
    Answers, Configuration,
    ::testing::Values(ConfigCase{"accepted", kStatusAnswer(0x00), 0, 3050},
                      ConfigCase{"conflict", kStatusAnswer(0x20), 2, 3050},
                      ConfigCase{"failed", kStatusAnswer(0x10), 1, 3050},
                      ConfigCase{"other status", kStatusAnswer(0x42), 1, 3050},
                      ConfigCase{"accepted after a copy of the request in one datagram",
                                 [](const QByteArray& r) {
                                     return std::vector<Datagram>{
                                         From(r + AnswerTo(r, 0x00), kModuleIp, 30601)};
                                 },
                                 0, 3050},
                      ConfigCase{"no answer",
                                 [](const QByteArray&) { return std::vector<Datagram>{}; }, 1,
                                 31050},
                      ConfigCase{"answer for another module",
                                 [](const QByteArray& r) {
                                     return std::vector<Datagram>{
                                         From(AnswerTo(r, 0x00, 0x02), kModuleIp, 30601)};
                                 },
                                 1, 31050},
                      ConfigCase{"answer of 75 bytes",
                                 [](const QByteArray& r) {
                                     return std::vector<Datagram>{
                                         From(AnswerTo(r, 0x00).left(75), kModuleIp, 30601)};
                                 },
                                 1, 31050}),
    testing_support::CaseNamer([](const ConfigCase& c) { return c.name; }));

TEST_F(ModuleLink, OwnAddressIsAConflictBeforeAnythingIsSent) {
    for (const auto& own :
         std::vector<std::array<quint8, 4>>{{192, 168, 1, 10}, {10, 0, 0, 5}, {127, 0, 1, 1}}) {
        lan::ModuleSettings settings = kStatic;
        settings.ip = own;
        EXPECT_EQ(link().ConfigureModule(lan::BuildConfigRecord(settings)), 2);
    }
    EXPECT_TRUE(udp().boundPorts.empty());
    EXPECT_TRUE(udp().sent.empty());
    EXPECT_TRUE(lanStatus().empty());
}

TEST_F(ModuleLink, SecondOperationDuringAConfigurationIsRefused) {
    int nested = -1;
    bool nestedSearch = true;
    h.pump->onTick = [&] {
        if (h.clock.nowMs() != 500) return;
        nested = link().ConfigureModule(lan::BuildConfigRecord(kStatic));
        nestedSearch = link().SearchModules();
    };
    udp().responder = Answering({From(QByteArray(), kModuleIp, 30601)});
    EXPECT_EQ(link().ConfigureModule(lan::BuildConfigRecord(kStatic)), 1);
    EXPECT_EQ(nested, 1);
    EXPECT_FALSE(nestedSearch);
    EXPECT_EQ(udp().boundPorts.size(), 1u);
}

// --- LDCD ---

lan::LdcdPacket Sealed(lan::LdcdPacket p) {
    p[31] = lan::ByteSum(std::span(p).first(31));
    return p;
}

lan::LdcdPacket GoodAnswer() {
    lan::LdcdPacket p = lan::SealLdcdRequest(lan::LdcdQueryRequest());
    p[17] = 1;
    p[18] = 5;
    p[30] = 0;
    return Sealed(p);
}

struct LdcdCase {
    const char* name;
    std::vector<std::optional<lan::LdcdPacket>> answers;  // per attempt; nullopt: silence
    bool ok;
    std::vector<int> outcomes;
    int attempts;
};

class LdcdExchange : public ModuleLink, public ::testing::WithParamInterface<LdcdCase> {};

TEST_P(LdcdExchange, TriesFiveTimes) {
    int attempt = 0;
    h.transport->setResponder([&](const QByteArray&, qint64 now) {
        const auto& answers = GetParam().answers;
        const auto& answer = answers[std::min<std::size_t>(attempt++, answers.size() - 1)];
        std::vector<sim::Delivery> deliveries;
        if (answer)
            deliveries.push_back(
                {double(now + 20), QByteArray(reinterpret_cast<const char*>(answer->data()), 32)});
        return deliveries;
    });
    const auto answer = link().ExchangeLdcd(lan::LdcdQueryRequest());
    EXPECT_EQ(answer.ok, GetParam().ok);
    EXPECT_EQ(h.observer.outcomes(), GetParam().outcomes);
    EXPECT_EQ(attempt, GetParam().attempts);
    const auto sent = lan::SealLdcdRequest(lan::LdcdQueryRequest());
    EXPECT_EQ(h.transport->written.front(),
              QByteArray(reinterpret_cast<const char*>(sent.data()), 32));
    if (answer.ok) {
        EXPECT_EQ(answer.packet, GoodAnswer());
    }
}

lan::LdcdPacket WrongSignature() {
    lan::LdcdPacket p = GoodAnswer();
    p[3] = 0x08;
    return Sealed(p);
}

lan::LdcdPacket WrongChecksum() {
    lan::LdcdPacket p = GoodAnswer();
    ++p[31];
    return p;
}

lan::LdcdPacket StillARequest() {
    lan::LdcdPacket p = GoodAnswer();
    p[30] = 0xFF;
    return Sealed(p);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LdcdExchange,
    ::testing::Values(LdcdCase{"good", {GoodAnswer()}, true, {}, 1},
                      LdcdCase{"good after a bad checksum and silence",
                               {WrongChecksum(), std::nullopt, GoodAnswer()},
                               true,
                               {},
                               3},
                      LdcdCase{"wrong signature", {WrongSignature()}, false, {}, 5},
                      LdcdCase{"status still FF", {StillARequest()}, false, {}, 5},
                      LdcdCase{"wrong checksum", {WrongChecksum()}, false, {WM_LINK_NOREPLY}, 5},
                      LdcdCase{"silence", {std::nullopt}, false, {WM_LINK_TIMEOUT}, 5}),
    testing_support::CaseNamer([](const LdcdCase& c) { return c.name; }));

TEST_F(ModuleLink, LdcdLogsBothPackets) {
    h.transport->setResponder([](const QByteArray&, qint64 now) {
        const auto a = GoodAnswer();
        return std::vector<sim::Delivery>{
            {double(now + 20), QByteArray(reinterpret_cast<const char*>(a.data()), 32)}};
    });
    ASSERT_TRUE(link().ExchangeLdcd(lan::LdcdQueryRequest()).ok);
    const auto logs = h.observer.texts(WM_LINK_FRAMELOG);
    ASSERT_EQ(logs.size(), 2u);
    EXPECT_TRUE(logs[0].startsWith("send LDCD:   \r\nheader:5A 3C"));
    EXPECT_TRUE(logs[1].startsWith("rcv LDCD:   \r\nheader:5A 3C"));
    EXPECT_TRUE(logs[1].contains("\r\nparam1:01; param2:05\r\n"));
}

TEST_F(ModuleLink, LdcdQueryAndResetAgainstTheSimulator) {
    const auto query = link().ExchangeLdcd(lan::LdcdQueryRequest());
    ASSERT_TRUE(query.ok);
    EXPECT_EQ(query.packet[17], 1);
    EXPECT_EQ(query.packet[18], 0);
    lan::LdcdPacket reset = lan::LdcdResetRequest();
    reset[23] = 7;  // the module takes the address the reset gives
    ASSERT_TRUE(link().ExchangeLdcd(reset).ok);
    const auto after = link().ExchangeLdcd(lan::LdcdQueryRequest());
    ASSERT_TRUE(after.ok);
    EXPECT_EQ(lan::DottedText(std::span<const quint8, 4>(after.packet.data() + 20, 4)),
              "192.168.0.7");
    EXPECT_EQ(h.transport->written.size(), 3u);
}

}  // namespace
