#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <cstdlib>

#include "cli/commands/BackupFile.h"
#include "cli/program/Rejection.h"
#include "support/CaseName.h"

namespace {

QJsonObject validBackup() {
    cli::Backup backup;
    backup.routes = {1, 2, 3, 4, 5, 6};
    return cli::backupToJson(backup);
}

TEST(BackupFile, WhatIsWrittenReadsBackTheSame) {
    cli::Backup backup;
    backup.power = false;
    backup.routes = {6, 5, 4, 3, 2, 1};
    backup.options = {true, false, true, false};
    backup.tags.inputs[2] = QStringLiteral("Camera \"3\"");
    backup.presetNames[0] = QStringLiteral("Lobby");
    backup.presetValues[0] = QStringList{"3", "x", "", "1", "2", "3"};
    const QByteArray text = QJsonDocument(cli::backupToJson(backup)).toJson();
    const cli::Backup read = cli::backupFromJson(text);
    EXPECT_EQ(read.power, backup.power);
    EXPECT_EQ(read.routes, backup.routes);
    EXPECT_EQ(read.options, backup.options);
    EXPECT_EQ(read.tags, backup.tags);
    EXPECT_EQ(read.presetValues, backup.presetValues);
}

struct Edit {
    const char* name;
    const char* key;
    const char* value;  // JSON text; nothing removes the key
    const char* error;
};

void PrintTo(const Edit& e, std::ostream* os) {
    *os << e.name;
}

const Edit kEdits[] = {
    {"no version", "version", nullptr, "format version missing, this program reads version 1"},
    {"fractional route", "routes", "[1, 2, 3.5, 4, 5, 6]",
     "\"routes\" entry 3 is not an input 1 to 6"},
    {"five routes", "routes", "[1, 2, 3, 4, 5]", "\"routes\" is not a list of 6"},
    {"power as text", "power", "\"on\"", "\"power\" is not true or false"},
    {"option missing", "options", "{\"ir\": true}", "\"options\" has no true or false \"keys\""},
    {"edid not hex", "inputEdids", "[\"00FFZZ\", null, null, null, null, null]",
     "\"inputEdids\" entry 1 is not an EDID in hex"},
    {"edid too short", "memoryEdids", "[null, \"00FFFFFFFFFFFF00\"]",
     "\"memoryEdids\" entry 2 is not an EDID in hex"},
    {"tag as number", "outputTags", "[\"\", \"\", 7, \"\", \"\", \"\"]",
     "\"outputTags\" entry 3 is not a text"},
};

struct HandEdited : ::testing::TestWithParam<Edit> {};

TEST_P(HandEdited, IsRefusedNamingTheKey) {
    QJsonObject object = validBackup();
    const QLatin1String key(GetParam().key);
    if (GetParam().value) {
        const QByteArray wrapped = QByteArray("{\"v\": ") + GetParam().value + "}";
        object[key] = QJsonDocument::fromJson(wrapped).object().value(QStringLiteral("v"));
    } else {
        object.remove(key);
    }
    try {
        cli::backupFromJson(QJsonDocument(object).toJson());
        FAIL() << "accepted";
    } catch (const cli::Rejection& rejection) {
        EXPECT_EQ(rejection.exitCode(), 4);
        EXPECT_EQ(rejection.text(),
                  QStringLiteral("Backup file: ") + QLatin1String(GetParam().error));
    }
}

INSTANTIATE_TEST_SUITE_P(Edits, HandEdited, ::testing::ValuesIn(kEdits),
                         testing_support::CaseNamer([](const Edit& e) { return e.name; }));

// restore and diff read the file this way; a FIFO nobody writes to must not hold them.
TEST(BackupFile, FifoIsRefusedWithoutWaitingForAWriter) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("backup.json"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EXIT(
        {
            alarm(5);  // a read that waits is killed, and the test fails instead of hanging
            try {
                cli::readBackupFile(fifo);
            } catch (const cli::Rejection& rejection) {
                std::_Exit(rejection.exitCode() == 4 &&
                                   rejection.text() == fifo + QStringLiteral(" can not be read.")
                               ? 0
                               : 1);
            }
            std::_Exit(2);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
