#include "FrameSplitter.h"

#include "EthernetModule.h"
#include "SimFrame.h"

namespace sim {

namespace {
const QByteArray kLeadBytes("\xA5\x5B", 2);
const QByteArray kLdcdLead("\x5A\x3C", 2);
}  // namespace

void FrameSplitter::append(QByteArrayView bytes) {
    buffer_.append(bytes.data(), bytes.size());
}

std::optional<QByteArray> FrameSplitter::next(const UnitLength& unitLength) {
    for (;;) {
        dropUntilLeadBytes();
        if (buffer_.startsWith(kLdcdLead)) {
            // The Ethernet module's packet: recognised by its whole signature, no frame checksum.
            if (!ModuleBank::startsLdcd(buffer_)) {
                buffer_.remove(0, 1);
                continue;
            }
            if (buffer_.size() < kLdcdPacketSize) {
                return std::nullopt;
            }
            QByteArray packet = buffer_.left(kLdcdPacketSize);
            buffer_.remove(0, kLdcdPacketSize);
            return packet;
        }
        if (buffer_.size() < kFrameSize) {
            return std::nullopt;
        }
        const QByteArrayView header = QByteArrayView(buffer_).first(kFrameSize);
        if (!hasValidChecksum(header)) {
            buffer_.remove(0, 1);
            continue;
        }
        const int length = unitLength(header);
        if (buffer_.size() < length) {
            return std::nullopt;
        }
        QByteArray unit = buffer_.left(length);
        buffer_.remove(0, length);
        return unit;
    }
}

void FrameSplitter::dropUntilLeadBytes() {
    const qsizetype frame = buffer_.indexOf(kLeadBytes);
    const qsizetype packet = buffer_.indexOf(kLdcdLead);
    const qsizetype start = frame < 0 ? packet : (packet < 0 ? frame : std::min(frame, packet));
    if (start >= 0) {
        buffer_.remove(0, start);
    } else if (buffer_.endsWith(kLeadBytes.front()) || buffer_.endsWith(kLdcdLead.front())) {
        buffer_ = buffer_.right(1);
    } else {
        buffer_.clear();
    }
}

}  // namespace sim
