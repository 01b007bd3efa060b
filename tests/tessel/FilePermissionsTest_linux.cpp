// File permissions and symbolic links through the atomic writes: the POSIX side of writing files.
#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/FileWriter.h"
#include "Tessel/Rtl/TextFile.h"
#include "support/FileHelpers.h"
#include "support/TScratchDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace Tessel;

namespace {

mode_t ModeOf(const QString& APath) {
    struct stat info {};
    return ::stat(QFile::encodeName(APath).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

TEST(FilePermissions, WriterGivesExactlyTheModeAskedForWhateverTheCreationMask) {
    TScratchDir dir;
    const QString target = dir.FilePath("new.txt");
    const mode_t oldMask = ::umask(027);
    TAtomicFileWriter writer(target);
    const bool written =
        writer.Open(0664) && writer.Write("x") && writer.Commit(TWriteDurability::Flushed, false);
    ::umask(oldMask);
    ASSERT_TRUE(written) << writer.Error();
    EXPECT_EQ(ReadTestBytes(target), "x");
    EXPECT_EQ(ModeOf(target), mode_t(0664));
}

TEST(FilePermissions, ReplacingAFileKeepsItsPermissionsFollowsLinksAndLeavesNoTemporaryFile) {
    TScratchDir temp;
    const QString target = temp.WriteBytes("f.txt", "old");
    const QString link = temp.FilePath("link.txt");
    ASSERT_TRUE(QFile::link(target, link));
    const mode_t oldMask = ::umask(022);
    // 0640 lies within what the creation mask lets through; 0666 does not.
    for (const mode_t mode : {mode_t(0640), mode_t(0666)}) {
        for (TWriteDurability durability : {TWriteDurability::Flushed, TWriteDurability::Replaced}) {
            ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), mode), 0);
            WriteFileBytes(link, "new", durability);
            EXPECT_EQ(ReadTestBytes(target), "new");
            EXPECT_TRUE(QFileInfo(link).isSymLink());
            EXPECT_EQ(ModeOf(target), mode);
        }
    }
    ::umask(oldMask);
    EXPECT_THROW(WriteFileBytes(temp.Path(), "x"), EFileError);
    EXPECT_EQ(QDir(temp.Path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"f.txt", "link.txt"}));
}
