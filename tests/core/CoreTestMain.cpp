#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The follower's timer needs an application, even where tests drive it by hand.
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
