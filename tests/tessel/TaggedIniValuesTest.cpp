// INI values carry control characters as tags: written encoded, read decoded, lines moved unchanged.
#include "Tessel/UKestDefs.h"
#include "Tessel/UKestIniFiles.h"

#include "support/PrintTo.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace Tessel;

namespace {

QStringList SectionLines(TKestMemIniFile& AIni, const QString& ASection) {
    QStringList lines;
    AIni.ReadSectionStrings(ASection, lines);
    return lines;
}

} // namespace

TEST(TaggedIniValuesTest, WrittenValuesAreTaggedAndReadBack) {
    const struct {
        QString Value;
        QString Allowed;
        QString Line;
    } cases[] = {
        {"a\tb", "", "k=a<!TAB>b"},
        {"one\r\ntwo\nthree\rfour", "", "k=one<CRLF>two<!LF>three<CR>four"},
        {QString("\x1b[0m") + QChar(0) + "\x02", "", "k=<!ESC>[0m<!0><!STX>"},
        {"\tpadded\t", "", "k=<!TAB>padded<!TAB>"}, // tags keep the blanks-trimming of reads away
        {"a\tb\x01", "\t", "k=a\tb<!1>"},
    };
    for (const auto& c : cases) {
        TKestMemIniFile ini(QString(), false);
        ini.SetAllowNonPrintingCharacterList(c.Allowed);
        ini.WriteString("S", "k", c.Value);
        EXPECT_EQ(SectionLines(ini, "S"), QStringList{c.Line});
        EXPECT_EQ(ini.ReadString("S", "k", ""), c.Value) << c.Line.toStdString();
    }
}

TEST(TaggedIniValuesTest, StoredTagsAndDefaultsAreDecoded) {
    TKestMemIniFile ini(QString(), false);
    ini.SetStrings({"[S]", "k = x<!9>y<CR>", "n=<!$41>"});
    EXPECT_EQ(ini.ReadString("S", "k", ""), "x\ty\r");
    EXPECT_EQ(ini.ReadInteger("S", "missing", 0), 0);
    EXPECT_EQ(ini.ReadString("S", "n", ""), "A");
    EXPECT_EQ(ini.ReadString("S", "missing", "d<!TAB>"), "d\t");
    EXPECT_EQ(ini.ReadString("Nowhere", "k", "<CRLF>"), "\r\n");
    // The line-level operations move lines as they stand.
    EXPECT_EQ(SectionLines(ini, "S"), (QStringList{"k = x<!9>y<CR>", "n=<!$41>"}));
    QStringList values;
    ini.ReadSectionValues("S", values);
    EXPECT_EQ(values, (QStringList{"k = x<!9>y<CR>", "n=<!$41>"}));
}

TEST(TaggedIniValuesTest, UnreadableTagFailsTheReadAndLeavesTheIniAlone) {
    TKestMemIniFile ini(QString(), false);
    ini.SetStrings({"[General]", "InputName=App<!Z>.wfmInput"});
    ini.SetModified(false);
    try {
        ini.ReadString("General", "InputName", "");
        FAIL() << "no failure";
    } catch (const EKestLibrary& e) {
        EXPECT_EQ(e.Message(), "Invalid non printing character tag \"Z\"");
    }
    EXPECT_FALSE(ini.Modified());
    EXPECT_EQ(SectionLines(ini, "General"), QStringList{"InputName=App<!Z>.wfmInput"});
}

TEST(TaggedIniValuesTest, ControlCharactersSurviveAFileRoundTrip) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("tagged.ini");
    QString value("first line\r\nsecond\tcolumn\x1b");
    value += QChar(0);
    {
        TKestMemIniFile ini(path, false);
        ini.WriteString("Values", "Text", value);
        ini.WriteInteger("Values", "Count", 3);
        ini.UpdateFile();
    }
    TKestMemIniFile loaded(path, true);
    EXPECT_EQ(loaded.ReadString("Values", "Text", ""), value);
    EXPECT_EQ(loaded.ReadInteger("Values", "Count", 0), 3);
}
