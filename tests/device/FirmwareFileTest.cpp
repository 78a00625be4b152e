#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareMerge.h"

namespace {

using namespace device;

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + seed);
    return bytes;
}

// A section whose header claims `declared` image bytes while `actual` follow, checksum right.
QByteArray Section(const PartFields& fields, quint32 declared, int actual) {
    const SectionHeader header = BuildSectionHeader(fields, declared);
    return QByteArray(reinterpret_cast<const char*>(header.data()), kSectionHeaderSize) +
           ScrambleImage(Image(actual, 1));
}

const PartFields kMain = FieldsOf(Mcu::Main, 1, 2);
const PartFields kSlave = FieldsOf(Mcu::Slave1, 1, 0);

TEST(FirmwareReader, FindsTheSecondHeaderAfterTheFirstImageAndUnscrambles) {
    const QByteArray first = Image(1000, 3);
    const QByteArray second = Image(257, 4);
    FirmwareReader reader(BuildSection(kMain, first) + BuildSection(kSlave, second));

    const SectionHeaderRead h1 = reader.ReadSectionHeader();
    ASSERT_TRUE(h1.good());
    EXPECT_EQ(h1.label(), QStringLiteral("Part_1.1.1.2"));
    EXPECT_EQ(h1.frame(), devlink::BuildFrame(0x20, 0x01, 1, 0, 1, 2));
    EXPECT_EQ(reader.ReadSectionImage(h1), first);
    EXPECT_EQ(reader.Position(), 143 + 1000);
    EXPECT_FALSE(reader.AtEnd());

    const SectionHeaderRead h2 = reader.ReadSectionHeader();
    ASSERT_TRUE(h2.good());
    EXPECT_EQ(h2.fields(), kSlave);
    EXPECT_EQ(reader.ReadSectionImage(h2), second);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(FirmwareReader, AFlippedImageByteLeavesTheHeaderGood) {
    QByteArray file = BuildSection(kMain, Image(300, 5));
    file[143 + 17] = static_cast<char>(file[143 + 17] ^ 0x40);
    FirmwareReader reader(file);
    const SectionHeaderRead read = reader.ReadSectionHeader();
    EXPECT_TRUE(read.good());
    EXPECT_NE(reader.ReadSectionImage(read), Image(300, 5));
}

struct VerdictCase {
    const char* name;
    std::function<QByteArray()> file;
    SectionVerdict verdict;
    QString problem;
};

void PrintTo(const VerdictCase& c, std::ostream* os) {
    *os << c.name;
}

class Verdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(Verdicts, OfTheFirstSection) {
    FirmwareReader reader(GetParam().file());
    const SectionHeaderRead read = reader.ReadSectionHeader();
    EXPECT_EQ(read.verdict, GetParam().verdict);
    EXPECT_EQ(SectionProblemText(read), GetParam().problem);
    EXPECT_TRUE(reader.ReadSectionImage(read).isEmpty());
    // The window's summary, matrixctl's check and fw-merge --list all judge through this.
    EXPECT_FALSE(SummariseFirmware(GetParam().file()).everyHeaderChecks);
}

const QString kBad = QStringLiteral("Bad FW file!");

INSTANTIATE_TEST_SUITE_P(
    FirmwareReader, Verdicts,
    ::testing::Values(
        VerdictCase{"EmptyFile", [] { return QByteArray(); }, SectionVerdict::HeaderPastEnd, kBad},
        // A short run of zeros would pass the checksum if it were filled up and tested.
        VerdictCase{"HundredZeros", [] { return QByteArray(100, '\0'); },
                    SectionVerdict::HeaderPastEnd, kBad},
        VerdictCase{"FlippedChecksum",
                    [] {
                        QByteArray f = BuildSection(kMain, Image(10, 1));
                        f[142] = static_cast<char>(f[142] ^ 1);
                        return f;
                    },
                    SectionVerdict::BadChecksum, kBad},
        VerdictCase{"ImageOneBytePastTheEnd", [] { return Section(kMain, 11, 10); },
                    SectionVerdict::ImagePastEnd, kBad},
        VerdictCase{"ImageOfFourGigabytes", [] { return Section(kMain, 0xFFFFFFFFu, 10); },
                    SectionVerdict::ImagePastEnd, kBad},
        VerdictCase{"ImageAboveTheLimit",
                    [] { return Section(kMain, kMaxImageSize + 1, kMaxImageSize + 1); },
                    SectionVerdict::ImageTooLarge,
                    QStringLiteral("Bad FW file! Part_1.1.1.2: image larger than 8388608 bytes")},
        VerdictCase{"CodeThree",
                    [] {
                        return Section({0x20, 0x03, 1, 0, 4, 5}, 10, 10);
                    },
                    SectionVerdict::UnknownCode,
                    QStringLiteral("Bad FW file! Part_3.1.4.5: unknown section code 3")},
        VerdictCase{"CodeZero",
                    [] {
                        return Section({0x20, 0x00, 0, 0, 0, 0}, 0, 0);
                    },
                    SectionVerdict::UnknownCode,
                    QStringLiteral("Bad FW file! Part_0.0.0.0: unknown section code 0")},
        // Reboot system's fields: sent as a part, it would restart the switcher.
        VerdictCase{"RebootSystemGroup",
                    [] {
                        return Section({0x80, 0x02, 0x0F, 0, 0, 0}, 10, 10);
                    },
                    SectionVerdict::UnknownGroup,
                    QStringLiteral("Bad FW file! Part_2.15.0.0: unknown section group 128")},
        VerdictCase{"EmptyImage", [] { return Section(kSlave, 0, 0); }, SectionVerdict::EmptyImage,
                    QStringLiteral("Bad FW file! Part_2.1.1.0: empty image")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirmwareSummary, ListsEverySectionAndSaysWhetherEveryHeaderChecks) {
    const QByteArray file = BuildSection(kMain, Image(1000, 6)) + BuildSection(kSlave, Image(4, 7));
    const FirmwareSummary good = SummariseFirmware(file);
    EXPECT_TRUE(good.everyHeaderChecks);
    EXPECT_EQ(FirmwareSummaryText(good),
              QStringLiteral("2 sections: Part_1.1.1.2 (1000 bytes), Part_2.1.1.0 (4 bytes); "
                             "every header checks"));
    EXPECT_EQ(
        FirmwareSectionLines(good),
        (QStringList{"Section 1 at offset 0: Part_1.1.1.2, image 1000 bytes, header checks",
                     "Section 2 at offset 1143: Part_2.1.1.0, image 4 bytes, header checks"}));

    const FirmwareSummary cut = SummariseFirmware(file.chopped(1));
    EXPECT_FALSE(cut.everyHeaderChecks);
    EXPECT_EQ(FirmwareSummaryText(cut),
              QStringLiteral("1 section: Part_1.1.1.2 (1000 bytes); section 2 at offset 1143: "
                             "Bad FW file!, image runs past the end of the file"));

    const FirmwareSummary trailing = SummariseFirmware(file + QByteArray(5, 'x'));
    EXPECT_FALSE(trailing.everyHeaderChecks);
    EXPECT_EQ(FirmwareSectionLines(trailing).last(),
              QStringLiteral("Section 3 at offset 1290: header cut short by the end of the file"));
}

class FirmwareFileOnDisk : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QTemporaryDir dir_;
};

TEST_F(FirmwareFileOnDisk, ReadsAWholeFile) {
    const QByteArray bytes = BuildSection(kMain, Image(5000, 8));
    const FileReadResult read = ReadFirmwareFile(write("good.fw", bytes));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.bytes, bytes);
}

TEST_F(FirmwareFileOnDisk, RefusesWhatIsNoFirmwareFileWithoutReadingIt) {
    const QString fifo = dir_.filePath("fifo.fw");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = write("huge.fw", "x");
    ASSERT_TRUE(QFile::resize(huge, qint64(4) << 30));  // sparse
    const struct {
        QString path;
        FileReadStatus status;
        QString suffix;
    } cases[] = {
        {dir_.filePath("missing.fw"), FileReadStatus::Missing, " does not exist"},
        {dir_.path(), FileReadStatus::NotARegularFile, " is not a regular file"},
        {fifo, FileReadStatus::NotARegularFile, " is not a regular file"},
        {"/dev/zero", FileReadStatus::NotARegularFile, " is not a regular file"},
        {huge, FileReadStatus::TooLarge, " is larger than 33555004 bytes"},
    };
    for (const auto& c : cases) {
        const FileReadResult read = ReadFirmwareFile(c.path);
        EXPECT_EQ(read.status, c.status) << c.path.toStdString();
        EXPECT_TRUE(read.bytes.isEmpty()) << c.path.toStdString();
        EXPECT_EQ(FirmwareFileProblemText(c.path, read),
                  QStringLiteral("Firmware file: ") + c.path + c.suffix);
    }
}

TEST_F(FirmwareFileOnDisk, AnEmptyFileReadsAndIsThenABadFile) {
    const FileReadResult read = ReadFirmwareFile(write("empty.fw", {}));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(SectionProblemText(FirmwareReader(read.bytes).ReadSectionHeader()), kBad);
}

}  // namespace
