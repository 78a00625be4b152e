// Times link exchanges against the simulator program over a pseudo-terminal
// with wire-time emulation, and compares them with the time the bytes need
// on a 57600 baud line.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>
#include <functional>

#include "link/ComPort.h"
#include "link/EventLoopPump.h"
#include "link/VKCOMControl.h"

using namespace devlink;

namespace {

constexpr double kMsPerByte = 10.0 * 1000.0 / 57600.0;

QString StartSimulator(QProcess& sim) {
    sim.start(QStringLiteral(MATRIX_SIM_PATH),
              {QStringLiteral("--wire-time"), QStringLiteral("--quiet")});
    if (!sim.waitForStarted(5000)) return {};
    while (sim.waitForReadyRead(5000)) {
        while (sim.canReadLine()) {
            const QString line = QString::fromUtf8(sim.readLine()).trimmed();
            if (line.startsWith(QStringLiteral("PTY "))) return line.mid(4);
        }
    }
    return {};
}

// Prints one figure; false when the operation failed.
bool Measure(const char* name, int wireBytes, double pausesMs, const std::function<bool()>& run) {
    QElapsedTimer timer;
    timer.start();
    const bool ok = run();
    const double measured = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    const double wire = wireBytes * kMsPerByte + pausesMs;
    std::printf("%s: measured_ms=%.2f wire_ms=%.2f ratio=%.3f%s\n", name, measured, wire,
                measured / wire, ok ? "" : " (FAILED)");
    std::fflush(stdout);
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QProcess sim;
    const QString pty = StartSimulator(sim);
    if (pty.isEmpty()) {
        std::fprintf(stderr, "matrix-sim did not start\n");
        return 2;
    }

    LinkGuard flags;
    EventLoopPump pump;
    SteadyClock clock;
    auto port = std::make_unique<TComPort>();
    port->setPortName(pty);
    TVKCOMControl link({std::move(port), nullptr, &pump, &clock, &flags});
    link.SetControlMode(cmCOM);
    if (!link.Connect()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(pty));
        return 2;
    }

    constexpr int kRoutes = 200;
    bool ok = Measure("set_route_x200", kRoutes * 2 * kFrameSize, 0, [&] {
        for (int i = 0; i < kRoutes; ++i) {
            const auto output = static_cast<quint16>(i % 6 + 1);
            const auto input = static_cast<quint16>((i + 2) % 6 + 1);
            if (!link.Transact(BuildFrame(0x02, 0x03, input, output)).succeeded()) return false;
        }
        return true;
    });

    QByteArray edid(256, '\0');
    for (int i = 0; i < 256; ++i) edid[i] = static_cast<char>(i);
    link.OutStream() = edid;
    // Each transfer is repeated so that one late scheduler wake-up does not decide the figure.
    constexpr int kTransfers = 20;
    const auto repeat = [&](const std::function<bool()>& transfer) {
        return [&, transfer] {
            for (int i = 0; i < kTransfers; ++i) {
                if (!transfer()) return false;
            }
            return true;
        };
    };
    // Command and reply, one full block and its acknowledgement.
    ok &=
        Measure("edid_write_256_x20", kTransfers * (2 * kFrameSize + kBlockSize + kFrameSize), 0,
                repeat([&] { return link.WriteData(BuildFrame(0x03, 0x07, 0xF100)).succeeded(); }));
    // Command and reply, one request and one full block, then the pause after the block.
    ok &=
        Measure("edid_read_256_x20", kTransfers * (2 * kFrameSize + kFrameSize + kBlockSize),
                kTransfers * 5.0,
                repeat([&] { return link.ReadData(BuildFrame(0x03, 0x05, 0xF001)).succeeded(); }));

    link.Disconnect();
    sim.terminate();
    sim.waitForFinished(3000);
    return ok ? 0 : 1;
}
