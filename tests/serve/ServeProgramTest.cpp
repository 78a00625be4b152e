// matrixctl serve over real sockets against the matrix-sim program.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpSocket>
#include <QWebSocket>
#include <optional>

#include "ServeHarness.h"
#include "support/EventWait.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;
using servetest::Reply;
using servetest::ServeProcess;

const QByteArray kSettings =
    "[Pre-Setting name]\nSetting1=Lobby\n[Pre-Setting value]\nvalue1=3,3,3,3,3,3\n"
    "[Control mode]\nMode=0\n[Tag of Input - COM]\nIn1=Camera\n[Tag of Output - COM]\nOut2=TV\n";
const QByteArray kToken = "Authorization: Bearer test-token-1234\r\n";

struct Case {
    const char* method;
    const char* path;
    QByteArray body;
    QByteArray headers;
    int status;
    const char* key;  // a key the document has, with `value` when given
    QJsonValue value;
};

TEST(ServeProgram, EveryEndpointAnswersWithMatrixctlsDocumentAndStatus) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    harness.writeSettings(kSettings);
    ServeProcess serve(harness);
    ASSERT_TRUE(serve.started());
    const QByteArray foreign = kToken + "Origin: http://elsewhere.example\r\n";
    const std::vector<Case> cases = {
        {"GET", "/api/v1/status", {}, kToken, 200, "model", "HDMI Matrix"},
        {"GET", "/api/v1/routes", {}, kToken, 200, "routes", {}},
        {"PUT", "/api/v1/routes/3", R"({"input":5})", kToken, 200, "set", {}},
        {"PUT", "/api/v1/routes/all", R"({"input":2})", kToken, 200, "ok", true},
        {"GET", "/api/v1/presets", {}, kToken, 200, "presets", {}},
        {"POST", "/api/v1/presets/Lobby/apply", {}, kToken, 200, "preset", "Lobby"},
        {"GET", "/api/v1/options/beeper", {}, kToken, 200, "option", "beeper"},
        {"PUT", "/api/v1/options/beeper", R"({"on":false})", kToken, 200, "on", false},
        {"GET",
         "/api/v1/tags",
         {},
         kToken,
         200,
         "inputs",
         QJsonArray{"Camera", "", "", "", "", ""}},
        {"PUT", "/api/v1/power", R"({"on":false})", kToken, 200, "power", false},
        {"PUT", "/api/v1/routes/1", R"({"input":4})", kToken, 409, "exitCode", 1},
        {"GET", "/api/v1/power", {}, kToken, 200, "power", false},
        {"PUT", "/api/v1/power", R"({"on":true})", kToken, 200, "power", true},
        {"PUT", "/api/v1/routes/1", "{input:", kToken, 400, "exitCode", 64},
        {"PUT", "/api/v1/routes/1", R"({"input":7})", kToken, 422, "exitCode", 4},
        {"PUT", "/api/v1/routes/7", R"({"input":1})", kToken, 404, "ok", false},
        {"DELETE", "/api/v1/routes/1", {}, kToken, 405, "ok", false},
        {"POST", "/api/v1/presets/Nowhere/apply", {}, kToken, 400, "exitCode", 64},
        {"PUT", "/api/v1/routes/1", QByteArray(70000, ' '), kToken, 413, "exitCode", 64},
        // Refused before anything is sent: input 6 must never reach the wire.
        {"PUT", "/api/v1/routes/1", R"({"input":6})", {}, 401, "ok", false},
        {"PUT", "/api/v1/routes/1", R"({"input":6})", "Authorization: Bearer wrong\r\n", 401, "ok",
         false},
        {"PUT", "/api/v1/routes/1", R"({"input":6})", foreign, 403, "ok", false},
    };
    for (const Case& c : cases) {
        const Reply reply = serve.request(c.method, c.path, c.body, c.headers);
        SCOPED_TRACE(std::string(c.method) + ' ' + c.path + ' ' + c.body.left(20).toStdString());
        EXPECT_EQ(reply.status, c.status) << reply.head.toStdString();
        EXPECT_TRUE(reply.json.contains(QLatin1String(c.key)));
        if (!c.value.isUndefined() && !c.value.isNull()) {
            EXPECT_EQ(reply.json.value(QLatin1String(c.key)), c.value);
        }
        if (c.status != 200) {
            EXPECT_TRUE(reply.json.contains(QStringLiteral("error")));
        }
    }
    const QString wire = harness.simOutput();
    EXPECT_TRUE(wire.contains(QStringLiteral("RX A5 5B 02 03 05 00 03 00"))) << wire.toStdString();
    EXPECT_FALSE(wire.contains(QStringLiteral("RX A5 5B 02 03 06 00 01 00")));
    const auto page = serve.request("GET", "/");
    EXPECT_EQ(page.status, 200);
    EXPECT_TRUE(page.body.contains(">System is power off, please turn it on first.<"));
    EXPECT_TRUE(
        page.head.contains("Content-Security-Policy: default-src 'self'; frame-ancestors "
                           "'none'"))
        << page.head.toStdString();
    EXPECT_EQ(serve.request("GET", "/api/v1/status", {}, {}).status, 401);
}

TEST(ServeProgram, EventSocketSendsTheStateThenChangesFromThePanelAndFromHere) {
    QTemporaryDir dir;
    const QString panel = dir.filePath(QStringLiteral("panel"));
    CtlHarness harness(Transport::Pty, {QStringLiteral("--panel"), panel});
    ASSERT_TRUE(harness.started());
    ServeProcess serve(harness);
    ASSERT_TRUE(serve.started());
    QWebSocket refused;
    refused.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/v1/events").arg(serve.port())));
    QWebSocket socket;
    QList<QJsonObject> events;
    QObject::connect(&socket, &QWebSocket::textMessageReceived, [&](const QString& text) {
        events << QJsonDocument::fromJson(text.toUtf8()).object();
    });
    socket.open(QUrl(QStringLiteral("ws://127.0.0.1:%1/api/v1/events?token=%2")
                         .arg(serve.port())
                         .arg(QLatin1String(ServeProcess::kToken))));
    const auto arrives = [&](const QJsonObject& wanted) {
        return testing_support::ProcessEventsUntil(
            [&] {
                return std::any_of(events.begin(), events.end(), [&](const QJsonObject& event) {
                    for (auto it = wanted.begin(); it != wanted.end(); ++it)
                        if (event.value(it.key()) != it.value()) return false;
                    return true;
                });
            },
            15000);
    };
    ASSERT_TRUE(arrives({{"event", "state"}, {"model", "HDMI Matrix"}}));
    EXPECT_EQ(events.first().value(QStringLiteral("event")), QStringLiteral("state"));

    QFile fifo(panel);
    ASSERT_TRUE(fifo.open(QIODevice::WriteOnly));
    fifo.write("route 3 5\n");
    fifo.close();
    EXPECT_TRUE(arrives({{"event", "route"}, {"output", 3}, {"input", 5}, {"by", "switcher"}}));
    EXPECT_EQ(serve.request("PUT", "/api/v1/routes/4", R"({"input":1})").status, 200);
    EXPECT_TRUE(arrives({{"event", "route"}, {"output", 4}, {"input", 1}, {"by", "here"}}));
    // Without the token the handshake is refused.
    EXPECT_NE(refused.state(), QAbstractSocket::ConnectedState);
}

TEST(ServeProgram, RequestsWaitTheirTurnInOrderAndBeyondTheQueueGet503) {
    CtlHarness harness(Transport::Pty, {QStringLiteral("--wire-time")});
    ASSERT_TRUE(harness.started());
    ServeProcess serve(harness);
    ASSERT_TRUE(serve.started());
    std::vector<std::unique_ptr<QTcpSocket>> clients;
    for (int i = 0; i < 30; ++i) {
        auto& client = clients.emplace_back(std::make_unique<QTcpSocket>());
        client->connectToHost(QStringLiteral("127.0.0.1"), serve.port());
        ASSERT_TRUE(client->waitForConnected(5000));
        const QByteArray body = QStringLiteral(R"({"input":%1})").arg(i % 6 + 1).toUtf8();
        client->write(servetest::requestBytes("PUT", "/api/v1/routes/1", body, kToken));
        client->waitForBytesWritten(5000);
    }
    int lastAccepted = 0;
    int refused = 0;
    for (int i = 0; i < 30; ++i) {
        QByteArray in;
        while (clients[i]->waitForReadyRead(20000)) in += clients[i]->readAll();
        const Reply reply = servetest::readReply(in + clients[i]->readAll());
        ASSERT_TRUE(reply.status == 200 || reply.status == 503) << reply.head.toStdString();
        if (reply.status == 200) lastAccepted = i % 6 + 1;
        if (reply.status == 503) {
            ++refused;
            EXPECT_TRUE(reply.head.contains("Retry-After: "));
        }
    }
    EXPECT_GT(refused, 0);
    EXPECT_EQ(serve.request("GET", "/api/v1/routes").json.value(QStringLiteral("routes"))[0],
              lastAccepted);
}

TEST(ServeProgram, SwitcherWithoutAUsableReplyGets502) {
    CtlHarness harness(Transport::Pty,
                       {QStringLiteral("--fault"), QStringLiteral("badchecksum:all:0x02:0x03")});
    ASSERT_TRUE(harness.started());
    ServeProcess serve(harness);
    ASSERT_TRUE(serve.started());
    const Reply reply = serve.request("PUT", "/api/v1/routes/2", R"({"input":3})");
    EXPECT_EQ(reply.status, 502);
    EXPECT_EQ(reply.json.value(QStringLiteral("exitCode")), 2);
}

TEST(ServeProgram, SwitcherGoneGets503UntilItIsBackAndSigtermEndsCleanly) {
    std::optional<CtlHarness> harness(std::in_place, Transport::Tcp);
    ASSERT_TRUE(harness->started());
    const QString where = harness->targetArgs().last();
    const quint16 port = static_cast<quint16>(where.section(u':', -1).toUInt());
    ServeProcess serve(*harness);
    ASSERT_TRUE(serve.started());
    harness.reset();
    const auto answers = [&](int status) {
        return testing_support::ProcessEventsUntil(
            [&] { return serve.request("GET", "/api/v1/routes").status == status; }, 30000);
    };
    ASSERT_TRUE(answers(503));
    const Reply away = serve.request("GET", "/api/v1/routes");
    EXPECT_TRUE(away.head.contains("Retry-After: "));
    EXPECT_EQ(away.json.value(QStringLiteral("exitCode")), 3);
    harness.emplace(Transport::Tcp, QStringList{}, QStringLiteral("127.0.0.1"), port);
    ASSERT_TRUE(harness->started());
    EXPECT_TRUE(answers(200));

    serve.process().terminate();
    ASSERT_TRUE(serve.process().waitForFinished(5000));
    EXPECT_EQ(serve.process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(serve.process().exitCode(), 0);
}

}  // namespace
