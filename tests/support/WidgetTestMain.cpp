// Entry point of the suites that drive widgets: a widget application, offscreen unless a platform is
// named, in the tests' fixed surroundings.
#include "support/TSuiteEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TSuiteEnvironment environment;
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
