// Test entry point shared by every suite: a Qt core application, a fixed environment and a private
// registry folder, so no test depends on the machine's locale, time zone, home folder or hive.
#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("TZ", "UTC");
    QTemporaryDir registryDir;
    qputenv("WRENFOLD_REGISTRY_DIR", registryDir.path().toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
