#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>

#include "../cli/CtlHarness.h"

namespace servetest {

struct Reply {
    int status = 0;
    QByteArray head;  // status line and headers
    QByteArray body;
    QJsonObject json;
};

// `matrixctl serve` on a free loopback port against the harness's simulator, with a token of
// the test's own.
class ServeProcess {
public:
    static constexpr const char* kToken = "test-token-1234";

    explicit ServeProcess(const ctltest::CtlHarness& harness);
    ~ServeProcess();

    bool started() const { return port_ != 0; }
    quint16 port() const { return port_; }
    QProcess& process() { return process_; }
    // One request on its own connection; `headers` are extra lines ending in "\r\n".
    Reply request(const QByteArray& method, const QByteArray& path, const QByteArray& body = {},
                  const QByteArray& headers = "Authorization: Bearer test-token-1234\r\n") const;

private:
    QProcess process_;
    quint16 port_ = 0;
};

// The raw request's bytes for `method path` with a body and extra header lines.
QByteArray requestBytes(const QByteArray& method, const QByteArray& path, const QByteArray& body,
                        const QByteArray& headers);
// Reads a reply from a connection that closes after it.
Reply readReply(QByteArray bytes);

}  // namespace servetest
