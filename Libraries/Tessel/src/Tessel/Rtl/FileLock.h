// An exclusive lock on a lock file, shared between programs.
#pragma once

#include <QString>

#include <cstdint>

namespace Tessel {

// Holds an exclusive lock on the file (made when missing) while it lives, waiting up to
// ATimeoutMs for another program to let go of it. The system lets go of it when the program ends,
// however it ends, so a crashed program never leaves the file locked.
class TLockFile {
public:
    TLockFile(const QString& AFileName, int ATimeoutMs);
    ~TLockFile();
    TLockFile(const TLockFile&) = delete;
    TLockFile& operator=(const TLockFile&) = delete;
    bool Locked() const { return FLocked; }
    // Why it is not locked: another program held the lock all the time, or the system's code.
    bool HeldElsewhere() const { return FHeldElsewhere; }
    int Error() const { return FError; }

private:
    std::intptr_t FHandle = -1;
    int FError = 0;
    bool FLocked = false;
    bool FHeldElsewhere = false;
};

} // namespace Tessel
