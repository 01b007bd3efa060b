// One document of the window (project text, replace list, input, output, log) as a plain line model.
#pragma once

#include "Tessel/Rtl/TextFile.h"
#include "engine/TPackedLines.h"

#include <QObject>
#include <QStringList>

#include <optional>
#include <vector>

namespace Wrenfold {

// Sharing or releasing a string writes to the header of its data. Walking the lines of a large
// document, fetching that header this many lines ahead hides most of the wait for memory.
constexpr qsizetype PrefetchDistance = 16;
inline void PrefetchForSharing(const QString& AText) {
    __builtin_prefetch(const_cast<QString&>(AText).data_ptr().d_ptr(), 1);
}

// A list of lines with an update bracket, a modified mark, an undo-reset hook and the text format
// of the file it was loaded from. A line may hold line breaks; it stays one entry. Views attach to
// the signals and never own the content.
//
// A log may keep its appended lines packed as UTF-8 (SetPackAppendedLines): a hundred thousand log
// lines then cost their bytes instead of a string each, and a view takes the bytes as they are.
// Any other change unpacks the lines first.
class TTextDocument : public QObject {
    Q_OBJECT
public:
    explicit TTextDocument(QObject* AParent = nullptr) : QObject(AParent) {}

    int Count() const { return int(FLines.size() + FPacked.Count()); }
    QString Line(int AIndex) const;
    QStringList Lines() const;
    // The lines joined by the remembered line break, as a file would hold them.
    QString Text() const;

    void SetLine(int AIndex, const QString& ALine);
    void Append(const QString& ALine);
    // Sets line AIndex, or appends it when AIndex equals Count. A line that already is the very
    // same string is left alone: a batch writes mostly the same template lines again.
    void PutLine(int AIndex, const QString& ALine);
    // Drops the lines from ACount on.
    void Truncate(int ACount);
    void Clear();
    // Empties the document together with its undo history and its modified mark.
    void Empty();
    void SetLines(const QStringList& ALines);
    // Takes the lines a view holds after the user edited them; announces nothing back to views.
    void TakeEditedLines(const QStringList& ALines);
    // The same for an edit within lines AFirst to AFirst + ACount - 1, which ALines now replace.
    void TakeEditedLines(int AFirst, int ACount, const QStringList& ALines);

    // Changes inside a bracket are announced once, when the outermost bracket closes.
    void BeginUpdate();
    void EndUpdate();

    bool Modified() const { return FModified; }
    void SetModified(bool AValue);
    // Asks views to forget their undo history.
    void ClearUndo() { emit UndoReset(); }

    const Tessel::TTextFormat& Format() const { return FFormat; }
    void SetFormat(const Tessel::TTextFormat& AFormat) { FFormat = AFormat; }
    // Replaces the lines with those of a file's bytes and remembers its encoding and line-break
    // style; AFileName names the file in messages. Text fresh from its file is unmodified and has
    // nothing to undo. A batch loads the same template once per project: when the bytes equal
    // those of the previous load, its lines are taken again instead of being decoded anew.
    void LoadFromBytes(const QByteArray& ABytes, const QString& AFileName);
    // Writes the lines in the remembered format (atomically).
    void SaveToFile(const QString& AFileName) const;

    // A log in a front end that prints its lines as they come need not keep them.
    void SetKeepAppendedLines(bool AValue) { FKeepAppendedLines = AValue; }
    bool KeepsAppendedLines() const { return FKeepAppendedLines; }
    // Appended lines are kept packed from now on.
    void SetPackAppendedLines(bool AValue) { FPackAppendedLines = AValue; }
    // The lines from AFrom on as UTF-8 joined by LF, when they are all packed; nothing otherwise.
    std::optional<QByteArrayView> PackedUtf8From(int AFrom) const;

signals:
    void Reset();                            // the content changed as a whole
    void LineAppended(const QString& ALine); // one line was added at the end
    void ModifiedChanged(bool AModified);
    void UndoReset();

private:
    void Changed();
    // Moves packed lines into the line list, before a change other than an append.
    void Unpack();

    // The latest loads, most recent first, kept while they hold up to LoadedFileMemoryLimit bytes
    // in all (a configuration that names its outputs loads its few templates in turn). The lines
    // are shared with FLines until either changes.
    struct TLoadedFile {
        QByteArray Bytes;
        QStringList Lines;
        Tessel::TTextFormat Format;
    };
    static constexpr qsizetype LoadedFileMemoryLimit = 16 * 1024 * 1024;
    static constexpr int KeptLoads = 8;

    QStringList FLines;
    TPackedLines FPacked; // the lines after FLines
    Tessel::TTextFormat FFormat;
    std::vector<TLoadedFile> FRecentLoads;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
    bool FModified = false;
    bool FKeepAppendedLines = true;
    bool FPackAppendedLines = false;
};

// Holds a document's update bracket open for its own lifetime.
class TUpdateBracket {
public:
    explicit TUpdateBracket(TTextDocument& ADocument) : FDocument(ADocument) { FDocument.BeginUpdate(); }
    ~TUpdateBracket() { FDocument.EndUpdate(); }
    TUpdateBracket(const TUpdateBracket&) = delete;
    TUpdateBracket& operator=(const TUpdateBracket&) = delete;

private:
    TTextDocument& FDocument;
};

} // namespace Wrenfold
