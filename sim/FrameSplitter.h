#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <optional>

namespace sim {

// Cuts a byte stream into 13-byte frames, data blocks of up to 270 bytes and the Ethernet
// module's 32-byte LDCD packets. Bytes that cannot
// start a frame are dropped, and a header with a wrong checksum loses its first byte so the search
// for the next lead bytes goes on; the buffer never holds more than one block plus one feed.
class FrameSplitter {
public:
    // Says, for a header with a good checksum, how long the unit that starts with it is:
    // 13 bytes for a plain frame, up to 270 for a data block.
    using UnitLength = std::function<int(QByteArrayView header)>;

    void append(QByteArrayView bytes);
    std::optional<QByteArray> next(const UnitLength& unitLength);
    qsizetype buffered() const { return buffer_.size(); }
    void clear() { buffer_.clear(); }

private:
    void dropUntilLeadBytes();

    QByteArray buffer_;
};

}  // namespace sim
