#include "lan/ModuleRecords.h"

#include <QStringList>
#include <algorithm>
#include <numeric>

namespace lan {
namespace {

constexpr std::array<quint8, 16> kLdcdSignature = {0x5A, 0x3C, 0x91, 0x07, 0xE2, 0x4B, 0x6D, 0x18,
                                                   0xA9, 0xF0, 0x33, 0xC5, 0x7E, 0x02, 0xB8, 0x64};
constexpr int kNameOffset = 22;
constexpr int kDhcpStateOffset = 54;
constexpr quint8 kFlagsTagOnly = 0x14;
constexpr quint8 kFlagsStaticIp = 0x15;

QString Hex2(quint8 byte) {
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

quint16 BigEndian16(const quint8* bytes) {
    return static_cast<quint16>((bytes[0] << 8) | bytes[1]);
}

std::optional<FoundModule> ParseRecord(const quint8* r) {
    const auto* nameStart = reinterpret_cast<const char*>(r + kNameOffset);
    const auto nameLength = std::find(nameStart, nameStart + kTagSize, '\0') - nameStart;
    const QString name = QString::fromLatin1(nameStart, nameLength);
    if (std::any_of(name.begin(), name.end(), IsControlCharacter)) return std::nullopt;
    return FoundModule{MacText(std::span<const quint8, 6>(r, 6)),
                       DottedText(std::span<const quint8, 4>(r + 6, 4)),
                       DottedText(std::span<const quint8, 4>(r + 10, 4)),
                       DottedText(std::span<const quint8, 4>(r + 14, 4)),
                       QString::number(BigEndian16(r + 18)),
                       QString::number(BigEndian16(r + 20)),
                       name,
                       QString::number(r[kDhcpStateOffset])};
}

}  // namespace

quint8 ByteSum(std::span<const quint8> bytes) {
    return static_cast<quint8>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

QString MacText(std::span<const quint8, 6> mac) {
    QStringList parts;
    for (const quint8 byte : mac) parts << Hex2(byte);
    return parts.join(u'-');
}

std::optional<MacAddress> ParseMacText(const QString& text) {
    const QStringList parts = text.split(u'-');
    if (parts.size() != 6) return std::nullopt;
    MacAddress mac{};
    for (std::size_t i = 0; i < mac.size(); ++i) {
        const QString& part = parts[static_cast<qsizetype>(i)];
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        if (!ok || part.size() != 2) return std::nullopt;
        mac[i] = static_cast<quint8>(value);
    }
    return mac;
}

QString DottedText(std::span<const quint8, 4> a) {
    return QStringLiteral("%1.%2.%3.%4").arg(a[0]).arg(a[1]).arg(a[2]).arg(a[3]);
}

bool IsControlCharacter(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

bool FitsDeviceTag(QChar c) {
    return c.unicode() <= 0xFF && !IsControlCharacter(c) && c != u'[' && c != u']';
}

std::vector<FoundModule> ParseSearchReply(QByteArrayView datagram) {
    std::vector<FoundModule> modules;
    if (datagram.isEmpty() || datagram.size() % kSearchRecordSize != 0) return modules;
    const auto* bytes = reinterpret_cast<const quint8*>(datagram.data());
    for (qsizetype at = 0; at < datagram.size(); at += kSearchRecordSize) {
        if (auto module = ParseRecord(bytes + at)) modules.push_back(std::move(*module));
    }
    return modules;
}

ConfigRecord BuildConfigRecord(const ModuleSettings& settings) {
    ConfigRecord record{};
    std::copy(settings.mac.begin(), settings.mac.end(), record.begin());
    const QByteArray tag = settings.tag.toLatin1().left(kTagSize);
    std::copy(tag.begin(), tag.end(), record.begin() + kConfigTagOffset);
    record[kConfigFlagsOffset] = kFlagsTagOnly;
    if (settings.sameSubnet) {
        if (settings.dhcp) {
            record[kConfigDhcpOffset] = 1;
        } else {
            const auto& ip = settings.ip;
            std::copy(ip.begin(), ip.end(), record.begin() + kConfigIpOffset);
            std::copy(ip.begin(), ip.begin() + 3, record.begin() + 10);
            record[13] = 1;
            std::fill(record.begin() + 14, record.begin() + 17, quint8{255});
            record[kConfigFlagsOffset] = kFlagsStaticIp;
        }
    }
    record[kConfigChecksumOffset] = ByteSum(std::span(record).first(kConfigChecksumOffset));
    return record;
}

ConfigRecord SealConfigRequest(ConfigRecord record) {
    record[kConfigStatusOffset] = kStatusRequest;
    record[kConfigChecksumOffset] = ByteSum(std::span(record).first(kConfigChecksumOffset));
    return record;
}

int JudgeConfigStatus(quint8 status) {
    if (status == kConfigAccepted) return 0;
    if ((status & kConfigConflictBit) != 0) return 2;
    return 1;
}

LdcdPacket LdcdQueryRequest() {
    LdcdPacket request{};
    request[kLdcdCommandOffset] = kLdcdQuery;
    return request;
}

LdcdPacket LdcdResetRequest() {
    LdcdPacket request{};
    request[kLdcdCommandOffset] = kLdcdReset;
    const std::array<quint8, 4> defaultIp = {192, 168, 0, 100};
    std::copy(defaultIp.begin(), defaultIp.end(), request.begin() + kLdcdIpOffset);
    return request;
}

LdcdPacket SealLdcdRequest(LdcdPacket request) {
    std::copy(kLdcdSignature.begin(), kLdcdSignature.end(), request.begin());
    request[kLdcdStatusOffset] = kStatusRequest;
    request[kLdcdChecksumOffset] = ByteSum(std::span(request).first(kLdcdChecksumOffset));
    return request;
}

bool LdcdChecksumRight(const LdcdPacket& packet) {
    return packet[kLdcdChecksumOffset] == ByteSum(std::span(packet).first(kLdcdChecksumOffset));
}

bool LdcdAnswerGood(const LdcdPacket& packet) {
    return packet[kLdcdStatusOffset] != kStatusRequest && LdcdChecksumRight(packet) &&
           std::equal(kLdcdSignature.begin(), kLdcdSignature.end(), packet.begin());
}

QString FormatLdcdLog(const QString& title, const LdcdPacket& p) {
    QString text = title + QStringLiteral("\r\nheader:");
    for (int i = 0; i < 16; ++i) text += Hex2(p[i]) + u' ';
    QStringList ip;
    for (int i = kLdcdIpOffset; i < kLdcdIpOffset + 4; ++i) ip << Hex2(p[i]);
    return text + QStringLiteral("\r\ncommand:") + Hex2(p[kLdcdCommandOffset]) +
           QStringLiteral("\r\nparam1:") + Hex2(p[kLdcdParam1Offset]) +
           QStringLiteral("; param2:") + Hex2(p[kLdcdParam2Offset]) + QStringLiteral("\r\nDHCP:") +
           Hex2(p[kLdcdDhcpOffset]) + QStringLiteral("\r\nIPAddr:") + ip.join(u' ') +
           QStringLiteral("\r\nReveiveOK:") + Hex2(p[kLdcdStatusOffset]) +
           QStringLiteral("\r\nCheckSum:") + Hex2(p[kLdcdChecksumOffset]) +
           QStringLiteral("\r\n///////////////////////////////////////");
}

}  // namespace lan
