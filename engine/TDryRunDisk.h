// A dry run's disk: it reads the real files but only pretends to change them.
#pragma once

#include "engine/IProjectDisk.h"

#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace Wrenfold {

// What a run would write, copy or delete is kept in memory, so that its later steps see it, and
// nothing on the real disk changes. In check mode each output is also compared with the file that
// stands on disk.
class TDryRunDisk : public IProjectDisk {
public:
    explicit TDryRunDisk(const IProjectDisk& AReal) : FReal(AReal) {}

    bool IsExistingFile(const QString& APath) const override;
    QStringList ListFiles(const QString& AFolder) const override;
    // The real folders: a dry run makes none.
    QStringList ListFolders(const QString& AFolder) const override { return FReal.ListFolders(AFolder); }
    QByteArray ReadFile(const QString& APath) const override;
    void WriteTextFile(const QString& APath, const QStringList& ALines,
                       const Tessel::TTextFormat& AFormat) override;
    void CopyFile(const QString& ASource, const QString& ADest) override;
    void DeleteFile(const QString& APath) override;
    bool WritesForReal() const override { return false; }
    // Puts a file in place for the run, as if it stood on disk.
    void PutFile(const QString& APath, const QByteArray& ABytes) { FChanged[APath] = ABytes; }

    // Check mode: every output written is compared with the file on disk. ARandomGuids gives the
    // GUIDs the current run made up; each matches whatever GUID stands at its place on disk.
    void CheckOutputs(std::function<QStringList()> ARandomGuids) { FRandomGuids = std::move(ARandomGuids); }
    struct TChangedOutput {
        QString Path;
        bool Missing = false;
        QString Diff; // unified, empty for a missing file
    };
    const std::vector<TChangedOutput>& ChangedOutputs() const { return FChangedOutputs; }
    // Every path a text file was written to, in order.
    const QStringList& WrittenFiles() const { return FWrittenFiles; }

private:
    void CheckOutput(const QString& APath, const QStringList& ALines, const Tessel::TTextFormat& AFormat);

    const IProjectDisk& FReal;
    std::map<QString, std::optional<QByteArray>> FChanged; // no value: deleted
    std::function<QStringList()> FRandomGuids;
    std::vector<TChangedOutput> FChangedOutputs;
    QStringList FWrittenFiles;
};

// ANew with each of AGuids replaced, where it stands, by the GUID at the same line and column of
// AOld (when one stands there).
QStringList AlignMadeUpGuids(const QStringList& ANew, const QStringList& AOld, const QStringList& AGuids);

} // namespace Wrenfold
