#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "EdidBuilder.h"
#include "device/EdidFile.h"

namespace {

using device::EdidStatus;
using device_test::EdidBuilder;

class EdidFileTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir_.filePath(name); }

    QString writeRaw(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(bytes), bytes.size());
        return file.fileName();
    }

    static QByteArray readRaw(const QString& filePath) {
        QFile file(filePath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir_;
    const QByteArray edid_ = EdidBuilder().manufacturer("ACR").serial(42).build();
};

TEST_F(EdidFileTest, FileOf257IsAcceptedAndSavedBackAs256) {
    const auto read = device::readEdidFile(writeRaw("in.bin", edid_ + char(0xEE)));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.edid, edid_);

    const QString out = path("out.bin");
    ASSERT_EQ(device::writeEdidFile(out, read.edid), EdidStatus::Ok);
    EXPECT_EQ(readRaw(out), edid_);
}

TEST_F(EdidFileTest, WritingDropsTheTrailerAndReplacesAnOldFile) {
    const QString out = writeRaw("old.bin", QByteArray(1000, 'x'));
    ASSERT_EQ(device::writeEdidFile(out, edid_ + char(0x01)), EdidStatus::Ok);
    EXPECT_EQ(readRaw(out), edid_);
}

TEST_F(EdidFileTest, RefusedFilesByContent) {
    QByteArray badChecksum = edid_;
    badChecksum[255] = char(quint8(badChecksum[255]) ^ 0x01);
    std::mt19937 random(2024);
    QByteArray noise(256, '\0');
    for (char& byte : noise) {
        byte = char(random());
    }
    struct Case {
        const char* name;
        QByteArray bytes;
        EdidStatus expected;
    } const cases[] = {
        {"empty", {}, EdidStatus::WrongSize},
        {"128 bytes", edid_.left(128), EdidStatus::WrongSize},
        {"258 bytes", edid_ + QByteArray(2, '\0'), EdidStatus::WrongSize},
        {"bad checksum", badChecksum, EdidStatus::BadChecksum},
        {"random bytes", noise, EdidStatus::BadHeader},
    };
    for (const Case& c : cases) {
        const auto read = device::readEdidFile(writeRaw(c.name, c.bytes));
        EXPECT_EQ(read.status, c.expected) << c.name;
        EXPECT_TRUE(read.edid.isEmpty()) << c.name;
    }
}

// A sparse 4 GiB file: an unbounded read would take seconds and gigabytes.
TEST_F(EdidFileTest, HugeFileIsRefusedWithoutLoadingIt) {
    QFile file(path("huge.bin"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(edid_);
    ASSERT_TRUE(file.resize(qint64(4) << 30));
    file.close();
    EXPECT_EQ(device::readEdidFile(file.fileName()).status, EdidStatus::WrongSize);
}

TEST_F(EdidFileTest, RefusedPathsByKind) {
    const QString fifo = path("fifo.bin");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        QString path;
        EdidStatus expected;
    } const cases[] = {
        {path("missing.bin"), EdidStatus::CannotOpen},
        {dir_.path(), EdidStatus::NotARegularFile},
        {fifo, EdidStatus::NotARegularFile},  // opening it would wait for a writer
        {"/dev/zero", EdidStatus::NotARegularFile},
        {"/proc/self/mem", EdidStatus::CannotRead},  // opens, but reading offset 0 fails    {"",
                                                     // EdidStatus::CannotOpen},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(device::readEdidFile(c.path).status, c.expected) << c.path.toStdString();
    }
}

TEST_F(EdidFileTest, UnreadableFileIsRefused) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads files whatever their mode";
    }
    const QString locked = writeRaw("locked.bin", edid_);
    ASSERT_EQ(chmod(QFile::encodeName(locked).constData(), 0), 0);
    EXPECT_EQ(device::readEdidFile(locked).status, EdidStatus::CannotOpen);
}

TEST_F(EdidFileTest, InvalidImageIsNeverWritten) {
    const QString out = writeRaw("keep.bin", edid_);
    EXPECT_EQ(device::writeEdidFile(out, edid_.left(128)), EdidStatus::WrongSize);
    QByteArray badHeader = edid_;
    badHeader[0] = char(0x01);
    EXPECT_EQ(device::writeEdidFile(out, badHeader), EdidStatus::BadHeader);
    EXPECT_EQ(readRaw(out), edid_);
}

TEST_F(EdidFileTest, UnwritablePlaceIsReported) {
    EXPECT_EQ(device::writeEdidFile(path("no/such/dir/out.bin"), edid_), EdidStatus::CannotWrite);
    EXPECT_EQ(device::writeEdidFile(dir_.path(), edid_), EdidStatus::CannotWrite);
}

}  // namespace
