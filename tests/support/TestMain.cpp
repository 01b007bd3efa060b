// Entry point of the suites that need no widgets: a Qt core application in the tests' fixed
// surroundings.
#include "support/TSuiteEnvironment.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const TSuiteEnvironment environment;
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
