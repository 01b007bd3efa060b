// TKestMemIniFile: parsing, look-ups, writes, section strings, typed readers and file round trips.
#include "Tessel/UKestIniFiles.h"

#include "Tessel/Rtl/Exception.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using Tessel::TKestMemIniFile;

namespace {

QStringList Content(const TKestMemIniFile& AIni) {
    QStringList lines;
    AIni.GetStrings(lines);
    return lines;
}

// An INI parsed from lines, with Modified cleared so tests can see what sets it.
struct TIni : TKestMemIniFile {
    explicit TIni(const QStringList& ALines) : TKestMemIniFile(QString(), true) {
        SetStrings(ALines);
        SetModified(false);
    }
};

} // namespace

TEST(IniFileTest, ParsingKeepsDropsTrimsAndMerges) {
    const struct {
        const char* What;
        QStringList Input;
        QStringList Content;
    } cases[] = {
        {"comment, blank line, trimmed key line, # is no comment",
         {"; comment", "", "[General]", "  InputName = App\t ", "# not a comment"},
         {"[General]", "InputName = App", "# not a comment", ""}},
        {"lines before the first header are dropped",
         {"orphan=1", "  ;also a comment", "[A]", "x;y", "\x01k=v\x1f"},
         {"[A]", "x;y", "k=v", ""}},
        {"repeated header continues the first section, without case",
         {"[A]", "a=1", "[B]", "b=1", "[a]", "c=1"},
         {"[A]", "a=1", "c=1", "", "[B]", "b=1", ""}},
        {"header names are trimmed; empty name; unclosed bracket is a line",
         {"[ Spaced ]", "[", "[X", "[]", "e=1", "[]x"},
         {"[Spaced]", "[", "[X", "", "[]", "e=1", "[]x", ""}},
        {"a section without lines is kept", {"[A]", "[B]", "b"}, {"[A]", "", "[B]", "b", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Content(TIni(c.Input)), c.Content) << c.What;

    TIni ini(cases[0].Input);
    EXPECT_EQ(ini.ReadString("general", "INPUTNAME", "?"), "App");
}

TEST(IniFileTest, ReadStringTrimsIgnoresCaseAndTakesTheFirstKey) {
    TIni ini({"[S]", "Key = one", "KEY=two", "Other=  x = y  ", "noequals", "Blank=", "\u00c9mile=1"});
    const struct {
        bool CaseSensitive;
        QString Section, Ident, Result;
    } cases[] = {
        {false, "S", "Key", "one"},        {false, "s", "kEY", "one"}, {false, "S", "other", "x = y"},
        {false, "S", "noequals", "def"},   {false, "S", "Blank", ""},  {false, "Missing", "Key", "def"},
        {false, "S", " Key", "def"},       // the ident itself is not trimmed
        {false, "S", "\u00e9mile", "def"}, // only a to z fold
        {true, "S", "key", "one"},         // the flag governs the section look-up only
        {true, "s", "Key", "def"},
    };
    for (const auto& c : cases) {
        ini.SetCaseSensitive(c.CaseSensitive);
        EXPECT_EQ(ini.ReadString(c.Section, c.Ident, "def"), c.Result)
            << c.Section.toStdString() << "/" << c.Ident.toStdString();
    }
}

TEST(IniFileTest, WriteStringAndDeleteKeyActOnTheLastExactNameMatch) {
    TIni ini({"[S]", "Name=first", "NAME=second", "Key =spaced"});

    ini.WriteString("S", "name", "new");
    EXPECT_EQ(Content(ini), (QStringList{"[S]", "Name=first", "name=new", "Key =spaced", ""}));
    EXPECT_EQ(ini.ReadString("S", "Name", ""), "first");
    EXPECT_TRUE(ini.Modified());

    // A stored name with a blank before "=" is not found: the new line is appended, the old one still reads.
    ini.WriteString("S", "Key", "plain");
    EXPECT_EQ(ini.SectionNames().Count(), 1);
    EXPECT_EQ(Content(ini).mid(4, 1), QStringList{"Key=plain"});
    EXPECT_EQ(ini.ReadString("S", "Key", ""), "spaced");

    ini.SetModified(false);
    ini.DeleteKey("S", "Missing");
    ini.DeleteKey("Missing", "Name");
    EXPECT_FALSE(ini.Modified());
    ini.DeleteKey("S", "nAmE");
    EXPECT_EQ(Content(ini), (QStringList{"[S]", "Name=first", "Key =spaced", "Key=plain", ""}));
    EXPECT_TRUE(ini.Modified());

    ini.WriteString("New", "k", "v");
    EXPECT_EQ(Content(ini).mid(5), (QStringList{"[New]", "k=v", ""}));
}

TEST(IniFileTest, CaseSensitiveReachesEverySectionAndNewSections) {
    TIni ini({"[A]", "k=1"});
    EXPECT_TRUE(ini.SectionExists("a"));
    ini.DeleteKey("A", "K"); // found without case: deleted
    EXPECT_FALSE(ini.SectionExists("A"));

    ini.WriteString("A", "k", "1");
    ini.SetCaseSensitive(true);
    EXPECT_TRUE(ini.CaseSensitive());
    EXPECT_FALSE(ini.SectionExists("a"));
    ini.DeleteKey("A", "K");
    EXPECT_TRUE(ini.SectionExists("A"));

    ini.WriteString("B", "k", "1");
    ini.WriteString("B", "K", "2"); // the new section took the flag: a second line
    QStringList values;
    ini.ReadSectionValues("B", values);
    EXPECT_EQ(values, (QStringList{"k=1", "K=2"}));

    ini.SetCaseSensitive(false);
    ini.WriteString("b", "K", "3");
    ini.ReadSectionValues("B", values);
    EXPECT_EQ(values, (QStringList{"k=1", "K=3"}));
}

TEST(IniFileTest, GetStringsAppendsEverySectionFollowedByAnEmptyLine) {
    TIni ini({"[A]", "x=1", "[B]"});
    QStringList lines{"kept"};
    ini.GetStrings(lines);
    EXPECT_EQ(lines, (QStringList{"kept", "[A]", "x=1", "", "[B]", ""}));
}

TEST(IniFileTest, SectionQueries) {
    TIni ini({"[A]", " k = v", "plain", "=x", "[B]", "[C]", "plain"});
    QStringList list{"stale"};
    ini.ReadSection("A", list);
    EXPECT_EQ(list, (QStringList{"k ", "", ""})); // untrimmed names, empty for lines without "="
    ini.ReadSection("Missing", list);
    EXPECT_TRUE(list.isEmpty());
    ini.ReadSections(list);
    EXPECT_EQ(list, (QStringList{"A", "B", "C"}));
    ini.ReadSectionValues("a", list);
    EXPECT_EQ(list, (QStringList{"k = v", "plain", "=x"}));

    EXPECT_TRUE(ini.SectionExists("A"));
    EXPECT_FALSE(ini.SectionExists("B")); // exists, but holds no line
    EXPECT_TRUE(ini.SectionExists("C"));  // a line without "=" still counts
    EXPECT_TRUE(ini.ValueExists("A", "K "));
    EXPECT_FALSE(ini.ValueExists("A", "k"));

    ini.EraseSection("Missing");
    EXPECT_FALSE(ini.Modified());
    ini.EraseSection("b");
    EXPECT_TRUE(ini.Modified());
    EXPECT_EQ(ini.SectionNames().ToStringList(), (QStringList{"A", "C"}));
}

TEST(IniFileTest, SubSectionsByBackslashNames) {
    TIni ini({"[Top]", "[Top\\One]", "[top\\One\\Deep]", "[Top\\Two]", "[Other]", "[TopX]"});
    QStringList list;
    ini.ReadSubSections("Top", list);
    EXPECT_EQ(list, (QStringList{"One", "Two"}));
    ini.ReadSubSections("Top\\", list, true);
    EXPECT_EQ(list, (QStringList{"One", "One\\Deep", "Two"}));
    ini.ReadSections("Top", list);
    EXPECT_EQ(list, (QStringList{"Top\\One", "top\\One\\Deep", "Top\\Two"}));
    ini.ReadSubSections("", list);
    EXPECT_EQ(list, (QStringList{"Top", "Other", "TopX"}));
}

TEST(IniFileTest, ReadSectionStringsCreatesAnAbsentSectionQuietly) {
    TIni ini({"[A]", "; comment", "x = 1"});
    QStringList lines{"stale"};
    ini.ReadSectionStrings("A", lines);
    EXPECT_EQ(lines, QStringList{"x = 1"});

    ini.ReadSectionStrings("New", lines);
    EXPECT_TRUE(lines.isEmpty());
    EXPECT_EQ(ini.SectionNames().ToStringList(), (QStringList{"A", "New"}));
    EXPECT_FALSE(ini.SectionExists("New"));
    EXPECT_FALSE(ini.Modified());
}

TEST(IniFileTest, WriteSectionStringsStoresLinesUnchanged) {
    TIni ini({"[A]", "old=1"});
    const QStringList lines{"  ; kept comment", "", " k = v "};
    ini.WriteSectionStrings("a", lines);
    ini.WriteSectionStrings("B", {"b=1"});
    EXPECT_TRUE(ini.Modified());
    QStringList back;
    ini.ReadSectionStrings("A", back);
    EXPECT_EQ(back, lines);
    EXPECT_EQ(ini.ReadString("A", "k", ""), "v");
    EXPECT_EQ(ini.SectionNames().ToStringList(), (QStringList{"A", "B"}));
}

TEST(IniFileTest, ReadStringsAndWriteStrings) {
    TIni ini({"[L]", "Item0=a", "Item1=b", "Item2=c", "Item4=gap", "[M]", "Item0=x", "Item2=y"});
    QStringList values{"stale"};
    ini.ReadStrings("L", "Item", values);
    EXPECT_EQ(values, (QStringList{"a", "b", "c"}));
    ini.ReadStrings("Missing", "Item", values);
    EXPECT_TRUE(values.isEmpty());

    ini.WriteStrings("L", "Item", {"new"});
    ini.ReadStrings("L", "Item", values);
    EXPECT_EQ(values, (QStringList{"new", "", ""})); // emptied keys stay
    ini.ReadSectionValues("L", values);
    EXPECT_EQ(values, (QStringList{"Item0=new", "Item1=", "Item2=", "Item4=gap"}));

    ini.SetModified(false);
    ini.WriteStrings("M", "Item", {"p", "q", "r"});
    EXPECT_TRUE(ini.Modified());
    ini.ReadStrings("M", "Item", values);
    EXPECT_EQ(values, (QStringList{"p", "q", "r"}));
}

TEST(IniFileTest, ReadIntegerAndReadBool) {
    TIni ini({"[N]", "hex=0x1F", "HEX2=0X1f", "dollar=$10", "all=0xFFFFFFFF", "dec=42", "neg=-7", "pad= 12 ",
              "bare=0x", "word=abc", "big=2147483648", "min=-2147483648", "inner=1 2", "zero=0", "five=5"});
    const struct {
        const char* Ident;
        int32_t Result;
    } cases[] = {
        {"hex", 31},        {"hex2", 31},  {"dollar", 16},  {"all", -1},  {"dec", 42},
        {"neg", -7},        {"pad", 12},   {"bare", 99},    {"word", 99}, {"big", 99},
        {"min", INT32_MIN}, {"inner", 99}, {"missing", 99},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ini.ReadInteger("N", c.Ident, 99), c.Result) << c.Ident;

    EXPECT_FALSE(ini.ReadBool("N", "zero", true));
    EXPECT_TRUE(ini.ReadBool("N", "five", false));
    EXPECT_TRUE(ini.ReadBool("N", "missing", true));
    EXPECT_FALSE(ini.ReadBool("N", "word", false));

    ini.WriteInteger("W", "i", -15);
    ini.WriteBool("W", "b", true);
    QStringList values;
    ini.ReadSectionValues("W", values);
    EXPECT_EQ(values, (QStringList{"i=-15", "b=1"}));
}

TEST(IniFileTest, TypedValuesRoundTrip) {
    TIni ini(QStringList{});
    const double dateTime = 45000.75; // 15 March 2023, 18:00
    ini.WriteDateTime("T", "dt", dateTime);
    ini.WriteDate("T", "d", dateTime);
    ini.WriteTime("T", "t", dateTime);
    ini.WriteFloat("T", "f", 0.1);
    ini.WriteBinaryStream("T", "bin", QByteArray("\x00\xAB\x10", 3));
    QStringList values;
    ini.ReadSectionValues("T", values);
    EXPECT_EQ(values, (QStringList{"dt=2023-03-15 18:00:00.000", "d=2023-03-15", "t=18:00:00.000", "f=0.1",
                                   "bin=00AB10"}));

    EXPECT_DOUBLE_EQ(ini.ReadDateTime("T", "dt", 0), dateTime);
    EXPECT_DOUBLE_EQ(ini.ReadDate("T", "d", 0), 45000);
    EXPECT_DOUBLE_EQ(ini.ReadTime("T", "t", 0), 0.75);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("T", "f", 0), 0.1);
    EXPECT_DOUBLE_EQ(ini.ReadFloat("T", "bin", -1), -1);
    EXPECT_DOUBLE_EQ(ini.ReadDate("T", "f", -1), -1);
    QByteArray bytes;
    EXPECT_EQ(ini.ReadBinaryStream("T", "bin", bytes), 3);
    EXPECT_EQ(bytes, QByteArray("\x00\xAB\x10", 3));

    ini.WriteDateTime("T", "old", -1.25); // before day zero the fraction still counts forward
    EXPECT_EQ(ini.ReadString("T", "old", ""), "1899-12-29 06:00:00.000");
    EXPECT_DOUBLE_EQ(ini.ReadDateTime("T", "old", 0), -1.25);
}

TEST(IniFileTest, UpdateFileAndReadFromFileRoundTrip) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("settings.ini");

    TKestMemIniFile writer(path, true); // the file does not exist yet
    EXPECT_TRUE(Content(writer).isEmpty());
    EXPECT_FALSE(writer.Modified());
    writer.SetStrings({"[General]", "Name=Caf\u00e9", "[Empty]"});
    writer.UpdateFile();
    EXPECT_FALSE(writer.Modified());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    // The system's code page here is UTF-8, without a mark.
    EXPECT_EQ(file.readAll(), QByteArray("[General]\r\nName=Caf\xC3\xA9\r\n\r\n[Empty]\r\n\r\n"));
    file.close();

    const TKestMemIniFile reader(path, true);
    EXPECT_EQ(Content(reader), (QStringList{"[General]", "Name=Caf\u00e9", "", "[Empty]", ""}));
    EXPECT_FALSE(reader.Modified());

    // UTF-8 with a byte-order mark and bare LF breaks; ReadFromFile replaces the content.
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\xEF\xBB\xBF[U]\nk=\xE2\x82\xAC\n");
    file.close();
    writer.ReadFromFile();
    EXPECT_EQ(writer.ReadString("U", "k", ""), QString(QChar(0x20AC)));
    EXPECT_EQ(writer.SectionNames().ToStringList(), QStringList{"U"});

    TKestMemIniFile blank(dir.filePath("blank.ini"), false);
    blank.UpdateFile();
    EXPECT_EQ(QFile(dir.filePath("blank.ini")).size(), 0);

    TKestMemIniFile unnamed(QString(), false);
    EXPECT_THROW(unnamed.UpdateFile(), Tessel::EFileError);
}

TEST(IniFileInterface, ServesTheLibraryInterfaceWithoutCountingReferences) {
    Tessel::TKestMemIniFile ini(QString(), false);
    void* raw = nullptr;
    ASSERT_EQ(ini.QueryInterface(Tessel::IKestINIFile::IID, &raw), Tessel::S_OK);
    auto* file = static_cast<Tessel::IKestINIFile*>(raw);
    file->WriteInteger("S", "N", 42);
    file->WriteString("S", "T", "a\tb");
    EXPECT_EQ(file->ReadInteger("S", "N", 0), 42);
    EXPECT_EQ(ini.ReadString("S", "T", ""), "a\tb");
    file->EraseSection("S");
    EXPECT_FALSE(ini.SectionExists("S"));
    EXPECT_EQ(file->_AddRef(), -1);
    EXPECT_EQ(file->_Release(), -1);
}
