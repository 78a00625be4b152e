#include "EthernetModule.h"

#include <algorithm>
#include <numeric>

namespace sim {
namespace {

constexpr int kSearchRecordLength = 55;
constexpr int kConfigRecordLength = 76;
constexpr char kSearchRequest = 0x23;
constexpr quint8 kRequestStatus = 0xFF;
constexpr quint8 kStatusConflict = 0x20;
constexpr quint8 kStatusFailed = 0x10;
constexpr quint8 kFlagStaticIp = 0x01;
constexpr quint8 kLdcdQuery = 0x01;
constexpr quint8 kLdcdReset = 0xFF;
const QByteArray kLdcdSignature("\x5A\x3C\x91\x07\xE2\x4B\x6D\x18\xA9\xF0\x33\xC5\x7E\x02\xB8\x64",
                                16);

quint8 sumOf(QByteArrayView bytes) {
    return static_cast<quint8>(std::accumulate(bytes.begin(), bytes.end(), 0u,
                                               [](unsigned s, char c) { return s + quint8(c); }));
}

template <std::size_t N>
void put(QByteArray& out, int at, const std::array<quint8, N>& bytes) {
    for (std::size_t i = 0; i < N; ++i) out[at + static_cast<int>(i)] = static_cast<char>(bytes[i]);
}

template <std::size_t N>
std::array<quint8, N> take(QByteArrayView in, int at) {
    std::array<quint8, N> bytes{};
    for (std::size_t i = 0; i < N; ++i)
        bytes[i] = static_cast<quint8>(in[at + static_cast<int>(i)]);
    return bytes;
}

QString macText(const std::array<quint8, 6>& mac) {
    return QByteArray(reinterpret_cast<const char*>(mac.data()), 6).toHex('-').toUpper();
}

QString ipText(const std::array<quint8, 4>& ip) {
    return QStringLiteral("%1.%2.%3.%4").arg(ip[0]).arg(ip[1]).arg(ip[2]).arg(ip[3]);
}

QByteArray searchRecordOf(const EthernetModule& m) {
    QByteArray r(kSearchRecordLength, '\0');
    put(r, 0, m.mac);
    put(r, 6, m.ip);
    put(r, 10, m.gateway);
    put(r, 14, m.mask);
    r[18] = static_cast<char>(m.port1 >> 8);
    r[19] = static_cast<char>(m.port1 & 0xFF);
    r[20] = static_cast<char>(m.port2 >> 8);
    r[21] = static_cast<char>(m.port2 & 0xFF);
    r.replace(22, m.name.size(), m.name);
    r[54] = m.dhcp ? 1 : 0;
    return r;
}

QByteArray nameFrom(QByteArrayView record, int at) {
    const QByteArray field = record.sliced(at, 32).toByteArray();
    const qsizetype end = field.indexOf('\0');
    return end < 0 ? field : field.left(end);
}

}  // namespace

ModuleBank::ModuleBank(const ModuleSetup& setup) : setup_(setup) {
    for (int k = 0; k < std::max(setup.count, 0); ++k) {
        EthernetModule m;
        m.mac = setup.firstMac;
        m.mac[5] = static_cast<quint8>(m.mac[5] + k);
        m.ip = setup.firstIp;
        m.ip[3] = static_cast<quint8>(m.ip[3] + k);
        m.gateway = {m.ip[0], m.ip[1], m.ip[2], 1};
        m.mask = {255, 255, 255, 0};
        m.name = (k == 0 ? setup.name : setup.name + '-' + QByteArray::number(k + 1)).left(32);
        m.dhcp = setup.dhcp;
        modules_.push_back(m);
    }
}

QByteArray ModuleBank::answerSearch(QByteArrayView request) const {
    QByteArray answer;
    if (request.size() != 1 || request[0] != kSearchRequest) return answer;
    for (const EthernetModule& m : modules_) answer += searchRecordOf(m);
    return answer;
}

EthernetModule* ModuleBank::moduleWithMac(QByteArrayView mac) {
    const auto found = std::find_if(modules_.begin(), modules_.end(), [&](const EthernetModule& m) {
        return std::equal(m.mac.begin(), m.mac.end(), mac.begin(),
                          [](quint8 a, char b) { return a == static_cast<quint8>(b); });
    });
    return found == modules_.end() ? nullptr : &*found;
}

bool ModuleBank::addressTakenByOther(const EthernetModule& self, QByteArrayView ip) const {
    const auto wanted = take<4>(ip, 0);
    return std::any_of(modules_.begin(), modules_.end(),
                       [&](const EthernetModule& m) { return &m != &self && m.ip == wanted; });
}

std::optional<QByteArray> ModuleBank::answerConfiguration(QByteArrayView record) {
    if (record.size() != kConfigRecordLength || quint8(record[74]) != kRequestStatus ||
        sumOf(record.first(75)) != quint8(record[75]))
        return std::nullopt;
    EthernetModule* m = moduleWithMac(record.first(6));
    if (m == nullptr || setup_.fault == ModuleFault::Silent) return std::nullopt;
    const bool staticIp = (quint8(record[25]) & kFlagStaticIp) != 0;
    quint8 status = 0;
    if (setup_.fault == ModuleFault::Conflict ||
        (staticIp && addressTakenByOther(*m, record.sliced(6, 4)))) {
        status = kStatusConflict;
    } else if (setup_.fault == ModuleFault::Fail) {
        status = kStatusFailed;
    } else {
        m->name = nameFrom(record, 42);
        if (record[18] == 1) {
            m->dhcp = true;
        } else if (staticIp) {
            m->ip = take<4>(record, 6);
            m->gateway = take<4>(record, 10);
            m->mask = take<4>(record, 14);
            m->dhcp = false;
        }
    }
    events_.push_back(QStringLiteral("MODULE %1 configured status %2 name %3 ip %4 dhcp %5")
                          .arg(macText(m->mac))
                          .arg(status, 2, 16, QLatin1Char('0'))
                          .arg(QString::fromLatin1(m->name), ipText(m->ip))
                          .arg(m->dhcp ? 1 : 0));
    QByteArray answer = record.toByteArray();
    answer[74] = static_cast<char>(status);
    answer[75] = static_cast<char>(sumOf(QByteArrayView(answer).first(75)));
    return answer;
}

bool ModuleBank::startsLdcd(QByteArrayView bytes) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), kLdcdSignature.size());
    return bytes.first(n) == QByteArrayView(kLdcdSignature).first(n);
}

std::optional<QByteArray> ModuleBank::answerLdcd(QByteArrayView packet) {
    if (modules_.empty() || packet.size() != kLdcdPacketSize || !startsLdcd(packet) ||
        sumOf(packet.first(31)) != quint8(packet[31]))
        return std::nullopt;
    EthernetModule& m = modules_.front();
    const quint8 command = quint8(packet[16]);
    if (command == kLdcdReset) {
        m.name = setup_.name.left(32);
        m.dhcp = packet[19] != 0;
        m.ip = take<4>(packet, 20);
        m.gateway = {m.ip[0], m.ip[1], m.ip[2], 1};
        m.mask = {255, 255, 255, 0};
        events_.push_back(
            QStringLiteral("MODULE %1 reset ip %2").arg(macText(m.mac), ipText(m.ip)));
    } else if (command != kLdcdQuery) {
        return std::nullopt;
    }
    QByteArray answer = packet.toByteArray();
    answer[17] = static_cast<char>(setup_.versionMajor);
    answer[18] = static_cast<char>(setup_.versionMinor);
    answer[19] = m.dhcp ? 1 : 0;
    put(answer, 20, m.ip);
    answer[30] = 0;
    answer[31] = static_cast<char>(sumOf(QByteArrayView(answer).first(31)));
    return answer;
}

std::vector<QString> ModuleBank::takeEvents() {
    return std::exchange(events_, {});
}

}  // namespace sim
