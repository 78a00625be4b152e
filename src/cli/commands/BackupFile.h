#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <array>
#include <optional>

#include "cli/program/Arguments.h"
#include "core/operations/StatusReads.h"
#include "settings/SettingsData.h"

namespace cli {

constexpr int kBackupVersion = 1;
constexpr int kUserMemoryCount = 2;

// A whole room: the switcher's state and the window's tags and pre-settings for it.
// The switcher cannot send the EDID an input presents or a user memory holds, so a backup made
// from the switcher leaves those empty; an image put there (hex) is written back by restore.
struct Backup {
    bool power = true;
    std::array<int, kPortCount> routes{};
    std::array<bool, core::kOptionCount> options{};
    std::array<std::optional<QByteArray>, kPortCount> inputEdids;
    std::array<std::optional<QByteArray>, kUserMemoryCount> memoryEdids;
    config::PortTags tags;
    std::array<QString, config::kPresetCount> presetNames;
    std::array<QStringList, config::kPresetCount> presetValues;
};

QJsonObject backupToJson(const Backup& backup);
// Checks every key before anything is used; a Rejection (bad file) names the first wrong one.
Backup backupFromJson(const QByteArray& text);
Backup readBackupFile(const QString& path);
void writeBackupFile(const QString& path, const Backup& backup);

}  // namespace cli
