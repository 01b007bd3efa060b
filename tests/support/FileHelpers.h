// Whole files for tests: written with their folders made, read back as bytes.
#pragma once

#include <QByteArray>
#include <QString>

// Writes ABytes to APath, making the folders on the way; a file that cannot be written fails the
// test. Returns APath.
QString WriteTestBytes(const QString& APath, const QByteArray& ABytes);
// Writes AText as UTF-8 without a mark.
QString WriteTestText(const QString& APath, const QString& AText);
// The bytes of the file, or AIfMissing when it cannot be read.
QByteArray ReadTestBytes(const QString& APath, const QByteArray& AIfMissing = QByteArray());
bool TestFileExists(const QString& APath);
