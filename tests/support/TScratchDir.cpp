#include "support/TScratchDir.h"

#include "support/FileHelpers.h"

#include <gtest/gtest.h>

TScratchDir::TScratchDir() {
    if (!FDir.isValid()) ADD_FAILURE() << "no temporary folder: " << FDir.errorString().toStdString();
}

QString TScratchDir::WriteBytes(const QString& AName, const QByteArray& ABytes) {
    return WriteTestBytes(FilePath(AName), ABytes);
}

QString TScratchDir::WriteText(const QString& AName, const QString& AText) {
    return WriteTestText(FilePath(AName), AText);
}

QByteArray TScratchDir::ReadBytes(const QString& AName) const {
    return ReadTestBytes(FilePath(AName));
}

bool TScratchDir::Exists(const QString& AName) const {
    return TestFileExists(FilePath(AName));
}
