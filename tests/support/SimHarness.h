#pragma once

#include <QByteArrayList>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

#include "link/LinkGuard.h"
#include "link/LinkNotification.h"
#include "link/VKCOMControl.h"
#include "sim/SwitcherSim.h"
#include "support/FakeDatagramSocket.h"
#include "transport/LinkTiming.h"
#include "transport/SerialTransport.h"

namespace testing_support {

class VirtualClock final : public devlink::LinkClock {
public:
    qint64 nowMs() const override { return now_; }
    void sleepMs(int ms) override { now_ += ms; }
    void advanceTo(qint64 t) { now_ = std::max(now_, t); }

private:
    qint64 now_ = 0;
};

// A serial port whose far end is the in-process simulator, on virtual time.
class SimSerialTransport final : public devlink::SerialTransport {
public:
    using Responder = std::function<std::vector<sim::Delivery>(const QByteArray&, qint64)>;

    SimSerialTransport(sim::SwitcherSim& sim, VirtualClock& clock);

    QString portName() const override { return name_; }
    void setPortName(const QString& name) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return open_; }
    void clearBuffers() override;
    qint64 write(const QByteArray& bytes) override;

    // Replaces the simulator for tests that script exact replies.
    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // The adapter goes away: the port closes by itself and reports the lost line.
    void unplug();
    void deliverDue();
    std::optional<qint64> nextDue() const;

    bool failOpen = false;
    QString failOpenCause;
    bool failWrite = false;
    bool failClose = false;
    int openCount = 0;
    QByteArrayList written;

private:
    sim::SwitcherSim& sim_;
    VirtualClock& clock_;
    Responder responder_;
    std::deque<sim::Delivery> pending_;
    QString name_ = QStringLiteral("COM1");
    bool open_ = false;
};

// Advances virtual time by one tick, or to the next delivery if that is sooner.
class SimPump final : public devlink::LinkPump {
public:
    SimPump(VirtualClock& clock, SimSerialTransport& transport)
        : clock_(clock), transport_(transport) {}
    void tick() override;
    void wake() override {}

    std::function<void()> onTick;  // runs like an event handler inside every tick
    int ticks = 0;
    FakeDatagramSocket* datagrams = nullptr;  // delivered like the serial bytes

private:
    VirtualClock& clock_;
    SimSerialTransport& transport_;
};

// Records the link's notifications; it must outlive the link it listens to.
class RecordingObserver final {
public:
    // Asks the link for its traffic texts too.
    void listenTo(devlink::TVKCOMControl& link) {
        link.SetTrafficTexts(true);
        QObject::connect(&link, &devlink::TVKCOMControl::notified,
                         [this](const devlink::LinkNotification& n) { received.push_back(n); });
    }
    // Everything but the traffic logs and receive counts, which every exchange sends.
    std::vector<int> outcomes() const;
    std::vector<QString> texts(int message) const;
    std::vector<devlink::LinkNotification> received;
};

// A link in COM control mode wired to the simulator, connected.
struct LinkHarness {
    LinkHarness();
    ~LinkHarness();

    sim::SwitcherSim sim;
    VirtualClock clock;
    devlink::LinkGuard flags;
    RecordingObserver observer;
    SimSerialTransport* transport = nullptr;  // owned by the link
    FakeDatagramSocket* datagrams = nullptr;  // the module socket, owned by the link
    std::unique_ptr<SimPump> pump;
    std::unique_ptr<devlink::TVKCOMControl> link;

    // Frames the controller wrote, as 13-byte headers.
    std::vector<devlink::Frame> sentFrames() const;
};

}  // namespace testing_support
