#pragma once

#include <QByteArray>
#include <QString>

// Builds complete 256-byte EDIDs (base block plus one CTA extension) laid out the way
// displays report them, so tests can vary one field at a time.
namespace device_test {

struct DetailedTiming {
    int pixelClock10kHz = 14850;
    int hActive = 1920;
    int hBlank = 280;
    int vActive = 1080;
    int vBlank = 45;
    bool interlaced = false;
};

class EdidBuilder {
public:
    EdidBuilder& manufacturer(const QString& threeLetters);
    EdidBuilder& product(quint16 code);
    EdidBuilder& serial(quint32 number);
    EdidBuilder& made(int week, int year);
    EdidBuilder& version(int major, int revision);
    EdidBuilder& preferredTiming(const DetailedTiming& timing);
    // The first descriptor becomes a range-limits descriptor.
    EdidBuilder& noPreferredTiming();
    // Raw name bytes; more than 13 are cut.
    EdidBuilder& monitorName(const QByteArray& name);

    QByteArray build() const;

private:
    QString manufacturer_ = QStringLiteral("GCT");
    quint16 product_ = 0x0001;
    quint32 serial_ = 0;
    int week_ = 1;
    int year_ = 2020;
    int version_ = 1;
    int revision_ = 3;
    bool hasTiming_ = true;
    DetailedTiming timing_;
    bool hasName_ = false;
    QByteArray name_;
};

// Makes bytes 0..255 sum to zero by adjusting the last one.
void resealEdid(QByteArray& edid);

}  // namespace device_test
