#include "EdidBuilder.h"

#include <numeric>

namespace device_test {

namespace {

constexpr int kBlockSize = 128;
constexpr int kDescriptorSize = 18;
constexpr int kTextLength = 13;

void putWord(QByteArray& out, int at, int value) {
    out[at] = char(value & 0xFF);
    out[at + 1] = char((value >> 8) & 0xFF);
}

void putBytes(QByteArray& out, int at, const QByteArray& bytes) {
    for (int i = 0; i < bytes.size(); ++i) {
        out[at + i] = bytes[i];
    }
}

// Sets the last byte of [first, first + length) so the range sums to zero.
void sealRange(QByteArray& out, int first, int length) {
    const int last = first + length - 1;
    const int sum = std::accumulate(out.begin() + first, out.begin() + last, 0,
                                    [](int total, char byte) { return total + quint8(byte); });
    out[last] = char((256 - sum % 256) % 256);
}

QByteArray detailedTiming(const DetailedTiming& t) {
    QByteArray d(kDescriptorSize, '\0');
    putWord(d, 0, t.pixelClock10kHz);
    d[2] = char(t.hActive & 0xFF);
    d[3] = char(t.hBlank & 0xFF);
    d[4] = char((t.hActive >> 8) << 4 | (t.hBlank >> 8));
    d[5] = char(t.vActive & 0xFF);
    d[6] = char(t.vBlank & 0xFF);
    d[7] = char((t.vActive >> 8) << 4 | (t.vBlank >> 8));
    d[8] = char(88);     // h sync offset
    d[9] = char(44);     // h sync width
    d[10] = char(0x45);  // v sync offset 4, width 5
    constexpr int widthMm = 531;
    constexpr int heightMm = 299;
    d[12] = char(widthMm & 0xFF);
    d[13] = char(heightMm & 0xFF);
    d[14] = char((widthMm >> 8) << 4 | (heightMm >> 8));
    d[17] = char(0x1E | (t.interlaced ? 0x80 : 0x00));
    return d;
}

QByteArray displayDescriptor(quint8 tag, const QByteArray& payload) {
    QByteArray d(kDescriptorSize, '\0');
    d[3] = char(tag);
    putBytes(d, 5, payload.left(kTextLength));
    return d;
}

QByteArray descriptorText(const QByteArray& text) {
    QByteArray padded = text.left(kTextLength);
    if (padded.size() < kTextLength) {
        padded += '\n';
    }
    return padded.leftJustified(kTextLength, ' ');
}

QByteArray rangeLimits() {
    return displayDescriptor(0xFD, QByteArray::fromHex("384C1E5311000A202020202020"));
}

QByteArray ctaExtension() {
    QByteArray block(kBlockSize, '\0');
    const QByteArray dataBlocks = QByteArray::fromHex(
        "429004"          // video: VIC 16 native, VIC 4
        "23090707"        // audio: LPCM 2 channels
        "65030C001000");  // HDMI vendor block, physical address 1.0.0.0
    block[0] = char(0x02);
    block[1] = char(0x03);
    block[2] = char(4 + dataBlocks.size());
    block[3] = char(0xF0);
    putBytes(block, 4, dataBlocks);
    return block;
}

}  // namespace

EdidBuilder& EdidBuilder::manufacturer(const QString& threeLetters) {
    manufacturer_ = threeLetters;
    return *this;
}

EdidBuilder& EdidBuilder::product(quint16 code) {
    product_ = code;
    return *this;
}

EdidBuilder& EdidBuilder::serial(quint32 number) {
    serial_ = number;
    return *this;
}

EdidBuilder& EdidBuilder::made(int week, int year) {
    week_ = week;
    year_ = year;
    return *this;
}

EdidBuilder& EdidBuilder::version(int major, int revision) {
    version_ = major;
    revision_ = revision;
    return *this;
}

EdidBuilder& EdidBuilder::preferredTiming(const DetailedTiming& timing) {
    hasTiming_ = true;
    timing_ = timing;
    return *this;
}

EdidBuilder& EdidBuilder::noPreferredTiming() {
    hasTiming_ = false;
    return *this;
}

EdidBuilder& EdidBuilder::monitorName(const QByteArray& name) {
    hasName_ = true;
    name_ = name;
    return *this;
}

QByteArray EdidBuilder::build() const {
    QByteArray edid(kBlockSize, '\0');
    putBytes(edid, 0, QByteArray::fromHex("00FFFFFFFFFFFF00"));
    int packed = 0;
    for (const QChar letter : manufacturer_.left(3)) {
        packed = packed << 5 | ((letter.unicode() - u'A' + 1) & 0x1F);
    }
    edid[8] = char(packed >> 8);
    edid[9] = char(packed & 0xFF);
    putWord(edid, 10, product_);
    putWord(edid, 12, int(serial_ & 0xFFFF));
    putWord(edid, 14, int(serial_ >> 16));
    edid[16] = char(week_);
    edid[17] = char(year_ - 1990);
    edid[18] = char(version_);
    edid[19] = char(revision_);
    // Digital input, 53 x 30 cm, gamma 2.2, RGB with preferred timing mode.
    putBytes(edid, 20, QByteArray::fromHex("80351E780A"));
    putBytes(edid, 25, QByteArray::fromHex("EE91A3544C99260F5054"));  // chromaticity
    putBytes(edid, 35, QByteArray::fromHex("210800"));                // established timings
    putBytes(edid, 38, QByteArray::fromHex("D1C08180010101010101010101010101"));
    putBytes(edid, 54, hasTiming_ ? detailedTiming(timing_) : rangeLimits());
    putBytes(edid, 72, hasTiming_ ? rangeLimits() : displayDescriptor(0x10, {}));
    putBytes(
        edid, 90,
        hasName_ ? displayDescriptor(0xFC, descriptorText(name_)) : displayDescriptor(0x10, {}));
    putBytes(edid, 108, displayDescriptor(0xFF, descriptorText("GC0001")));
    edid[126] = char(1);
    sealRange(edid, 0, kBlockSize);

    edid += ctaExtension();
    sealRange(edid, kBlockSize, kBlockSize);
    return edid;
}

void resealEdid(QByteArray& edid) {
    sealRange(edid, 0, 2 * kBlockSize);
}

}  // namespace device_test
