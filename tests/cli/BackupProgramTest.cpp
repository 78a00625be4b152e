// Backup, restore and diff of a whole room through matrixctl against matrix-sim.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "CtlHarness.h"
#include "support/CaseName.h"

namespace {

using ctltest::CtlHarness;
using ctltest::Transport;

const QByteArray kSettings =
    "[Pre-Setting name]\nSetting1=Lobby\n[Pre-Setting value]\nvalue1=3,3,3,3,3,3\n"
    "[Control mode]\nMode=0\n[Tag of Input - COM]\nIn1=Camera\n";

QJsonObject readJson(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object()
                                          : QJsonObject();
}

void writeJson(const QString& path, const QJsonObject& object) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) file.write(QJsonDocument(object).toJson());
}

struct RoundTrip : ::testing::TestWithParam<Transport> {};

TEST_P(RoundTrip, RestoreUndoesEveryChangeAndDiffIsEmpty) {
    CtlHarness harness(GetParam());
    ASSERT_TRUE(harness.started());
    harness.writeSettings(kSettings);
    const QString backup = harness.filePath(QStringLiteral("room.json"));
    ASSERT_EQ(harness.run({"route", "2", "5"}).exitCode, 0);
    ASSERT_EQ(harness.run({"backup", backup}).exitCode, 0);
    // An input's EDID cannot be read from the switcher; one put into the file is written back.
    const QString tv = harness.filePath(QStringLiteral("tv.bin"));
    ASSERT_EQ(harness.run({"edid", "read", "output", "1", tv}).exitCode, 0);
    QFile image(tv);
    ASSERT_TRUE(image.open(QIODevice::ReadOnly));
    QJsonObject room = readJson(backup);
    QJsonArray inputs = room.value(QStringLiteral("inputEdids")).toArray();
    inputs[3] = QString::fromLatin1(image.readAll().toHex());
    room[QStringLiteral("inputEdids")] = inputs;
    writeJson(backup, room);

    for (const QStringList& change :
         {QStringList{"route", "all", "6"}, QStringList{"option", "ir", "off"},
          QStringList{"option", "beeper", "off"}, QStringList{"option", "apm", "on"},
          QStringList{"power", "off"}}) {
        ASSERT_EQ(harness.run(change).exitCode, 0) << change.join(' ').toStdString();
    }
    const ctltest::RunResult changed = harness.run({"diff", backup});
    EXPECT_EQ(changed.out,
              "power: switcher off, backup on\nroutes and options not compared: the switcher is "
              "off\n");
    harness.simOutput();
    const ctltest::RunResult restore = harness.run({"restore", backup});
    EXPECT_EQ(restore.exitCode, 0) << restore.err.toStdString();
    EXPECT_EQ(restore.out,
              "Restored: power on, route Output1, route Output2, route Output3, route Output4, "
              "route Output5, route Output6, option ir, option keys, option apm, option beeper, "
              "EDID Input4\nNo differences\n");
    const ctltest::RunResult diff = harness.run({"--json", "diff", backup});
    EXPECT_EQ(diff.exitCode, 0);
    const QJsonObject same = QJsonDocument::fromJson(diff.out.toUtf8()).object();
    EXPECT_TRUE(same.value(QStringLiteral("same")).toBool()) << diff.out.toStdString();
    EXPECT_EQ(room.value(QStringLiteral("routes")).toArray().at(1).toInt(), 5);
    EXPECT_EQ(room.value(QStringLiteral("presets")).toArray().at(0).toObject().value("name"),
              "Lobby");
}

INSTANTIATE_TEST_SUITE_P(BothLinks, RoundTrip, ::testing::Values(Transport::Pty, Transport::Tcp),
                         testing_support::CaseNamer([](Transport t) {
                             return t == Transport::Pty ? "pty" : "tcp";
                         }));

TEST(BackupProgram, DiffNamesEveryChangedSetting) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    harness.writeSettings(kSettings);
    const QString backup = harness.filePath(QStringLiteral("room.json"));
    ASSERT_EQ(harness.run({"backup", backup}).exitCode, 0);
    ASSERT_EQ(harness.run({"route", "3", "1"}).exitCode, 0);
    ASSERT_EQ(harness.run({"option", "keys", "on"}).exitCode, 0);
    harness.writeSettings(
        "[Pre-Setting name]\nSetting1=Lobby\n[Pre-Setting value]\nvalue1=3,3,3,3,3,3\n");
    const ctltest::RunResult diff = harness.run({"diff", backup});
    EXPECT_EQ(diff.exitCode, 0);
    EXPECT_EQ(diff.out,
              "route Output3: switcher Input1, backup Input3\n"
              "option keys: switcher on, backup off\n"
              "input tag 1: settings \"\", backup \"Camera\"\n");
}

TEST(BackupProgram, SilentSwitcherStopsTheRestoreAndSaysWhatWasWritten) {
    // Set route goes unanswered; everything else is answered.
    CtlHarness harness(Transport::Pty, {"--fault", "noreply:all:0x02:0x03"});
    ASSERT_TRUE(harness.started());
    harness.writeSettings(kSettings);
    const QString backup = harness.filePath(QStringLiteral("room.json"));
    ASSERT_EQ(harness.run({"backup", backup}).exitCode, 0);
    const ctltest::RunResult restore = harness.run({"restore", backup, "--only", "power,routes"});
    EXPECT_EQ(restore.exitCode, 2);
    EXPECT_EQ(
        restore.err,
        "Time out!\nRestore stopped at route Output1; written: power on; not written: route "
        "Output1, route Output2, route Output3, route Output4, route Output5, route Output6\n");
}

struct BadBackup {
    const char* name;
    QByteArray text;
    const char* error;
};

void PrintTo(const BadBackup& c, std::ostream* os) {
    *os << c.name;
}

const BadBackup kBadBackups[] = {
    {"other version", R"({"format":"matrixctl-backup","version":2})",
     "Backup file: format version 2, this program reads version 1"},
    {"not json", "routes: 1 2 3", "Backup file: not JSON: illegal value"},
    {"route out of range",
     R"({"format":"matrixctl-backup","version":1,"power":true,"routes":[1,2,3,4,5,9]})",
     "Backup file: \"routes\" entry 6 is not an input 1 to 6"},
};

struct BackupValidation : ::testing::TestWithParam<BadBackup> {};

TEST_P(BackupValidation, RefusedBeforeAnythingIsSent) {
    CtlHarness harness(Transport::Pty);
    ASSERT_TRUE(harness.started());
    const QString path = harness.filePath(QStringLiteral("bad.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().text);
    file.close();
    harness.simOutput();
    for (const char* command : {"restore", "diff"}) {
        const ctltest::RunResult result = harness.run({command, path});
        EXPECT_EQ(result.exitCode, 4) << command;
        EXPECT_EQ(result.err, QLatin1String(GetParam().error) + u'\n') << command;
    }
    EXPECT_FALSE(harness.simOutput().contains(QStringLiteral("RX ")));
}

INSTANTIATE_TEST_SUITE_P(BadFiles, BackupValidation, ::testing::ValuesIn(kBadBackups),
                         testing_support::CaseNamer([](const BadBackup& c) { return c.name; }));

TEST(BackupProgram, UnknownRestorePartIsAUsageError) {
    CtlHarness harness(Transport::Pty);
    const ctltest::RunResult result =
        harness.runBare({"restore", "x.json", "--only", "routes,fans"});
    EXPECT_EQ(result.exitCode, 64);
    EXPECT_EQ(result.err, "--only takes routes,power,options,edid, not \"fans\"\n");
}

}  // namespace
