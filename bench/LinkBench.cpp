// Times link exchanges against the simulator program over a pseudo-terminal
// with wire-time emulation, and compares them with the time the bytes need
// on a 57600 baud line; then times exchanges without wire time, which is what
// the link and the simulator cost themselves, and the rate of a firmware part over TCP.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "BenchSupport.h"
#include "firmware/FirmwareTransfer.h"
#include "lan/TcpStreamClient.h"
#include "link/VKCOMControl.h"
#include "transport/ComPort.h"
#include "transport/EventLoopPump.h"

using namespace devlink;

namespace {

constexpr double kMsPerByte = 10.0 * 1000.0 / 57600.0;

// A 64 KiB image for slave MCU1: 256 full blocks.
constexpr int kPartSize = 64 * 1024;
const Frame kSlavePart = BuildFrame(0x20, 0x02, 1, 0, 1, 0);

QByteArray PartImage() {
    QByteArray image(kPartSize, '\0');
    for (int i = 0; i < kPartSize; ++i) image[i] = static_cast<char>(i * 7 + (i >> 8));
    return image;
}

// The same part over TCP to the simulator without wire time; prints the payload rate.
bool MeasureTcpPart() {
    QProcess sim;
    const QString address = StartSimulator(sim,
                                           {QStringLiteral("--tcp"), QStringLiteral("127.0.0.1"),
                                            QStringLiteral("--port"), QStringLiteral("0")},
                                           QStringLiteral("TCP "));
    if (address.isEmpty()) return false;
    LinkGuard flags;
    EventLoopPump pump;
    SteadyClock clock;
    TVKCOMControl link({std::make_unique<TComPort>(), std::make_unique<lan::TcpStreamClient>(),
                        &pump, &clock, &flags, address.section(u':', -1).toUShort()});
    link.SetDeviceIP(address.section(u':', 0, 0));
    if (!link.Connect()) return false;
    link.OutStream() = PartImage();
    FirmwareTransfer firmware(link);
    constexpr int kParts = 10;
    bool ok = true;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kParts && ok; ++i) ok = firmware.WritePart(kSlavePart).succeeded();
    const double seconds = static_cast<double>(timer.nsecsElapsed()) / 1e9;
    std::printf("firmware_part_64k_tcp: bytes_per_s=%.0f%s\n", kParts * kPartSize / seconds,
                ok ? "" : " (FAILED)");
    std::fflush(stdout);
    link.Disconnect();
    sim.terminate();
    sim.waitForFinished(3000);
    return ok;
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
        const QStringList options =
            wireTime ? QStringList{QStringLiteral("--wire-time")} : QStringList{};
        const QString pty = StartSimulator(sim_, options, QStringLiteral("PTY "));
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
    ok &= Measure("edid_read_256_x20", kTransfers * (2 * kFrameSize + kFrameSize + kBlockSize),
                  kTransfers * 5.0, repeat([&] {
                      return link.ReadData(BuildFrame(0x03, 0x05, 0xF001), 257).succeeded();
                  }));

    // A firmware part: command and reply, then 256 blocks of 270 bytes, each acknowledged.
    link.OutStream() = PartImage();
    FirmwareTransfer firmware(link);
    ok &=
        Measure("firmware_part_64k", 2 * kFrameSize + (kPartSize / 256) * (kBlockSize + kFrameSize),
                0, [&] { return firmware.WritePart(kSlavePart).succeeded(); });
    ok &= MeasureWithoutWire();
    ok &= MeasureTcpPart();
    return ok ? 0 : 1;
}
