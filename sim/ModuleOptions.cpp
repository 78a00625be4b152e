#include "ModuleOptions.h"

namespace sim {
namespace {

const QString kUdpAddress = QStringLiteral("udp-address");
const QString kModules = QStringLiteral("modules");
const QString kModuleIp = QStringLiteral("module-ip");
const QString kModuleMac = QStringLiteral("module-mac");
const QString kModuleName = QStringLiteral("module-name");
const QString kModuleDhcp = QStringLiteral("module-dhcp");
const QString kModuleFault = QStringLiteral("module-fault");
const QString kModuleVersion = QStringLiteral("module-version");

template <std::size_t N>
bool readBytes(const QString& text, QChar separator, int base, std::array<quint8, N>& out) {
    const QStringList parts = text.split(separator);
    if (parts.size() != static_cast<qsizetype>(N)) return false;
    for (std::size_t i = 0; i < N; ++i) {
        bool ok = false;
        const uint value = parts[static_cast<qsizetype>(i)].toUInt(&ok, base);
        if (!ok || value > 0xFF) return false;
        out[i] = static_cast<quint8>(value);
    }
    return true;
}

}  // namespace

QList<QCommandLineOption> moduleOptions() {
    return {
        {kUdpAddress, QStringLiteral("Serve the modules' UDP ports 30600/30601 on this address."),
         QStringLiteral("address")},
        {kModules, QStringLiteral("Number of Ethernet modules (default 1)."), QStringLiteral("N"),
         QStringLiteral("1")},
        {kModuleIp, QStringLiteral("First module's address; the next ones count up."),
         QStringLiteral("a.b.c.d"), QStringLiteral("192.168.0.100")},
        {kModuleMac, QStringLiteral("First module's MAC; the next ones count up."),
         QStringLiteral("XX-XX-XX-XX-XX-XX"), QStringLiteral("00-1A-2B-3C-4D-01")},
        {kModuleName, QStringLiteral("Module name (device tag); module k > 1 is <name>-<k>."),
         QStringLiteral("text"), QStringLiteral("Matrix")},
        {kModuleDhcp, QStringLiteral("Modules start on DHCP.")},
        {kModuleFault, QStringLiteral("Answer every configuration so: conflict|fail|silent."),
         QStringLiteral("kind")},
        {kModuleVersion, QStringLiteral("Firmware version the LDCD query reports."),
         QStringLiteral("major.minor"), QStringLiteral("1.0")},
    };
}

bool readModuleOptions(const QCommandLineParser& parser, QHostAddress& udpAddress,
                       ModuleSetup& setup, QString* error) {
    if (parser.isSet(kUdpAddress) && (!udpAddress.setAddress(parser.value(kUdpAddress)) ||
                                      udpAddress.protocol() != QAbstractSocket::IPv4Protocol)) {
        *error = QStringLiteral("bad --udp-address %1").arg(parser.value(kUdpAddress));
        return false;
    }
    bool countOk = false;
    setup.count = parser.value(kModules).toInt(&countOk);
    std::array<quint8, 2> version{};
    const QStringList faults = {QStringLiteral("conflict"), QStringLiteral("fail"),
                                QStringLiteral("silent")};
    const qsizetype fault = faults.indexOf(parser.value(kModuleFault));
    if (!countOk || setup.count < 0 || setup.count > 255 ||
        !readBytes(parser.value(kModuleIp), u'.', 10, setup.firstIp) ||
        !readBytes(parser.value(kModuleMac), u'-', 16, setup.firstMac) ||
        !readBytes(parser.value(kModuleVersion), u'.', 10, version) ||
        (parser.isSet(kModuleFault) && fault < 0)) {
        *error = QStringLiteral(
            "bad --modules, --module-ip, --module-mac, --module-version or --module-fault");
        return false;
    }
    setup.name = parser.value(kModuleName).toLatin1().left(32);
    setup.dhcp = parser.isSet(kModuleDhcp);
    setup.fault = fault < 0 ? ModuleFault::None : static_cast<ModuleFault>(fault + 1);
    setup.versionMajor = version[0];
    setup.versionMinor = version[1];
    return true;
}

}  // namespace sim
