// Writing files safely: a file replaced atomically through a temporary file, and deleting a file.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <optional>
#include <sys/types.h>

namespace Tessel {

// How hard a write insists that the bytes reached the disk before the file is replaced.
enum class TWriteDurability {
    Flushed,  // flushed before the rename: survives a power cut (files the user edits)
    Replaced, // renamed into place unflushed: a failed or crashed write still never leaves a
              // half-written file (files the program can make again, such as generated output)
};

// Writes a file through a temporary file beside it, moved over the target only when complete: a
// failed or crashed write never leaves a half-written file, and an existing file stays intact. A
// symbolic link is written through. The temporary file is gone after a failure, and when the writer
// is destroyed uncommitted. A failing step returns false with the failing call's code in Error()
// and in LastSystemError().
class TAtomicFileWriter {
public:
    explicit TAtomicFileWriter(const QString& AFileName);
    ~TAtomicFileWriter();
    TAtomicFileWriter(const TAtomicFileWriter&) = delete;
    TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;

    // Creates the temporary file. Its permissions are AMode when given, else those of the file it
    // replaces, else those of a new file (0666 less the process's file-creation mask). On Windows
    // the file takes its folder's permissions and AMode is not used.
    bool Open(std::optional<mode_t> AMode = std::nullopt);
    bool Write(const char* AData, qsizetype ASize);
    bool Write(const QByteArray& ABytes) { return Write(ABytes.constData(), ABytes.size()); }
    // The open temporary file (a descriptor; on Windows a file handle), for what the writer does not
    // do itself (its times, for one); -1 when none is open.
    std::intptr_t Handle() const { return FFd; }
    // Flushes the file as ADurability asks, closes it and moves it into place. Without AReplace an
    // existing file is never replaced, even one that appeared while writing: that fails with
    // FileExistsError().
    bool Commit(TWriteDurability ADurability, bool AReplace = true);
    int Error() const { return FError; }

private:
    bool Fail(int ACode);
    void Discard();

    QByteArray FTarget;
    QByteArray FTemp;
    std::intptr_t FFd = -1;
    int FError = 0;
};

// Deletes a file; false with the reason in LastSystemError() when it cannot.
bool DeleteFile(const QString& AFileName);

} // namespace Tessel
