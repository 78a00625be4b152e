#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include "firmware/FirmwareFile.h"
#include "firmware/FirmwareMerge.h"
#include "firmware/FirmwareMergeTool.h"

namespace {

using namespace device;

QByteArray Image(int size, int seed) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 11 + seed);
    return bytes;
}

class MergeTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(dir_.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    static QByteArray read(const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    MergeOutcome merge(MergeFields& fields, bool overwrite = false) {
        const MergeHooks hooks{[this](const QString& line) { lines_ << line; },
                               [this, overwrite](const QString& question) {
                                   questions_ << question;
                                   return overwrite;
                               }};
        return MergeFirmware(fields, out_.path(), hooks);
    }
    QString target(const QString& name) const { return out_.filePath(name); }

    QTemporaryDir dir_;
    QTemporaryDir out_;
    QStringList lines_;
    QStringList questions_;
};

TEST_F(MergeTest, MainAndSlave1InOrderWithTheirLinesAndName) {
    const QByteArray main = Image(1000, 1);
    const QByteArray slave = Image(300, 2);
    MergeFields fields;
    fields[0] = {write("main.bin", main), "1", "2"};
    fields[1] = {write("s1.bin", slave), "1", ""};
    const MergeOutcome outcome = merge(fields);

    const QString path = target("Vorpanix_mm1.2_ms1.0.fw");
    EXPECT_TRUE(outcome.saved);
    EXPECT_EQ(outcome.targetPath, path);
    EXPECT_EQ(lines_, (QStringList{"Main MCU firmware: " + fields[0].path + " loaded",
                                   "Main MCU firmware merged, ver1.2",
                                   "Slave MCU1 firmware: " + fields[1].path + " loaded",
                                   "Slave MCU1 firmware merged, ver1.0",
                                   "Firmware merged complete, save to file: " + path}));
    EXPECT_EQ(fields[1].version2, QStringLiteral("0"));
    EXPECT_EQ(read(path), BuildSection(FieldsOf(Mcu::Main, 1, 2), main) +
                              BuildSection(FieldsOf(Mcu::Slave1, 1, 0), slave));
    EXPECT_TRUE(questions_.isEmpty());
}

TEST_F(MergeTest, OnlyTheIrMcuWithAVersionAboveTheRange) {
    MergeFields fields;
    fields[2] = {"  " + write("ir.bin", Image(64, 3)) + "\t", "7", "300"};
    merge(fields);
    EXPECT_FALSE(fields[2].path.startsWith(u' '));
    EXPECT_EQ(fields[2].version2, QStringLiteral("255"));
    FirmwareReader reader(read(target("Vorpanix_ir7.255.fw")));
    const SectionHeaderRead header = reader.ReadSectionHeader();
    ASSERT_TRUE(header.good());
    EXPECT_EQ(header.fields(), (PartFields{0x20, 0x02, 2, 0, 7, 255}));
    EXPECT_EQ(reader.ReadSectionImage(header), Image(64, 3));
    EXPECT_TRUE(reader.AtEnd());
}

TEST_F(MergeTest, ImagesThatCannotBeLoadedAreSkippedWithALine) {
    MergeFields fields;
    fields[0] = {dir_.filePath("gone.bin"), "1", "1"};
    fields[1] = {dir_.path(), "1", "1"};
    fields[3] = {write("panel.bin", {}), "2", "0"};
    merge(fields);
    EXPECT_EQ(
        lines_,
        (QStringList{"Main MCU firmware file: " + fields[0].path + " does not exist",
                     "Slave MCU1 firmware file: " + fields[1].path + " is not a regular file",
                     "Slave MCU3 firmware: " + fields[3].path + " loaded",
                     "Slave MCU3 firmware merged, ver2.0",
                     "Firmware merged complete, save to file: " + target("Vorpanix_pnl2.0.fw")}));
    // A 0-byte image still makes a section.
    EXPECT_EQ(read(target("Vorpanix_pnl2.0.fw")).size(), 143);
    // Versions of MCUs that were not merged stay as typed.
    EXPECT_EQ(fields[0].version1, QStringLiteral("1"));
}

TEST_F(MergeTest, NothingGivenNothingSavedNoLine) {
    MergeFields fields;
    fields[1] = {" \r\n", "9", "9"};
    EXPECT_TRUE(merge(fields).targetPath.isEmpty());
    EXPECT_TRUE(lines_.isEmpty());
    EXPECT_TRUE(fields[1].path.isEmpty());
    EXPECT_TRUE(QDir(out_.path()).isEmpty());
}

TEST_F(MergeTest, AnExistingFileIsReplacedOnlyOnYes) {
    const QString path = target("Vorpanix_mm3.4.fw");
    for (const bool yes : {false, true}) {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        lines_.clear();
        questions_.clear();
        MergeFields fields;
        fields[0] = {write("m.bin", Image(10, 4)), "3", "4"};
        EXPECT_EQ(merge(fields, yes).saved, yes);
        EXPECT_EQ(questions_, QStringList{"Firmware file: " + path + " exists, overwrite it?"});
        EXPECT_EQ(lines_.last(), yes ? "Firmware merged complete, save to file: " + path
                                     : QStringLiteral("Save canceled"));
        EXPECT_EQ(read(path) == "old", !yes);
    }
}

TEST_F(MergeTest, AFolderThatCannotTakeTheFileIsReported) {
    MergeFields fields;
    fields[0] = {write("m.bin", Image(10, 5)), "1", "0"};
    const MergeOutcome outcome =
        MergeFirmware(fields, dir_.filePath("no/such/folder"),
                      {[this](const QString& line) { lines_ << line; }, {}});
    EXPECT_FALSE(outcome.saved);
    EXPECT_EQ(lines_.last(), "Firmware file: " + outcome.targetPath + " cannot be saved");
}

// The tool prints the merge's own lines and keeps an existing file unless forced.
TEST_F(MergeTest, ToolMergesListsAndRefusesToOverwrite) {
    const QString main = write("main.bin", Image(700, 6));
    const QString ir = write("ir.bin", Image(20, 7));
    const auto run = [&](QStringList arguments, QString& out) {
        out.clear();
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        arguments.prepend(QStringLiteral("fw-merge"));
        return RunFirmwareMergeTool(arguments, outStream, errStream);
    };
    const QStringList mergeArgs{"--main", main,           "--main-ver", "1.2",       "--slave2",
                                ir,       "--slave2-ver", "7",          "--out-dir", out_.path()};
    const QString path = target("Vorpanix_mm1.2_ir7.0.fw");
    QString out;
    EXPECT_EQ(run(mergeArgs, out), 0);
    EXPECT_EQ(out, "Main MCU firmware: " + main + " loaded\nMain MCU firmware merged, ver1.2\n" +
                       "Slave MCU2 firmware: " + ir + " loaded\n" +
                       "Slave MCU2 firmware merged, ver7.0\n" +
                       "Firmware merged complete, save to file: " + path + "\n");
    EXPECT_EQ(run(mergeArgs, out), 1);
    EXPECT_TRUE(out.endsWith("Save canceled\n"));
    EXPECT_EQ(run(mergeArgs + QStringList{"--force"}, out), 0);

    EXPECT_EQ(run({"--list", path}, out), 0);
    EXPECT_EQ(out, QStringLiteral("Section 1 at offset 0: Part_1.1.1.2, image 700 bytes, header "
                                  "checks\nSection 2 at offset 843: Part_2.2.7.0, image 20 bytes, "
                                  "header checks\n2 sections: Part_1.1.1.2 (700 bytes), "
                                  "Part_2.2.7.0 (20 bytes); every header checks\n"));
    EXPECT_EQ(run({"--list", main}, out), 1);
    EXPECT_EQ(run({"--list", path, "--main", main}, out), 2);
    EXPECT_EQ(run({}, out), 2);
    EXPECT_EQ(run({"--slave1", dir_.filePath("none.bin")}, out), 1);
}

struct ToolCase {
    const char* name;
    QStringList arguments;  // "IMG" stands for a good image, "DIR" for the test's folder
    int exitCode;
    QString errorPart;  // in the standard error; empty: no error
};

void PrintTo(const ToolCase& c, std::ostream* os) {
    *os << c.name;
}

class ToolExit : public MergeTest, public ::testing::WithParamInterface<ToolCase> {};

// Nothing is written unless everything named was merged as typed.
TEST_P(ToolExit, WritesOnlyWhatWasAskedFor) {
    const QString image = write("img.bin", Image(40, 8));
    QStringList arguments{"fw-merge", "--out-dir", out_.path()};
    for (const QString& a : GetParam().arguments)
        arguments << (a == "IMG" ? image : a == "DIR" ? dir_.path() : a);
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    EXPECT_EQ(RunFirmwareMergeTool(arguments, outStream, errStream), GetParam().exitCode);
    EXPECT_EQ(QDir(out_.path()).isEmpty(), GetParam().exitCode != 0);
    EXPECT_EQ(err.isEmpty(), GetParam().errorPart.isEmpty()) << err.toStdString();
    EXPECT_TRUE(err.contains(GetParam().errorPart)) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Tool, ToolExit,
    ::testing::Values(
        ToolCase{"Merged", {"--main", "IMG", "--main-ver", "1.2"}, 0, {}},
        ToolCase{"OneNumberVersion", {"--slave2", "IMG", "--slave2-ver", "7"}, 0, {}},
        ToolCase{"MissingMainBesideAGoodSlave",
                 {"--main", "nope.bin", "--slave1", "IMG"},
                 1,
                 "Main MCU firmware file: nope.bin does not exist"},
        ToolCase{"FolderAsSlaveImage",
                 {"--main", "IMG", "--slave3", "DIR"},
                 1,
                 " is not a regular file"},
        ToolCase{"ThreeNumbers", {"--slave2", "IMG", "--slave2-ver", "1.2.3"}, 2, "1.2.3"},
        ToolCase{"Comma", {"--slave2", "IMG", "--slave2-ver", "1,2"}, 2, "1,2"},
        ToolCase{"AboveTheRange", {"--main", "IMG", "--main-ver", "1.256"}, 2, "1.256"},
        ToolCase{"FourDigits", {"--main", "IMG", "--main-ver", "0012"}, 2, "0012"},
        ToolCase{"Empty", {"--main", "IMG", "--main-ver", ""}, 2, "--main-ver"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
