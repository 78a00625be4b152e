#pragma once

#include <QByteArrayView>
#include <QString>
#include <array>
#include <optional>
#include <span>
#include <vector>

// The Ethernet module's own packets: the search reply, the configuration record and the LDCD
// packet. Plain functions over bytes; everything received here comes from the network and is
// untrusted.
namespace lan {

constexpr quint16 kSearchPort = 30600;
constexpr quint16 kConfigPort = 30601;
constexpr quint8 kSearchRequest = 0x23;  // '#'
constexpr int kSearchRecordSize = 55;
constexpr int kConfigRecordSize = 76;
constexpr int kLdcdSize = 32;
constexpr int kFoundModuleFields = 8;
constexpr int kTagSize = 32;

using MacAddress = std::array<quint8, 6>;
using ConfigRecord = std::array<quint8, kConfigRecordSize>;
using LdcdPacket = std::array<quint8, kLdcdSize>;

// Offsets of the configuration record that the link and the window touch.
constexpr int kConfigIpOffset = 6;
constexpr int kConfigDhcpOffset = 18;
constexpr int kConfigFlagsOffset = 25;
constexpr int kConfigTagOffset = 42;
constexpr int kConfigStatusOffset = 74;
constexpr int kConfigChecksumOffset = 75;
constexpr quint8 kStatusRequest = 0xFF;
constexpr quint8 kConfigAccepted = 0x00;
constexpr quint8 kConfigConflictBit = 0x20;
constexpr quint8 kConfigFailedBit = 0x10;

// Offsets of the LDCD packet.
constexpr int kLdcdCommandOffset = 16;
constexpr int kLdcdParam1Offset = 17;
constexpr int kLdcdParam2Offset = 18;
constexpr int kLdcdDhcpOffset = 19;
constexpr int kLdcdIpOffset = 20;
constexpr int kLdcdStatusOffset = 30;
constexpr int kLdcdChecksumOffset = 31;
constexpr quint8 kLdcdQuery = 0x01;
constexpr quint8 kLdcdReset = 0xFF;

// Field k of a found module, in the order of the search reply.
enum FoundModuleField : int {
    kFieldMac = 0,
    kFieldIp,
    kFieldGateway,
    kFieldMask,
    kFieldPort1,
    kFieldPort2,
    kFieldName,
    kFieldDhcp,
};
using FoundModule = std::array<QString, kFoundModuleFields>;

// Sum of the bytes, modulo 256.
quint8 ByteSum(std::span<const quint8> bytes);

// "00-1A-2B-3C-4D-5E"
QString MacText(std::span<const quint8, 6> mac);
// Six two-digit hex numbers joined by "-"; nullopt for anything else.
std::optional<MacAddress> ParseMacText(const QString& text);
QString DottedText(std::span<const quint8, 4> address);

// The modules of one search reply datagram, in order. A datagram whose length is not a non-zero
// multiple of 55 yields nothing. A record whose name holds a control character is skipped.
// Names are Latin-1, up to the first zero byte and at most 32 bytes.
std::vector<FoundModule> ParseSearchReply(QByteArrayView datagram);

// C0, DEL and C1.
bool IsControlCharacter(QChar c);
// What a device tag may hold: one Latin-1 byte each in the module, no control character, and
// no "[" or "]", which bracket the fields of a device entry.
bool FitsDeviceTag(QChar c);

// What the LAN settings dialog decides about one module.
struct ModuleSettings {
    MacAddress mac{};
    QString tag;                 // Latin-1; longer tags are cut at 32 characters
    bool sameSubnet = true;      // false: only the tag is sent
    bool dhcp = false;           // same subnet only: obtain the address automatically
    std::array<quint8, 4> ip{};  // same subnet, static: the new address
};

// The 76-byte configuration record for the settings, with its checksum.
ConfigRecord BuildConfigRecord(const ModuleSettings& settings);
// Status 0xFF and the checksum over bytes 0 to 74, as the record goes on the wire.
ConfigRecord SealConfigRequest(ConfigRecord record);
// The status byte of a module's answer: 0 accepted, 1 failed, 2 address conflict.
int JudgeConfigStatus(quint8 status);

// LDCD requests as the window sends them: 32 zero bytes with the command, and for a reset the
// default address 192.168.0.100 on static IP.
LdcdPacket LdcdQueryRequest();
LdcdPacket LdcdResetRequest();
// The signature in bytes 0 to 15, status 0xFF and the checksum.
LdcdPacket SealLdcdRequest(LdcdPacket request);
bool LdcdChecksumRight(const LdcdPacket& packet);
// Status not 0xFF, checksum right and the signature in place.
bool LdcdAnswerGood(const LdcdPacket& packet);
// The packet as the link logs it, under the title.
QString FormatLdcdLog(const QString& title, const LdcdPacket& packet);

}  // namespace lan
