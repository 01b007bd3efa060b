// The atomic file writer: the old file stays whole until the commit, and nothing is left behind.
#include "Tessel/Rtl/FileWriter.h"

#include "support/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace Tessel;

namespace {

mode_t ModeOf(const QString& APath) {
    struct stat info {};
    return ::stat(QFile::encodeName(APath).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

TEST(AtomicFileWriter, OldFileStaysWholeUntilTheCommitAndNoTemporaryFileRemains) {
    QTemporaryDir dir;
    const QString target = dir.filePath("target.txt");
    WriteTestBytes(target, "old");
    {
        TAtomicFileWriter writer(target);
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("new, but abandoned"));
        EXPECT_EQ(ReadTestBytes(target), "old");
    }
    EXPECT_EQ(ReadTestBytes(target), "old");
    {
        TAtomicFileWriter writer(target);
        ASSERT_TRUE(writer.Open());
        ASSERT_TRUE(writer.Write("new"));
        errno = 0;
        EXPECT_FALSE(writer.Commit(TWriteDurability::Replaced, false)) << "an existing file is not replaced";
        EXPECT_EQ(writer.Error(), EEXIST);
        EXPECT_EQ(errno, EEXIST);
    }
    EXPECT_EQ(ReadTestBytes(target), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target.txt"});
}

TEST(AtomicFileWriter, GivenPermissionsAreExactWhateverTheCreationMask) {
    QTemporaryDir dir;
    const QString target = dir.filePath("new.txt");
    const mode_t oldMask = ::umask(027);
    TAtomicFileWriter writer(target);
    const bool written =
        writer.Open(0664) && writer.Write("x") && writer.Commit(TWriteDurability::Flushed, false);
    ::umask(oldMask);
    ASSERT_TRUE(written) << writer.Error();
    EXPECT_EQ(ReadTestBytes(target), "x");
    EXPECT_EQ(ModeOf(target), mode_t(0664));
}

TEST(AtomicFileWriter, DeleteFileReportsTheReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("gone.txt");
    WriteTestBytes(path, "x");
    EXPECT_TRUE(DeleteFile(path));
    EXPECT_FALSE(QFile::exists(path));
    errno = 0;
    EXPECT_FALSE(DeleteFile(path));
    EXPECT_EQ(errno, ENOENT);
}
