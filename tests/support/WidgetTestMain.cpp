// Entry point of the suites that drive widgets: an offscreen widget application, a fixed environment
// and a private registry folder, so no test depends on the machine's display, locale, time zone,
// home folder or hive.
#include <QApplication>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("TZ", "UTC");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir homeDir;
    qputenv("HOME", homeDir.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", homeDir.filePath(QStringLiteral(".config")).toUtf8());
    QTemporaryDir registryDir;
    qputenv("WRENFOLD_REGISTRY_DIR", registryDir.path().toUtf8());
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
