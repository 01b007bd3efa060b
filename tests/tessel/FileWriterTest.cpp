// The atomic file writer: the old file stays whole until the commit, and nothing is left behind.
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/Rtl/SystemError.h"

#include "support/FileHelpers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Tessel;

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
        SetLastSystemError(0);
        EXPECT_FALSE(writer.Commit(TWriteDurability::Replaced, false)) << "an existing file is not replaced";
        EXPECT_EQ(writer.Error(), FileExistsError());
        EXPECT_EQ(LastSystemError(), FileExistsError());
    }
    EXPECT_EQ(ReadTestBytes(target), "old");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"target.txt"});
}

TEST(AtomicFileWriter, DeleteFileReportsTheReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath("gone.txt");
    WriteTestBytes(path, "x");
    EXPECT_TRUE(DeleteFile(path));
    EXPECT_FALSE(QFile::exists(path));
    SetLastSystemError(0);
    EXPECT_FALSE(DeleteFile(path));
    EXPECT_EQ(LastSystemError(), NoSuchFileError());
}
