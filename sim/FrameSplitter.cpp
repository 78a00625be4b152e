#include "FrameSplitter.h"

#include "SimFrame.h"

namespace sim {

namespace {
const QByteArray kLeadBytes("\xA5\x5B", 2);
}

void FrameSplitter::append(QByteArrayView bytes) {
    buffer_.append(bytes.data(), bytes.size());
}

std::optional<QByteArray> FrameSplitter::next(const UnitLength& unitLength) {
    for (;;) {
        dropUntilLeadBytes();
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
    const qsizetype start = buffer_.indexOf(kLeadBytes);
    if (start >= 0) {
        buffer_.remove(0, start);
    } else if (buffer_.endsWith(kLeadBytes.front())) {
        buffer_ = buffer_.right(1);
    } else {
        buffer_.clear();
    }
}

}  // namespace sim
