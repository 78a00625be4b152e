#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>
#include <vector>

// The switcher's Ethernet modules as the network and the serial line see them: the search reply
// (55 bytes a module), the configuration record (76 bytes) and the LDCD packet (32 bytes).
namespace sim {

inline constexpr quint16 kModuleSearchPort = 30600;
inline constexpr quint16 kModuleConfigPort = 30601;
inline constexpr int kLdcdPacketSize = 32;

// What a configuration request meets, whatever it asks.
enum class ModuleFault { None, Conflict, Fail, Silent };

struct EthernetModule {
    std::array<quint8, 6> mac{};
    std::array<quint8, 4> ip{};
    std::array<quint8, 4> gateway{};
    std::array<quint8, 4> mask{};
    quint16 port1 = 8000;
    quint16 port2 = 8001;
    QByteArray name;  // at most 32 bytes
    bool dhcp = false;
};

struct ModuleSetup {
    int count = 1;
    std::array<quint8, 6> firstMac = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x01};
    std::array<quint8, 4> firstIp = {192, 168, 0, 100};
    QByteArray name = "Matrix";  // module k > 1 is "<name>-<k>"
    bool dhcp = false;
    ModuleFault fault = ModuleFault::None;
    quint8 versionMajor = 1;
    quint8 versionMinor = 0;
};

class ModuleBank {
public:
    explicit ModuleBank(const ModuleSetup& setup = {});

    // Every module's record, in one datagram; nothing for anything but the one-byte request.
    QByteArray answerSearch(QByteArrayView request) const;
    // The module the record names answers with the record and its status; a module that takes
    // the record changes its name and addresses. Nothing for a broken record or an unknown MAC.
    std::optional<QByteArray> answerConfiguration(QByteArrayView record);
    // The first module answers the LDCD query with its version and address; a reset restores
    // its name and the address the packet gives. Nothing for a packet without its signature or
    // with a wrong checksum.
    std::optional<QByteArray> answerLdcd(QByteArrayView packet);
    static bool startsLdcd(QByteArrayView bytes);

    const std::vector<EthernetModule>& modules() const { return modules_; }
    // Lines that describe what the modules did since the last call.
    std::vector<QString> takeEvents();

private:
    EthernetModule* moduleWithMac(QByteArrayView mac);
    bool addressTakenByOther(const EthernetModule& self, QByteArrayView ip) const;

    ModuleSetup setup_;
    std::vector<EthernetModule> modules_;
    std::vector<QString> events_;
};

}  // namespace sim
