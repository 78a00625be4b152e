#include <gtest/gtest.h>

#include "cli/program/Invocation.h"

namespace {

TEST(Invocation, OptionsMayComeAfterTheCommandWords) {
    const auto parsed = cli::parseInvocation(
        {"route", "all", "3", "--json", "--tcp", "10.0.0.9", "--settings", "/tmp/S.ini"});
    const auto& invocation = std::get<cli::Invocation>(parsed);
    EXPECT_EQ(invocation.words, QStringList({"route", "all", "3"}));
    EXPECT_TRUE(invocation.json);
    EXPECT_EQ(invocation.tcpAddress, "10.0.0.9");
    EXPECT_EQ(invocation.settingsPath, "/tmp/S.ini");
}

TEST(Invocation, UsageErrors) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"--serial", "/dev/x", "--tcp", "1.2.3.4", "status"},
          QStringList{"--frobnicate", "status"}, QStringList{"status", "--serial"}}) {
        EXPECT_TRUE(std::holds_alternative<cli::UsageError>(cli::parseInvocation(args)))
            << args.join(' ').toStdString();
    }
}

TEST(Invocation, HelpNeedsNoCommand) {
    EXPECT_TRUE(std::get<cli::Invocation>(cli::parseInvocation({"--help"})).help);
}

}  // namespace
