#include <QCommandLineParser>
#include <QCoreApplication>
#include <cmath>
#include <cstdio>

#include "FaultOption.h"
#include "FirmwareFault.h"
#include "ModuleOptions.h"
#include "SimServer.h"
#include "posix/SignalQuit.h"

namespace {

void printLine(const QString& line) {
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

// Seconds, fractions allowed, from 1 ms to a day; nullopt for anything else.
std::optional<int> periodMs(const QString& seconds) {
    constexpr double kMaxSeconds = 24 * 3600;
    bool ok = false;
    const double value = seconds.toDouble(&ok);
    if (!ok || !(value >= 0.001 && value <= kMaxSeconds)) {
        return std::nullopt;
    }
    return static_cast<int>(std::lround(value * 1000));
}

std::optional<sim::SimServer::Options> readOptions(const QCoreApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulated 6x6 HDMI matrix switcher"));
    parser.addHelpOption();
    const QCommandLineOption link(
        QStringLiteral("link"), QStringLiteral("Symlink to the terminal."), QStringLiteral("path"));
    const QCommandLineOption tcp(QStringLiteral("tcp"),
                                 QStringLiteral("Serve TCP on this address."),
                                 QStringLiteral("address"));
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port (0: any)."),
                                  QStringLiteral("N"), QStringLiteral("8000"));
    const QCommandLineOption wireTime(QStringLiteral("wire-time"),
                                      QStringLiteral("Delay replies as 57600 baud would."));
    const QCommandLineOption delay(QStringLiteral("delay"), QStringLiteral("Reply delay in ms."),
                                   QStringLiteral("ms"), QStringLiteral("0"));
    const QCommandLineOption fault(QStringLiteral("fault"),
                                   QStringLiteral("kind[=value][:times[:group:code]]"),
                                   QStringLiteral("fault"));
    const QCommandLineOption quiet(QStringLiteral("quiet"), QStringLiteral("No frame log."));
    const QCommandLineOption rebootMs(QStringLiteral("reboot-ms"),
                                      QStringLiteral("Silence after a reboot, in ms."),
                                      QStringLiteral("ms"), QStringLiteral("2000"));
    const QCommandLineOption firmwareFault(
        QStringLiteral("fw-fault"),
        QStringLiteral(
            "decline|silent[:command|stage1|stage2|block[=N][:times|all[:code.number]]]"),
        QStringLiteral("fault"));
    const QCommandLineOption firmwareDir(QStringLiteral("fw-dir"),
                                         QStringLiteral("Write received firmware parts here."),
                                         QStringLiteral("dir"));
    const QCommandLineOption panel(QStringLiteral("panel"),
                                   QStringLiteral("Read front-panel commands from this pipe."),
                                   QStringLiteral("path"));
    const QCommandLineOption panelRandom(
        QStringLiteral("panel-random"),
        QStringLiteral("Make a random front-panel change this often."), QStringLiteral("seconds"));
    parser.addOptions({link, tcp, port, wireTime, delay, fault, quiet, rebootMs, firmwareFault,
                       firmwareDir, panel, panelRandom});
    parser.addOptions(sim::moduleOptions());
    parser.process(app);

    sim::SimServer::Options options;
    options.linkPath = parser.value(link);
    options.wireTime = parser.isSet(wireTime);
    options.quiet = parser.isSet(quiet);
    options.firmwareDir = parser.value(firmwareDir);
    options.panelPath = parser.value(panel);
    if (parser.isSet(panelRandom)) {
        const auto ms = periodMs(parser.value(panelRandom));
        if (!ms) {
            printLine(QStringLiteral("ERROR bad --panel-random %1").arg(parser.value(panelRandom)));
            return std::nullopt;
        }
        options.panelRandomMs = *ms;
    }
    bool portOk = false;
    bool delayOk = false;
    bool rebootOk = false;
    const uint portNumber = parser.value(port).toUInt(&portOk);
    options.delayMs = parser.value(delay).toInt(&delayOk);
    options.rebootMs = parser.value(rebootMs).toInt(&rebootOk);
    if (!portOk || portNumber > 0xFFFF || !delayOk || options.delayMs < 0 || !rebootOk ||
        options.rebootMs < 0) {
        printLine(QStringLiteral("ERROR bad --port, --delay or --reboot-ms"));
        return std::nullopt;
    }
    options.tcpPort = static_cast<quint16>(portNumber);
    QString moduleError;
    if (!sim::readModuleOptions(parser, options.udpAddress, options.modules, &moduleError)) {
        printLine(QStringLiteral("ERROR %1").arg(moduleError));
        return std::nullopt;
    }
    if (parser.isSet(tcp) && !options.tcpAddress.setAddress(parser.value(tcp))) {
        printLine(QStringLiteral("ERROR bad --tcp address %1").arg(parser.value(tcp)));
        return std::nullopt;
    }
    for (const QString& text : parser.values(fault)) {
        QString error;
        const auto parsed = sim::parseFaultOption(text, &error);
        if (!parsed) {
            printLine(QStringLiteral("ERROR %1").arg(error));
            return std::nullopt;
        }
        options.faults.push_back(*parsed);
    }
    for (const QString& text : parser.values(firmwareFault)) {
        QString error;
        const auto parsed = sim::parseFirmwareFault(text, &error);
        if (!parsed) {
            printLine(QStringLiteral("ERROR %1").arg(error));
            return std::nullopt;
        }
        options.firmwareFaults.push_back(*parsed);
    }
    return options;
}

}  // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const auto options = readOptions(app);
    if (!options) {
        return 2;
    }
    const posix::SignalQuit signalQuit;
    sim::SimServer server(*options);
    QObject::connect(&server, &sim::SimServer::lineReady, &printLine);
    QString error;
    if (!server.start(&error)) {
        printLine(QStringLiteral("ERROR %1").arg(error));
        return 1;
    }
    return app.exec();
}
