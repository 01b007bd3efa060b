#include "support/TSuiteEnvironment.h"

#include <QLocale>
#include <QtGlobal>

TSuiteEnvironment::TSuiteEnvironment() {
    if (!FHome.isValid() || !FRegistry.isValid()) qFatal("The tests need a temporary folder.");
    qputenv("TZ", "UTC");
    qputenv("LC_ALL", "C.UTF-8");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("HOME", FHome.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", FHome.filePath(QStringLiteral(".config")).toUtf8());
    qputenv("XDG_DATA_HOME", FHome.filePath(QStringLiteral(".local/share")).toUtf8());
    qputenv("XDG_CACHE_HOME", FHome.filePath(QStringLiteral(".cache")).toUtf8());
    qputenv("WRENFOLD_REGISTRY_DIR", FRegistry.path().toUtf8());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
}
