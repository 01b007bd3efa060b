// A temporary folder for one test, removed with all it holds when the test ends.
#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// Names are relative to the folder; writes make the folders on the way.
class TScratchDir {
public:
    TScratchDir();
    TScratchDir(const TScratchDir&) = delete;
    TScratchDir& operator=(const TScratchDir&) = delete;

    QString Path() const { return FDir.path(); }
    QString FilePath(const QString& AName) const { return FDir.filePath(AName); }
    // Return the file's full path.
    QString WriteBytes(const QString& AName, const QByteArray& ABytes);
    QString WriteText(const QString& AName, const QString& AText);
    // Empty when the file cannot be read.
    QByteArray ReadBytes(const QString& AName) const;
    bool Exists(const QString& AName) const;

private:
    QTemporaryDir FDir;
};
