// Times link exchanges against the simulator program over a pseudo-terminal
// with wire-time emulation, and compares them with the time the bytes need
// on a 57600 baud line; then times exchanges without wire time, which is what
// the link and the simulator cost themselves.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "link/ComPort.h"
#include "link/EventLoopPump.h"
#include "link/VKCOMControl.h"

using namespace devlink;

namespace {

constexpr double kMsPerByte = 10.0 * 1000.0 / 57600.0;

QString StartSimulator(QProcess& sim, bool wireTime) {
    QStringList arguments{QStringLiteral("--quiet")};
    if (wireTime) arguments << QStringLiteral("--wire-time");
    sim.start(QStringLiteral(MATRIX_SIM_PATH), arguments);
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

// The i-th of a series of route changes that walks all outputs and inputs.
bool SetRoute(TVKCOMControl& link, int i) {
    const auto output = static_cast<quint16>(i % 6 + 1);
    const auto input = static_cast<quint16>((i + 2) % 6 + 1);
    return link.Transact(BuildFrame(0x02, 0x03, input, output)).succeeded();
}

bool SetRoutes(TVKCOMControl& link, int count) {
    for (int i = 0; i < count; ++i) {
        if (!SetRoute(link, i)) return false;
    }
    return true;
}

// A link on the simulator's terminal, as the window has it: nobody asks for traffic texts.
class SimulatedLink {
public:
    explicit SimulatedLink(bool wireTime) {
        const QString pty = StartSimulator(sim_, wireTime);
        auto port = std::make_unique<TComPort>();
        port->setPortName(pty);
        link_ = std::make_unique<TVKCOMControl>(
            TVKCOMControl::Parts{std::move(port), nullptr, &pump_, &clock_, &flags_});
        link_->SetControlMode(cmCOM);
        if (pty.isEmpty() || !link_->Connect()) link_.reset();
    }
    ~SimulatedLink() {
        link_.reset();
        sim_.terminate();
        sim_.waitForFinished(3000);
    }
    TVKCOMControl* link() { return link_.get(); }

private:
    QProcess sim_;
    LinkGuard flags_;
    EventLoopPump pump_;
    SteadyClock clock_;
    std::unique_ptr<TVKCOMControl> link_;
};

// The median shows what the link and the simulator cost; the mean adds whatever else the
// machine made them wait for.
bool MeasureWithoutWire() {
    SimulatedLink simulated(false);
    if (!simulated.link()) return false;
    constexpr int kRoutes = 1000;
    std::vector<double> exchangeUs;
    exchangeUs.reserve(kRoutes);
    bool ok = true;
    QElapsedTimer timer;
    for (int i = 0; i < kRoutes && ok; ++i) {
        timer.start();
        ok = SetRoute(*simulated.link(), i);
        exchangeUs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e3);
    }
    const double mean = std::accumulate(exchangeUs.begin(), exchangeUs.end(), 0.0) /
                        static_cast<double>(exchangeUs.size());
    std::nth_element(exchangeUs.begin(), exchangeUs.begin() + kRoutes / 2, exchangeUs.end());
    std::printf("set_route_x1000_nowire: us_per_exchange=%.1f mean_us=%.1f%s\n",
                exchangeUs[exchangeUs.size() / 2], mean, ok ? "" : " (FAILED)");
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    SimulatedLink simulated(true);
    if (!simulated.link()) {
        std::fprintf(stderr, "matrix-sim did not start or its terminal does not open\n");
        return 2;
    }
    TVKCOMControl& link = *simulated.link();

    constexpr int kRoutes = 200;
    bool ok = Measure("set_route_x200", kRoutes * 2 * kFrameSize, 0,
                      [&] { return SetRoutes(link, kRoutes); });

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

    ok &= MeasureWithoutWire();
    return ok ? 0 : 1;
}
