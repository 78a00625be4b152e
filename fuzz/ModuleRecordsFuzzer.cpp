// Datagrams and packets from the Ethernet module: search replies, configuration answers and
// LDCD answers, through the same pure functions the link uses.
#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "lan/ModuleRecords.h"

using namespace lan;

namespace {

void checkSearchReply(const QByteArray& datagram) {
    const std::vector<FoundModule> modules = ParseSearchReply(datagram);
    if (datagram.isEmpty() || datagram.size() % kSearchRecordSize != 0) {
        if (!modules.empty()) std::abort();
        return;
    }
    if (qsizetype(modules.size()) > datagram.size() / kSearchRecordSize) std::abort();
    for (const FoundModule& module : modules) {
        if (!ParseMacText(module[kFieldMac])) std::abort();
        const QString& name = module[kFieldName];
        if (name.size() > kTagSize) std::abort();
        if (std::any_of(name.begin(), name.end(), IsControlCharacter)) std::abort();
    }
}

template <class Packet>
Packet firstBytes(const QByteArray& bytes) {
    Packet packet{};
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), packet.size()),
                packet.begin());
    return packet;
}

void checkConfigAnswer(const QByteArray& bytes) {
    const auto record = firstBytes<ConfigRecord>(bytes);
    const int verdict = JudgeConfigStatus(record[kConfigStatusOffset]);
    if (verdict < 0 || verdict > 2) std::abort();
    if (SealConfigRequest(record)[kConfigStatusOffset] != kStatusRequest) std::abort();
}

void checkLdcdAnswer(const QByteArray& bytes) {
    const auto packet = firstBytes<LdcdPacket>(bytes);
    if (LdcdAnswerGood(packet) && !LdcdChecksumRight(packet)) std::abort();
    if (FormatLdcdLog(QStringLiteral("rcv LDCD:   "), packet).isEmpty()) std::abort();
    const LdcdPacket sealed = SealLdcdRequest(packet);
    if (!LdcdChecksumRight(sealed) || LdcdAnswerGood(sealed)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkSearchReply(bytes);
    checkConfigAnswer(bytes);
    checkLdcdAnswer(bytes);
    return 0;
}
