// The link in TCP control mode against the simulator's command port, in-process.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTcpServer>
#include <QTcpSocket>
#include <thread>

#include "lan/TcpStreamClient.h"
#include "link/VKCOMControl.h"
#include "sim/SimServer.h"
#include "support/EventWait.h"
#include "support/SimHarness.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;
using testing_support::ProcessEventsUntil;

namespace {

class TcpLink : public ::testing::Test {
protected:
    void SetUp() override {
        sim::SimServer::Options options;
        options.tcpAddress = QHostAddress::LocalHost;
        options.tcpPort = 0;
        options.quiet = true;
        server_ = std::make_unique<sim::SimServer>(options);
        QObject::connect(server_.get(), &sim::SimServer::lineReady, [this](const QString& line) {
            if (line.startsWith(QStringLiteral("TCP "))) port_ = line.section(u':', -1).toUShort();
        });
        QString error;
        ASSERT_TRUE(server_->start(&error)) << error.toStdString();
        ASSERT_NE(port_, 0);
        makeLink(port_);
    }

    void makeLink(quint16 port) {
        link_.reset();
        link_ = std::make_unique<TVKCOMControl>(TVKCOMControl::Parts{
            std::make_unique<TComPort>(), std::make_unique<lan::TcpStreamClient>(), &pump_, &clock_,
            &flags_, port});
        observer_.listenTo(*link_);
        link_->SetDeviceIP(QStringLiteral("127.0.0.1"));
    }

    std::unique_ptr<sim::SimServer> server_;
    quint16 port_ = 0;
    LinkGuard flags_;
    EventLoopPump pump_;
    SteadyClock clock_;
    testing_support::RecordingObserver observer_;
    std::unique_ptr<TVKCOMControl> link_;
};

TEST_F(TcpLink, ExchangesCommandsOverTheStream) {
    ASSERT_TRUE(link_->Connect());
    EXPECT_TRUE(link_->GetConnected());
    EXPECT_EQ(link_->Transact(BuildFrame(0x02, 0x03, 6, 1)).ok, 1);
    EXPECT_EQ(server_->sim().state().routes[0], 6);
    const CommandResult route = link_->Transact(BuildFrame(0x02, 0x01, 1));
    EXPECT_EQ(route.ok, 1);
    EXPECT_EQ(route.reply[6], 6);
    const auto logs = observer_.texts(WM_LINK_DATALOG);
    ASSERT_FALSE(logs.empty());
    const QString stars(48, u'*');
    EXPECT_TRUE(logs.back().startsWith(stars + "\r\ncmLAN:::0xA5, 0x5B, "));
    EXPECT_TRUE(logs.back().endsWith(stars + "\r\n"));
    EXPECT_TRUE(observer_.outcomes().empty());
}

TEST_F(TcpLink, AssemblesASplitReplyAndReadsAnEdid) {
    server_->sim().injectFault({sim::FaultKind::Split, 1, -1, -1, 0, 3, {}});
    ASSERT_TRUE(link_->Connect());
    EXPECT_EQ(link_->Transact(BuildFrame(0x01, 0x01, 0xFE)).ok, 1);
    EXPECT_EQ(link_->ReadData(BuildFrame(0x03, 0x05, 0xF001), 257).ok, 1);
    EXPECT_EQ(link_->InStream(), server_->sim().state().outputEdid[0]);
}

TEST_F(TcpLink, NoDeviceChosenFailsToConnect) {
    link_->SetDeviceIP(QStringLiteral("0.0.0.0"));
    EXPECT_FALSE(link_->Connect());
    EXPECT_FALSE(link_->IsConnecting());
    ASSERT_EQ(observer_.outcomes(), std::vector<int>{WM_LINK_CONNECTFAIL});
    EXPECT_EQ(observer_.received.back().wParam, 0);
}

TEST_F(TcpLink, ARefusedConnectionFails) {
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost, 0));
    const quint16 unused = closed.serverPort();
    closed.close();
    makeLink(unused);
    EXPECT_FALSE(link_->Connect());
    EXPECT_EQ(observer_.outcomes(), std::vector<int>{WM_LINK_CONNECTFAIL});
}

TEST_F(TcpLink, AModuleThatHangsUpEndsTheExchangeWithLinkErrorAtOnce) {
    ASSERT_TRUE(link_->Connect());
    server_->sim().injectFault({sim::FaultKind::DropConnection, 1, -1, -1, 0, 2, {}});
    const qint64 start = clock_.nowMs();
    EXPECT_EQ(link_->Transact(BuildFrame(0x01, 0x01, 0xFE)).ok, 0);
    EXPECT_LT(clock_.nowMs() - start, 2000);
    EXPECT_FALSE(link_->GetConnected());
    EXPECT_EQ(observer_.outcomes(), std::vector<int>{WM_LINK_ERROR});
}

// A module the test drives by hand: one connection, and only the bytes it is told to send.
class HandDrivenModule {
public:
    HandDrivenModule() { EXPECT_TRUE(server_.listen(QHostAddress::LocalHost, 0)); }
    quint16 port() const { return server_.serverPort(); }
    QTcpSocket& accept() {
        // The link's connect runs the event loop, which may have taken the connection in.
        EXPECT_TRUE(server_.hasPendingConnections() || server_.waitForNewConnection(3000));
        peer_.reset(server_.nextPendingConnection());
        return *peer_;
    }
    void send(const Frame& frame) {
        peer_->write(reinterpret_cast<const char*>(frame.data()), kFrameSize);
        EXPECT_TRUE(peer_->waitForBytesWritten(3000));
    }

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> peer_;
};

TEST_F(TcpLink, BytesWaitingBeforeASendAreNotTakenAsItsReply) {
    HandDrivenModule module;
    makeLink(module.port());
    ASSERT_TRUE(link_->Connect());
    QTcpSocket& peer = module.accept();
    QObject::connect(&peer, &QTcpSocket::readyRead, [&] {
        if (peer.bytesAvailable() < kFrameSize) return;
        peer.readAll();
        module.send(BuildFrame(0x02, 0x01, 0, 3));
    });
    // A late reply of an earlier exchange: in the system's socket buffer, not yet seen by Qt.
    module.send(BuildFrame(0x02, 0x01, 0, 5));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));  // loopback delivery, no events

    const CommandResult route = link_->Transact(BuildFrame(0x02, 0x01, 1));
    EXPECT_EQ(route.ok, 1);
    EXPECT_EQ(route.reply[kValueOffset], 3);
}

TEST_F(TcpLink, AnnouncesAModuleHangUpWhileIdleButNotItsOwnDisconnect) {
    HandDrivenModule module;
    makeLink(module.port());
    int lost = 0;
    QObject::connect(link_.get(), &TVKCOMControl::lineLost, [&] { ++lost; });
    ASSERT_TRUE(link_->Connect());
    module.accept();
    EXPECT_TRUE(link_->Disconnect());
    EXPECT_EQ(lost, 0);

    ASSERT_TRUE(link_->Connect());
    module.accept().disconnectFromHost();
    EXPECT_TRUE(ProcessEventsUntil([&] { return lost > 0; }, 1000));
    EXPECT_EQ(lost, 1);
    EXPECT_FALSE(link_->GetConnected());
    EXPECT_TRUE(observer_.outcomes().empty());
}

TEST(TcpStream, APeerFloodingAnIdleLinkFillsABoundedQueue) {
    HandDrivenModule module;
    lan::TcpStreamClient stream;
    bool lost = false;
    stream.setLossHandler([&] { lost = true; });
    stream.connectTo(QStringLiteral("127.0.0.1"), module.port(), 3000);
    QTcpSocket& peer = module.accept();
    constexpr qsizetype kFlood = 8 << 20;
    peer.write(QByteArray(kFlood, 'x'));
    // The hang-up is seen after the last byte was read.
    peer.disconnectFromHost();
    ASSERT_TRUE(ProcessEventsUntil([&] { return lost; }, 30000));
    const QByteArray queued = stream.takeBuffered();
    EXPECT_LE(queued.size(), 65536);
    EXPECT_EQ(queued, QByteArray(queued.size(), 'x'));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
