#include "support/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

QString WriteTestBytes(const QString& APath, const QByteArray& ABytes) {
    const QString folder = QFileInfo(APath).absolutePath();
    QFile file(APath);
    if (!QDir().mkpath(folder))
        ADD_FAILURE() << "cannot make folder " << folder.toStdString();
    else if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        ADD_FAILURE() << "cannot write " << APath.toStdString() << ": " << file.errorString().toStdString();
    else if (file.write(ABytes) != ABytes.size() || !file.flush())
        ADD_FAILURE() << "short write to " << APath.toStdString() << ": " << file.errorString().toStdString();
    return APath;
}

QString WriteTestText(const QString& APath, const QString& AText) {
    return WriteTestBytes(APath, AText.toUtf8());
}

QByteArray ReadTestBytes(const QString& APath, const QByteArray& AIfMissing) {
    QFile file(APath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : AIfMissing;
}

bool TestFileExists(const QString& APath) {
    return QFileInfo::exists(APath);
}
