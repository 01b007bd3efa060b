// The version block reader and the text forms of the version information.
#include "Tessel/UKestLibrary/Version.h"
#include "Tessel/UKestLibrary/Files.h"
#include "support/FileHelpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Tessel;

namespace {

QByteArray Block(std::initializer_list<const char*> AEntries) {
    QByteArray block = VersionBlockMark();
    for (const char* entry : AEntries) {
        block += entry;
        block += '\0';
    }
    block += '\0';
    return block;
}

// Puts a record in place of the process's own for one test.
class VersionInfoScope {
public:
    explicit VersionInfoScope(const TVersionInfoRec& ARec) : FSaved(VersionInfo()) { VersionInfo() = ARec; }
    ~VersionInfoScope() { VersionInfo() = FSaved; }

private:
    TVersionInfoRec FSaved;
};

} // namespace

TEST(Version, ReadsNumbersAndStringsFromBlocks) {
    struct Case {
        const char* Name;
        QByteArray Bytes;
        bool Valid;
        int Numbers[4];
        QString Description, Company;
    };
    const QByteArray binary("\x7f"
                            "ELF\0\0\x01\x02garbage",
                            16);
    const Case cases[] = {
        {"no block", binary, false, {0, 0, 0, 0}, "", ""},
        {"full block, lower-case hex in the string paths",
         binary +
             Block({"\\=2.0.0.0", "\\VarFileInfo\\Translation=040904B0",
                    "\\StringFileInfo\\040904b0\\FileDescription=Wrenfold Utility",
                    "\\StringFileInfo\\040904b0\\CompanyName=Acme"}) +
             binary,
         true,
         {2, 0, 0, 0},
         "Wrenfold Utility",
         "Acme"},
        {"product name stands in for an empty description, company falls back",
         Block({"\\=1.1.4.1000", "\\VarFileInfo\\Translation=040904B0",
                "\\StringFileInfo\\040904B0\\FileDescription=",
                "\\StringFileInfo\\040904B0\\ProductName=Prod"}),
         true,
         {1, 1, 4, 1000},
         "Prod",
         "Kestwell Systems Ltd"},
        {"neither description nor product name: the executable's name",
         Block({"\\=1.2.3.4", "\\VarFileInfo\\Translation=08090000"}),
         true,
         {1, 2, 3, 4},
         ExeBaseName(),
         "Kestwell Systems Ltd"},
        {"strings of another translation are not read",
         Block({"\\=1.2.3.4", "\\VarFileInfo\\Translation=08090000",
                "\\StringFileInfo\\040904B0\\FileDescription=Other"}),
         true,
         {1, 2, 3, 4},
         ExeBaseName(),
         "Kestwell Systems Ltd"},
        {"no translation table: valid with empty strings",
         Block({"\\=65535.65535.65535.65535", "\\StringFileInfo\\040904B0\\FileDescription=X"}),
         true,
         {65535, 65535, 65535, 65535},
         "",
         ""},
        {"an unterminated mark before the real block is skipped",
         VersionBlockMark() + "\\=9.9.9.9" + binary.left(4) + Block({"\\=3.1.4.1"}),
         true,
         {3, 1, 4, 1},
         "",
         ""},
        {"a block without a fixed version is no version",
         Block({"\\VarFileInfo\\Translation=040904B0", "\\StringFileInfo\\040904B0\\FileDescription=X"}),
         false,
         {0, 0, 0, 0},
         "",
         ""},
        {"a malformed fixed version is no version", Block({"\\=1.2.3"}), false, {0, 0, 0, 0}, "", ""},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const QString path = WriteTestBytes(dir.filePath(QStringLiteral("file.bin")), c.Bytes);
        uint16_t numbers[4] = {7, 7, 7, 7};
        EXPECT_EQ(c.Valid, GetFileVersionNumbers(path, numbers[0], numbers[1], numbers[2], numbers[3]));
        TVersionInfoRec rec;
        rec.FileDescription = QStringLiteral("stale");
        EXPECT_EQ(c.Valid, ReadVersionInfoFromFile(path, rec));
        EXPECT_EQ(c.Valid, rec.Valid);
        const int32_t read[4] = {rec.MajorVersionNum, rec.MinorVersionNum, rec.ReleaseNum, rec.BuildNum};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(c.Numbers[i], read[i]);
            if (c.Valid) {
                EXPECT_EQ(c.Numbers[i], numbers[i]);
            }
        }
        EXPECT_EQ(c.Description, rec.FileDescription);
        EXPECT_EQ(c.Company, rec.CompanyName);
    }
}

TEST(Version, MissingFileHasNoVersion) {
    uint16_t a = 0, b = 0, c = 0, d = 0;
    EXPECT_FALSE(GetFileVersionNumbers(QStringLiteral("/nonexistent/file"), a, b, c, d));
    TVersionInfoRec rec;
    EXPECT_FALSE(ReadVersionInfoFromFile(QStringLiteral("/nonexistent/file"), rec));
}

TEST(Version, TextForms) {
    TVersionInfoRec rec;
    rec.Valid = true;
    rec.MajorVersionNum = 1;
    rec.MinorVersionNum = 1;
    rec.ReleaseNum = 4;
    rec.BuildNum = 1000;
    rec.FormattedVersionInfo = QStringLiteral("V1.1 R4 B1000");
    rec.FileDescription = QStringLiteral("Wrenfold Utility");
    {
        VersionInfoScope scope(rec);
        EXPECT_EQ(QStringLiteral("V1.1 R4 B1000"), VersionStr());
        EXPECT_EQ(QStringLiteral("V1.1.4.1000"), VersionStrDotted());
        EXPECT_EQ(QStringLiteral("V1.1 R4"), VersionStrShort());
        EXPECT_EQ(QStringLiteral("Wrenfold Utility R4"), VersionCaption());
    }
    {
        VersionInfoScope scope(TVersionInfoRec{});
        EXPECT_EQ(QString(), VersionStr());
        EXPECT_EQ(QString(), VersionStrDotted());
        EXPECT_EQ(QString(), VersionStrShort());
        EXPECT_EQ(ExeBaseName(), VersionCaption());
    }
}

TEST(Version, TestProgramWithoutBlockHasNoVersion) {
    // This suite does not link the version block, so it has none, in memory or in its file.
    TVersionInfoRec rec;
    EXPECT_FALSE(ReadVersionInfo(rec));
    EXPECT_FALSE(VersionInfo().Valid);
    EXPECT_EQ(ExeBaseName(), VersionCaption());
}
