#pragma once

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "lan/DatagramSocket.h"
#include "lan/HostNetwork.h"
#include "lan/ModuleRecords.h"
#include "transport/LinkTiming.h"

namespace devlink {

// The Ethernet module's search and configuration protocol on the module socket. Both operations
// are synchronous: they send, then run 100 ms steps of the pump on the link's clock, collecting
// answers through the receive handler, until an answer, a cancel or the window closing.
class ModuleControl {
public:
    // What the protocol needs of the link that owns it.
    class Owner {
    public:
        enum class Report {
            Progress,  // the spinner text, shown where its target (a ProgressTarget) says
            Error,     // the socket failed: its message
            Traffic,   // a datagram arrived: where from
        };
        enum ProgressTarget : qint64 { kSearchWizard = 0, kStatusBar = 1 };
        // The window is closing: every wait ends.
        virtual bool stopRequested() const = 0;
        virtual bool trafficTextsWanted() const = 0;
        virtual void moduleReport(Report report, qint64 target, const QString& text) = 0;

    protected:
        ~Owner() = default;
    };
    static constexpr int kMaxFoundModules = 256;

    ModuleControl(std::unique_ptr<DatagramSocket> socket, LinkPump& pump, LinkClock& clock,
                  Owner& owner);

    // A short search is one round of the full one's five: about 3 s.
    bool searchModules(bool broadcast, const QString& deviceIp, bool shortSearch = false);
    int configureModule(const lan::ConfigRecord& record, const QString& deviceIp);
    void cancelSearch() { searching_ = false; }
    void clearProgress() {
        searching_ = false;
        configuring_ = false;
    }
    bool searching() const { return searching_; }
    bool configuring() const { return configuring_; }

    int foundModuleCount() const { return static_cast<int>(found_.size()); }
    QString foundModuleField(int n, int k) const;
    void clearFoundModules() { found_.clear(); }
    QString localAddress();

private:
    void onDatagram(const Datagram& datagram);
    void takeSearchReply(const Datagram& datagram);
    void takeConfigAnswer(const Datagram& datagram);
    const lan::HostNetwork& network();
    void refreshNetwork();
    void sendBroadcast(const QByteArray& bytes, quint16 port);
    // 30 steps of 100 ms with the spinner; fewer when the operation ends meanwhile.
    void spin(const QString& text, Owner::ProgressTarget target, int& step, const bool& running);
    bool waitForAnswer();
    void runFor(int ms);

    std::unique_ptr<DatagramSocket> socket_;
    LinkPump& pump_;
    LinkClock& clock_;
    Owner& owner_;

    QString searchedAddress_;  // a search by address takes answers from there alone
    bool searching_ = false;
    bool configuring_ = false;
    bool accepting_ = false;
    bool answered_ = false;
    lan::ConfigRecord kept_{};
    std::vector<lan::FoundModule> found_;
    std::optional<lan::HostNetwork> network_;
};

}  // namespace devlink
