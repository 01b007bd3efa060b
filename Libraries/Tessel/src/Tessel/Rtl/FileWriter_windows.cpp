#include "Tessel/Rtl/FileWriter.h"

#include <QDir>

#include <atomic>
#include <string>
#include <windows.h>
#undef DeleteFile

namespace Tessel {

namespace {

// The names are kept as UTF-8 and handed to the system as UTF-16 with its own separators.
std::wstring WidePath(const QByteArray& AName) {
    return QDir::toNativeSeparators(QString::fromUtf8(AName)).toStdWString();
}

HANDLE FileHandle(std::intptr_t AHandle) {
    return reinterpret_cast<HANDLE>(AHandle);
}

} // namespace

TAtomicFileWriter::TAtomicFileWriter(const QString& AFileName) : FTarget(AFileName.toUtf8()) {}

TAtomicFileWriter::~TAtomicFileWriter() {
    const DWORD code = ::GetLastError();
    Discard();
    ::SetLastError(code);
}

void TAtomicFileWriter::Discard() {
    if (FFd != -1) ::CloseHandle(FileHandle(FFd));
    FFd = -1;
    if (!FTemp.isEmpty()) ::DeleteFileW(WidePath(FTemp).c_str());
    FTemp.clear();
}

bool TAtomicFileWriter::Fail(int ACode) {
    Discard();
    FError = ACode;
    ::SetLastError(DWORD(ACode));
    return false;
}

bool TAtomicFileWriter::Open(std::optional<mode_t>) {
    Discard();
    if (FTarget.isEmpty()) return Fail(ERROR_FILE_NOT_FOUND);
    // A name holding a NUL would be cut short there by the system: another file would be written.
    if (FTarget.contains('\0')) return Fail(ERROR_INVALID_NAME);
    const DWORD attributes = ::GetFileAttributesW(WidePath(FTarget).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Fail(ERROR_ACCESS_DENIED); // as the system answers
        // A read-only file is refused, as the system refuses to overwrite it.
        if (attributes & FILE_ATTRIBUTE_READONLY) return Fail(ERROR_ACCESS_DENIED);
    }
    static std::atomic<unsigned> counter{0};
    static const DWORD processId = ::GetCurrentProcessId();
    for (int attempt = 0; FFd == -1; ++attempt) {
        FTemp = FTarget + ".wf" + QByteArray::number(quint32(processId)) + '-' +
                QByteArray::number(counter++) + ".tmp";
        const HANDLE file = ::CreateFileW(WidePath(FTemp).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD code = ::GetLastError();
            FTemp.clear();
            if ((code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) || attempt > 100)
                return Fail(int(code));
            continue;
        }
        FFd = reinterpret_cast<std::intptr_t>(file);
    }
    return true;
}

bool TAtomicFileWriter::Write(const char* AData, qsizetype ASize) {
    if (FFd == -1) return Fail(ERROR_INVALID_HANDLE);
    for (qsizetype done = 0; done < ASize;) {
        const DWORD chunk = DWORD(std::min<qsizetype>(ASize - done, qsizetype(1) << 30));
        DWORD written = 0;
        if (!::WriteFile(FileHandle(FFd), AData + done, chunk, &written, nullptr))
            return Fail(int(::GetLastError()));
        done += written;
    }
    return true;
}

bool TAtomicFileWriter::Commit(TWriteDurability ADurability, bool AReplace) {
    if (FFd == -1) return Fail(ERROR_INVALID_HANDLE);
    if (ADurability == TWriteDurability::Flushed && !::FlushFileBuffers(FileHandle(FFd)))
        return Fail(int(::GetLastError()));
    const HANDLE file = FileHandle(FFd);
    FFd = -1;
    if (!::CloseHandle(file)) return Fail(int(::GetLastError()));
    // Without MOVEFILE_REPLACE_EXISTING the move fails when the name exists, whenever it appeared.
    const DWORD flags = (AReplace ? MOVEFILE_REPLACE_EXISTING : 0) |
                        (ADurability == TWriteDurability::Flushed ? MOVEFILE_WRITE_THROUGH : 0);
    // A file another program has open without letting it be deleted (a reader of the registry files,
    // say) cannot be replaced until that program closes it, which readers do within moments: the
    // move is tried again for up to a second.
    const std::wstring temp = WidePath(FTemp), target = WidePath(FTarget);
    for (int attempt = 0; !::MoveFileExW(temp.c_str(), target.c_str(), flags); ++attempt) {
        const DWORD code = ::GetLastError();
        if ((code != ERROR_ACCESS_DENIED && code != ERROR_SHARING_VIOLATION) || attempt >= 100)
            return Fail(int(code == ERROR_ALREADY_EXISTS ? ERROR_FILE_EXISTS : code));
        ::Sleep(10);
    }
    FTemp.clear();
    return true;
}

bool DeleteFile(const QString& AFileName) {
    if (AFileName.contains(QChar(0))) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return ::DeleteFileW(QDir::toNativeSeparators(AFileName).toStdWString().c_str()) != 0;
}

} // namespace Tessel
