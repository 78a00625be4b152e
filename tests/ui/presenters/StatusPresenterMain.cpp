#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The option radios are enabled again from a timer.
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
