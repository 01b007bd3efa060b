#include "Tessel/Rtl/AnsiCodePage.h"
#include "Tessel/Rtl/SystemError.h"
#include "Tessel/UKestLibrary.h"
#include "support/FileHelpers.h"
#include "support/TEnvironment.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

TEST(Files, NewGuidText) {
    const QString a = NewGuidText();
    const QString b = NewGuidText();
    EXPECT_NE(a, b);
    const QRegularExpression pattern(
        u"^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$"_s);
    EXPECT_TRUE(pattern.match(a).hasMatch()) << a.toStdString();
    EXPECT_TRUE(pattern.match(b).hasMatch()) << b.toStdString();
}

TEST(Files, FileToStringKeepsEveryByte) {
    QTemporaryDir dir;
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high.append(char(b));
    const struct {
        QByteArray Bytes;
        QString Expected;
    } cases[] = {
        {QByteArray(), QString()},
        {QByteArray("\xEF\xBB\xBFx\r\n", 6), u"\u00EF\u00BB\u00BFx\r\n"_s},
        {QByteArray("\xFF\xFE"
                    "a\0",
                    4),
         QString::fromUtf16(u"\u00FF\u00FEa\0", 4)},
        {QByteArray("\x80\x81\x9F", 3), u"\u20AC\u0081\u0178"_s},
        {QByteArray(" a\rb\n "), u" a\rb\n "_s},
    };
    for (const auto& c : cases) {
        const QString name = dir.filePath(u"f.txt"_s);
        WriteTestBytes(name, c.Bytes);
        EXPECT_EQ(FileToString(name), c.Expected) << c.Bytes.toHex().toStdString();
    }
    const QString name = dir.filePath(u"high.bin"_s);
    WriteTestBytes(name, high);
    const QString text = FileToString(name);
    EXPECT_EQ(text.size(), 128);
    EXPECT_EQ(EncodeAnsi(text), high);
}

TEST(Files, FileToStringOfAMissingFileOrAFolderRaisesWithTheReason) {
    QTemporaryDir dir;
    const struct {
        QString Name, Reason;
    } cases[] = {{dir.filePath(u"missing.txt"_s), u"No such file or directory"_s},
                 {dir.path(), u"Is a directory"_s}};
    for (const auto& c : cases) {
        try {
            FileToString(c.Name);
            ADD_FAILURE() << "no exception for " << c.Name.toStdString();
        } catch (const EFileError& e) {
            EXPECT_EQ(e.Message(), u"Cannot open file \"%1\". %2"_s.arg(c.Name, c.Reason));
        }
    }
}

TEST(Files, FilesThatShowNoSizeAreReadToTheirEnd) {
    // Files under /proc report a size of 0 but have content.
    EXPECT_TRUE(FileToString(u"/proc/self/status"_s).contains(u"Name:"_s));
}

TEST(Files, CopyFileWithError) {
    QTemporaryDir dir;
    const QString source = dir.filePath(u"source.txt"_s);
    const QString dest = dir.filePath(u"dest.txt"_s);
    const QByteArray content("line 1\r\nline 2\x80\xFF", 16);
    WriteTestBytes(source, content);
    {
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2020, 5, 17), QTime(8, 30), QTimeZone::utc()),
                                     QFileDevice::FileModificationTime));
    }
    QString error = u"stale"_s;

    ASSERT_TRUE(CopyFileWithError(source, dest, false, error));
    EXPECT_EQ(error, QString());
    EXPECT_EQ(ReadTestBytes(dest, "<missing>"), content);
    EXPECT_EQ(QFileInfo(dest).lastModified(), QFileInfo(source).lastModified());

    WriteTestBytes(dest, "other");
    EXPECT_FALSE(CopyFileWithError(source, dest, false, error));
    EXPECT_EQ(error, SystemErrorText(FileExistsError()));
    EXPECT_EQ(ReadTestBytes(dest, "<missing>"), QByteArray("other"));

    EXPECT_TRUE(CopyFileWithError(source, dest, true, error));
    EXPECT_EQ(error, QString());
    EXPECT_EQ(ReadTestBytes(dest, "<missing>"), content);

    EXPECT_FALSE(CopyFileWithError(source, dir.filePath(u"no such folder/dest.txt"_s), true, error));
    EXPECT_EQ(error, SystemErrorText(NoSuchFileError()));
    EXPECT_FALSE(CopyFileWithError(dir.filePath(u"missing.txt"_s), dest, true, error));
    EXPECT_EQ(error, SystemErrorText(NoSuchFileError()));
    EXPECT_EQ(ReadTestBytes(dest, "<missing>"), content);
    EXPECT_FALSE(CopyFileWithError(dir.path(), dest, true, error));
    EXPECT_EQ(error, SystemErrorText(IsFolderError()));

    // Neither success nor failure leaves a temporary file behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              QStringList({u"dest.txt"_s, u"source.txt"_s}));
}

TEST(Files, FileNameParts) {
    const struct {
        QString Name, Drive, Folder, Part, Base;
        bool Full;
    } cases[] = {
        {u"/Dir.old/Name.tar.gz"_s, u""_s, u"/Dir.old"_s, u"Name.tar.gz"_s, u"Name.tar"_s, true},
        {u"/Dir.old/Name"_s, u""_s, u"/Dir.old"_s, u"Name"_s, u"Name"_s, true},
        {u"/File.txt"_s, u""_s, u"/"_s, u"File.txt"_s, u"File"_s, true},
        {u"File.txt"_s, u""_s, u""_s, u"File.txt"_s, u"File"_s, false},
        {u"Dir/File.txt"_s, u""_s, u"Dir"_s, u"File.txt"_s, u"File"_s, false},
        {u"/Dir/"_s, u""_s, u"/Dir"_s, u""_s, u""_s, false},
        {u"/Logs/12:30"_s, u""_s, u"/Logs"_s, u"12:30"_s, u"12:30"_s, true},
        {u"C:/Dir/File.txt"_s, u"C:"_s, u"C:/Dir"_s, u"File.txt"_s, u"File"_s, true},
        {u"C:/File.txt"_s, u"C:"_s, u"C:/"_s, u"File.txt"_s, u"File"_s, true},
        {u"c:File.txt"_s, u"c:"_s, u"c:"_s, u"File.txt"_s, u"File"_s, true},
        {u"C:/"_s, u"C:"_s, u"C:/"_s, u""_s, u""_s, false},
        {u"1:x"_s, u""_s, u""_s, u"1:x"_s, u"1:x"_s, false},
        {u""_s, u""_s, u""_s, u""_s, u""_s, false},
    };
    for (const auto& c : cases) {
        const std::string name = c.Name.toStdString();
        EXPECT_EQ(FileDrivePart(c.Name), c.Drive) << name;
        EXPECT_EQ(FileFolderPart(c.Name), c.Folder) << name;
        EXPECT_EQ(FileNamePart(c.Name), c.Part) << name;
        EXPECT_EQ(FileBaseName(c.Name), c.Base) << name;
        EXPECT_EQ(IsFullFileName(c.Name), c.Full) << name;
    }
    EXPECT_EQ(FileExtension(u"/Dir.old/Name.tar.gz"_s), u".gz"_s);
    EXPECT_EQ(FileExtension(u"/Dir.old/Name"_s), QString());
}

TEST(Files, AppDataNameFromPath) {
    const std::pair<QString, QString> cases[] = {
        {u"/opt/Vendor/Meter Tools Software/Tool"_s, u"MeterTools"_s},
        {u"/opt/My App/Tool"_s, u"MyApp"_s},
        {u"/opt/My\tApp/Tool"_s, u"MyApp"_s},
        {u"/Tool"_s, u""_s},
        {u"/opt/Software/Tool"_s, u""_s},
        {u"/opt/software/Tool"_s, u"software"_s},
        {u"C:/Tool.exe"_s, u""_s},
        {u"Tool"_s, u""_s},
    };
    for (const auto& [path, expected] : cases)
        EXPECT_EQ(AppDataNameFromPath(path), expected) << path.toStdString();
}

TEST(Files, ExecutableNames) {
    const QString exe = ExeFileName();
    EXPECT_EQ(exe, QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
    EXPECT_EQ(ExeFolderPath(), QFileInfo(exe).absolutePath());
    EXPECT_EQ(ExeBaseName(), u"tessel_tests"_s);
    EXPECT_EQ(ExeAppDataName(), RemoveBlanks(QFileInfo(ExeFolderPath()).fileName()));
}

TEST(Files, SpecialFolders) {
    QTemporaryDir dir;
    TEnvironment env;
    env.Set("HOME", dir.filePath(u"home"_s));
    env.Set("XDG_CONFIG_HOME", dir.filePath(u"config"_s));
    env.Set("XDG_DATA_HOME", dir.filePath(u"data/"_s));
    env.Set("XDG_DATA_DIRS", u"/opt/first/share:/opt/last/share/"_s);

    EXPECT_EQ(LocalAppDataPath(), dir.filePath(u"data"_s));
    EXPECT_EQ(CommonAppDataPath(), u"/opt/last/share"_s);
    EXPECT_EQ(SpecialFolderPath(CSIDL_DESKTOPDIRECTORY), dir.filePath(u"home/Desktop"_s));
    EXPECT_EQ(SpecialFolderPath(CSIDL_DESKTOP), dir.filePath(u"home/Desktop"_s));
    EXPECT_EQ(SpecialFolderPath(5), QString());

    // The desktop is looked up once: whatever the first call found stays.
    const QString desktop = DesktopPath();
    ASSERT_FALSE(desktop.isEmpty());
    env.Set("HOME", dir.filePath(u"other"_s));
    EXPECT_EQ(SpecialFolderPath(CSIDL_DESKTOPDIRECTORY), dir.filePath(u"other/Desktop"_s));
    EXPECT_EQ(DesktopPath(), desktop);
    EXPECT_EQ(DesktopPath(u"/Any/Report.txt"_s), desktop + u"/Report.txt"_s);
    EXPECT_EQ(DesktopPath(u"Report.txt"_s), desktop + u"/Report.txt"_s);
}
