#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The settings location asks the application for its directory.
    QCoreApplication app(argc, argv);
    // Keeps a fallback to the configuration folder out of the user's real one.
    QStandardPaths::setTestModeEnabled(true);
    return RUN_ALL_TESTS();
}
