#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <optional>

namespace sim {

// Cuts a byte stream into 13-byte frames and 270-byte data blocks. Bytes that cannot start a
// frame are dropped, and a header with a wrong checksum loses its first byte so the search
// for the next lead bytes goes on; the buffer never holds more than one block plus one feed.
class FrameSplitter {
public:
    // Says, for a header with a good checksum, whether a 270-byte block starts with it.
    using BlockTest = std::function<bool(QByteArrayView header)>;

    void append(QByteArrayView bytes);
    std::optional<QByteArray> next(const BlockTest& startsBlock);
    qsizetype buffered() const { return buffer_.size(); }
    void clear() { buffer_.clear(); }

private:
    void dropUntilLeadBytes();

    QByteArray buffer_;
};

}  // namespace sim
