#include "lan/ModuleControl.h"

#include <algorithm>

#include "transport/TransportError.h"

namespace devlink {
namespace {

constexpr int kSearchCycles = 5;
constexpr int kConfigCycles = 10;
constexpr int kStepsPerCycle = 30;
constexpr int kStepMs = 100;
constexpr int kAnswerWaitMs = 10 * kTickMs;
constexpr int kBetweenConfigSendsMs = 50;
constexpr char16_t kSpinner[] = u"/-\\|";

QByteArray BytesOf(const lan::ConfigRecord& record) {
    return QByteArray(reinterpret_cast<const char*>(record.data()),
                      static_cast<qsizetype>(record.size()));
}

}  // namespace

ModuleControl::ModuleControl(std::unique_ptr<DatagramSocket> socket, LinkPump& pump,
                             LinkClock& clock, Owner& owner)
    : socket_(std::move(socket)), pump_(pump), clock_(clock), owner_(owner) {
    if (socket_) socket_->setReceiveHandler([this](const Datagram& d) { onDatagram(d); });
}

QString ModuleControl::foundModuleField(int n, int k) const {
    if (n >= 1 && n <= foundModuleCount() && k >= 0 && k < lan::kFoundModuleFields)
        return found_[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(k)];
    if (k == lan::kFieldMac) return QStringLiteral("00-00-00-00-00-00");
    if (k == lan::kFieldIp) return QStringLiteral("0.0.0.0");
    return {};
}

QString ModuleControl::localAddress() {
    refreshNetwork();
    return lan::LocalAddressOf(*network_);
}

void ModuleControl::refreshNetwork() {
    network_ = socket_ ? socket_->hostNetwork() : lan::HostNetwork{};
}

const lan::HostNetwork& ModuleControl::network() {
    if (!network_) refreshNetwork();
    return *network_;
}

bool ModuleControl::searchModules(bool broadcast, const QString& deviceIp, bool shortSearch) {
    // One socket serves both operations; a second one would re-bind it under the first.
    if (searching_ || configuring_) return false;
    searching_ = true;
    accepting_ = true;
    searchedAddress_ = broadcast ? QString() : deviceIp;
    bool answered = false;
    try {
        if (!socket_) throw TransportError(QStringLiteral("No module socket"));
        socket_->bindTo(lan::kSearchPort);
        refreshNetwork();
        const QByteArray request(1, static_cast<char>(lan::kSearchRequest));
        if (broadcast) socket_->allowBroadcast();
        int step = 0;
        const int cycles = shortSearch ? 1 : kSearchCycles;
        for (int cycle = 0; cycle < cycles; ++cycle) {
            if (!owner_.stopRequested()) {
                answered_ = false;
                if (broadcast) {
                    sendBroadcast(request, lan::kSearchPort);
                } else {
                    socket_->sendTo(request, deviceIp, lan::kSearchPort);
                }
                spin(QStringLiteral("Searching TCP control device ..."), Owner::kSearchWizard, step,
                     searching_);
            }
            answered = searching_ && !owner_.stopRequested() && waitForAnswer();
            if (answered || owner_.stopRequested() || !searching_) break;
        }
    } catch (const TransportError& e) {
        answered = false;
        owner_.moduleReport(Owner::Report::Error, 0, e.message());
    }
    if (!owner_.stopRequested()) {
        searching_ = false;
        accepting_ = false;
    }
    return answered;
}

int ModuleControl::configureModule(const lan::ConfigRecord& record, const QString& deviceIp) {
    const QString newAddress =
        lan::DottedText(std::span<const quint8, 4>(record.data() + lan::kConfigIpOffset, 4));
    refreshNetwork();
    if (lan::IsOwnAddress(*network_, newAddress)) return 2;
    if (configuring_ || searching_) return 1;
    configuring_ = true;
    int result = 1;
    try {
        if (!socket_) throw TransportError(QStringLiteral("No module socket"));
        socket_->bindTo(lan::kConfigPort);
        kept_ = lan::SealConfigRequest(record);
        answered_ = false;
        accepting_ = true;
        const QByteArray request = BytesOf(kept_);
        socket_->allowBroadcast();
        sendBroadcast(request, lan::kConfigPort);
        clock_.sleepMs(kBetweenConfigSendsMs);
        socket_->sendTo(request, deviceIp, lan::kConfigPort);
        int step = 0;
        bool answered = false;
        for (int cycle = 0; cycle < kConfigCycles && !answered; ++cycle) {
            if (!owner_.stopRequested())
                spin(QStringLiteral("Setting TCP control configuration ..."), Owner::kStatusBar,
                     step, configuring_);
            if (owner_.stopRequested() || !configuring_) break;
            answered = waitForAnswer();
        }
        if (!owner_.stopRequested() && configuring_ && answered)
            result = lan::JudgeConfigStatus(kept_[lan::kConfigStatusOffset]);
    } catch (const TransportError& e) {
        result = 1;
        owner_.moduleReport(Owner::Report::Error, 0, e.message());
    }
    if (!owner_.stopRequested()) {
        configuring_ = false;
        accepting_ = false;
    }
    return result;
}

void ModuleControl::sendBroadcast(const QByteArray& bytes, quint16 port) {
    socket_->sendTo(bytes, QStringLiteral("255.255.255.255"), port);
    for (const QString& address : lan::DirectedBroadcasts(*network_))
        socket_->sendTo(bytes, address, port);
}

void ModuleControl::spin(const QString& text, Owner::ProgressTarget target, int& step,
                         const bool& running) {
    for (int n = 0; n < kStepsPerCycle; ++n) {
        owner_.moduleReport(Owner::Report::Progress, target, text + QChar(kSpinner[step % 4]));
        runFor(kStepMs);
        ++step;
        if (owner_.stopRequested() || !running) return;
    }
}

bool ModuleControl::waitForAnswer() {
    const qint64 start = clock_.nowMs();
    while (!answered_ && !owner_.stopRequested() && clock_.nowMs() - start < kAnswerWaitMs)
        pump_.tick();
    return answered_;
}

void ModuleControl::runFor(int ms) {
    const qint64 start = clock_.nowMs();
    while (!owner_.stopRequested() && clock_.nowMs() - start < ms) pump_.tick();
}

void ModuleControl::onDatagram(const Datagram& d) {
    if (!d.fromIp.isEmpty() && owner_.trafficTextsWanted()) {
        owner_.moduleReport(Owner::Report::Traffic, 0,
                            QStringLiteral("Remote: [%1] : Port[%2]\r\nLocal: [%3]")
                                .arg(d.fromIp)
                                .arg(d.fromPort)
                                .arg(lan::LocalAddressOf(network())));
    }
    if (!accepting_ || d.bytes.isEmpty() || lan::IsOwnAddress(network(), d.fromIp)) return;
    if (d.fromPort == lan::kSearchPort) {
        if (searchedAddress_.isEmpty() || d.fromIp == searchedAddress_) takeSearchReply(d);
    } else if (d.fromPort == lan::kConfigPort) {
        takeConfigAnswer(d);
    }
}

void ModuleControl::takeSearchReply(const Datagram& d) {
    // Once the list is full and the cycle answered, no datagram can change either, so a flood
    // costs neither parsing nor comparisons.
    if (answered_ && foundModuleCount() >= kMaxFoundModules) return;
    const std::vector<lan::FoundModule> modules = lan::ParseSearchReply(d.bytes);
    if (!modules.empty()) answered_ = true;
    for (const lan::FoundModule& module : modules) {
        if (foundModuleCount() >= kMaxFoundModules) return;
        const bool known = std::any_of(found_.begin(), found_.end(), [&](const auto& listed) {
            return listed[lan::kFieldMac] == module[lan::kFieldMac];
        });
        if (!known) found_.push_back(module);
    }
}

void ModuleControl::takeConfigAnswer(const Datagram& d) {
    if (d.bytes.size() % lan::kConfigRecordSize != 0) return;
    const auto* bytes = reinterpret_cast<const quint8*>(d.bytes.constData());
    for (qsizetype at = 0; at < d.bytes.size(); at += lan::kConfigRecordSize) {
        const quint8* record = bytes + at;
        // Copies of a request, ours or another PC's, and answers meant for another module.
        if (record[lan::kConfigStatusOffset] == lan::kStatusRequest ||
            !std::equal(record, record + 6, kept_.begin()))
            continue;
        std::copy_n(record, lan::kConfigRecordSize, kept_.begin());
        answered_ = true;
        return;
    }
}

}  // namespace devlink
