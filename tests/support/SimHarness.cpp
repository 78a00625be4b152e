#include "SimHarness.h"

#include <algorithm>
#include <cmath>

namespace testing_support {

SimSerialTransport::SimSerialTransport(sim::SwitcherSim& sim, VirtualClock& clock)
    : sim_(sim), clock_(clock) {}

void SimSerialTransport::setPortName(const QString& name) {
    name_ = name;
    if (open_) {
        close();
        open();
    }
}

void SimSerialTransport::open() {
    if (failOpen) {
        throw devlink::TransportError(QStringLiteral("Unable to open com port"), failOpenCause);
    }
    ++openCount;
    open_ = true;
}

void SimSerialTransport::close() {
    if (failClose) throw devlink::TransportError(QStringLiteral("CloseHandle failed"));
    open_ = false;
}

void SimSerialTransport::clearBuffers() {
    if (!open_) throw devlink::TransportError(QStringLiteral("PurgeComm function failed"));
    // Only bytes that already arrived are purged; those still on the wire come later.
    std::erase_if(pending_, [&](const sim::Delivery& d) { return d.dueMs <= clock_.nowMs(); });
}

qint64 SimSerialTransport::write(const QByteArray& bytes) {
    if (!open_ || failWrite)
        throw devlink::TransportError(QStringLiteral("WriteFile function failed"));
    written.append(bytes);
    auto replies =
        responder_ ? responder_(bytes, clock_.nowMs()) : sim_.receive(bytes, clock_.nowMs());
    for (auto& d : replies) pending_.push_back(std::move(d));
    std::stable_sort(
        pending_.begin(), pending_.end(),
        [](const sim::Delivery& a, const sim::Delivery& b) { return a.dueMs < b.dueMs; });
    return bytes.size();
}

void SimSerialTransport::unplug() {
    open_ = false;
    reportLoss();
}

void SimSerialTransport::deliverDue() {
    while (!pending_.empty() && pending_.front().dueMs <= clock_.nowMs()) {
        const QByteArray bytes = pending_.front().bytes;
        pending_.pop_front();
        if (open_) deliver(bytes);
    }
}

std::optional<qint64> SimSerialTransport::nextDue() const {
    if (pending_.empty()) return std::nullopt;
    // Virtual time moves in whole ms.
    return static_cast<qint64>(std::ceil(pending_.front().dueMs));
}

void SimPump::tick() {
    ++ticks;
    if (onTick) onTick();
    const qint64 limit = clock_.nowMs() + devlink::kTickMs;
    const auto due = transport_.nextDue();
    clock_.advanceTo(due && *due < limit ? *due : limit);
    transport_.deliverDue();
    if (datagrams) datagrams->deliverDue();
}

std::vector<int> RecordingObserver::outcomes() const {
    std::vector<int> result;
    for (const auto& n : received) {
        if (n.message != devlink::WM_LINK_RXCOUNT && n.message != devlink::WM_LINK_FRAMELOG &&
            n.message != devlink::WM_LINK_DATALOG) {
            result.push_back(n.message);
        }
    }
    return result;
}

std::vector<QString> RecordingObserver::texts(int message) const {
    std::vector<QString> result;
    for (const auto& n : received) {
        if (n.message == message) result.push_back(n.text);
    }
    return result;
}

LinkHarness::LinkHarness() {
    auto serial = std::make_unique<SimSerialTransport>(sim, clock);
    transport = serial.get();
    pump = std::make_unique<SimPump>(clock, *transport);
    auto udp = std::make_unique<FakeDatagramSocket>(clock);
    datagrams = udp.get();
    pump->datagrams = datagrams;
    link = std::make_unique<devlink::TVKCOMControl>(
        devlink::TVKCOMControl::Parts{std::move(serial), nullptr, pump.get(), &clock, &flags,
                                      devlink::TVKCOMControl::kModulePort, std::move(udp)});
    observer.listenTo(*link);
    link->SetControlMode(devlink::cmCOM);
    link->Connect();
}

LinkHarness::~LinkHarness() {
    link.reset();
}

std::vector<devlink::Frame> LinkHarness::sentFrames() const {
    std::vector<devlink::Frame> frames;
    for (const QByteArray& bytes : transport->written) {
        frames.push_back(
            devlink::FrameFrom(std::span(reinterpret_cast<const quint8*>(bytes.constData()),
                                         static_cast<std::size_t>(bytes.size()))));
    }
    return frames;
}

}  // namespace testing_support
