// What the engine's fuzz targets share: files held in memory, and names compared as the replace list
// compares them.
#pragma once

#include "engine/IProjectDisk.h"

#include "Tessel/Rtl/Exception.h"

#include <map>

namespace WrenfoldFuzz {

// Files by full path, only read: the statements never write.
class TMemoryDisk : public Wrenfold::IProjectDisk {
public:
    std::map<QString, QByteArray> Files;

    bool IsExistingFile(const QString& APath) const override { return Files.count(APath) > 0; }
    QStringList ListFiles(const QString&) const override { return {}; }
    QStringList ListFolders(const QString&) const override { return {}; }
    QByteArray ReadFile(const QString& APath) const override {
        const auto found = Files.find(APath);
        if (found == Files.end()) throw Tessel::EFileError("no such file " + APath);
        return found->second;
    }
    void WriteTextFile(const QString&, const QStringList&, const Tessel::TTextFormat&) override {}
    void CopyFile(const QString&, const QString&) override { throw Tessel::EFileError(QString()); }
    void DeleteFile(const QString&) override { throw Tessel::EFileError(QString()); }
};

// The value of the first replace-list line whose name (the text before its first "=") equals AName
// without regard to case; empty when none does.
inline QString ReplaceValue(const QStringList& AReplaceList, const QString& AName) {
    for (const QString& line : AReplaceList) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && line.left(equals).compare(AName, Qt::CaseInsensitive) == 0)
            return line.mid(equals + 1);
    }
    return QString();
}

// The position (0-based) of the ")" closing the bracket opened just before AFrom, or -1.
inline qsizetype ClosingBracket(const QString& AText, qsizetype AFrom) {
    int depth = 0;
    for (qsizetype i = AFrom; i < AText.size(); ++i) {
        if (AText[i] == u'(')
            ++depth;
        else if (AText[i] == u')' && depth-- == 0)
            return i;
    }
    return -1;
}

// How a straightforward expansion, searching from the start of the line again after every
// replacement, ended: done, failed, or stopped at a bound before it could tell.
enum class TReferenceEnd { Done, Failed, Undecided };

} // namespace WrenfoldFuzz
