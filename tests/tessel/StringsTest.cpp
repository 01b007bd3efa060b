#include "Tessel/UKestLibrary.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace Tessel;
using namespace Qt::Literals::StringLiterals;

namespace {

struct TTextCase {
    const char16_t* Input;
    const char16_t* Expected;
};

// Runs a text-to-text routine over a table of cases.
template <typename TFunc> void ExpectTexts(TFunc AFunc, std::initializer_list<TTextCase> ACases) {
    for (const TTextCase& c : ACases) {
        const QString input = QString::fromUtf16(c.Input);
        EXPECT_EQ(AFunc(input), QString::fromUtf16(c.Expected)) << input.toStdString();
    }
}

} // namespace

TEST(Strings, CharacterTestsAreAsciiOnly) {
    EXPECT_TRUE(IsDigitChar(u'0') && IsDigitChar(u'9'));
    EXPECT_FALSE(IsDigitChar(u'/') || IsDigitChar(u':') || IsDigitChar(QChar(0x0663))); // Arabic-Indic 3
    EXPECT_TRUE(IsLetterChar(u'a') && IsLetterChar(u'Z'));
    EXPECT_FALSE(IsLetterChar(u'@') || IsLetterChar(u'[') || IsLetterChar(u'`') || IsLetterChar(u'{') ||
                 IsLetterChar(QChar(0xE9)));
    EXPECT_EQ(LowerCaseLetter(u'A'), QChar(u'a'));
    EXPECT_EQ(LowerCaseLetter(u'Z'), QChar(u'z'));
    EXPECT_EQ(LowerCaseLetter(u'@'), QChar(u'@'));
    EXPECT_EQ(LowerCaseLetter(QChar(0xC9)), QChar(0xC9)); // É stays
    EXPECT_TRUE(ContainsDigit(u"ab3"_s));
    EXPECT_FALSE(ContainsDigit(u"abc"_s) || ContainsDigit(QString()));
    EXPECT_TRUE(ContainsLetter(u"12x"_s));
    EXPECT_FALSE(ContainsLetter(u"12\u00E9"_s) || ContainsLetter(QString()));
}

TEST(Strings, PositionsAndLastChar) {
    EXPECT_EQ(CharPos(u'a', u"banana"_s), 2);
    EXPECT_EQ(CharPos(u'b', u"banana"_s), 1);
    EXPECT_EQ(CharPos(u'x', u"banana"_s), 0);
    EXPECT_EQ(CharPos(u'x', QString()), 0);
    EXPECT_EQ(LastChar(u"abc"_s), QChar(u'c'));
    EXPECT_EQ(LastChar(QString()), QChar(0));
}

TEST(Strings, KestTrimRemovesControlCharacters) {
    ExpectTexts(
        KestTrim,
        {{u" \t\r\n\x01x y\x1F ", u"x y"}, {u"   ", u""}, {u"", u""}, {u"\u00A0x\u00A0", u"\u00A0x\u00A0"}});
}

TEST(Strings, CaseAndQuotes) {
    ExpectTexts(UpperFirstChar,
                {{u"abc", u"Abc"}, {u"Abc", u"Abc"}, {u"\u00E9t\u00E9", u"\u00E9t\u00E9"}, {u"", u""}});
    ExpectTexts(Dequote, {{u"\"x\"", u"x"},
                          {u"\"", u""},
                          {u"\"\"", u""},
                          {u"\"x", u"\"x"},
                          {u"x\"", u"x\""},
                          {u" \"x\"", u" \"x\""},
                          {u"", u""}});
    EXPECT_TRUE(IsQuoted(u"\""_s));
    EXPECT_FALSE(IsQuoted(QString()));
}

TEST(Strings, TrailingAndLeadingCharacters) {
    ExpectTexts(EnsureTrailingBackslash,
                {{u" C:\\Temp ", u"C:\\Temp\\"}, {u"C:\\Temp\\", u"C:\\Temp\\"}, {u"", u""}, {u" \t ", u""}});
    EXPECT_EQ(EnsureTrailingChar(u" /tmp "_s, u'/'), u"/tmp/"_s);

    for (const auto& [input, expected] :
         {std::pair{u"1.500"_s, u"1.5"_s}, {u"000"_s, QString()}, {u"10"_s, u"1"_s}}) {
        QString text = input;
        StripTrailingChar(u'0', text);
        EXPECT_EQ(text, expected) << input.toStdString();
    }
    EXPECT_EQ(StripLeadingChar(u'0', u"0070"_s), u"70"_s);
    EXPECT_EQ(StripLeadingChar(u'0', u"000"_s), QString());
    ExpectTexts(StripLeadingLowerCase, {{u"fMaxChars", u"MaxChars"}, {u"abc", u""}, {u"_x", u"_x"}});
}

TEST(Strings, RemoveCharsStopsAtNul) {
    ExpectTexts(RemoveBlanks, {{u" 1 0 0 ", u"100"}, {u"a\tb\nc", u"ab\nc"}});
    EXPECT_EQ(RemoveChars(u"-/"_s, u"12-34/56"_s), u"123456"_s);
    EXPECT_EQ(RemoveChars(u"x"_s, QString::fromUtf16(u"axb\0cx", 6)), u"ab"_s);
}

TEST(Strings, EndsWithText) {
    struct TCase {
        QString Ending, Text;
        bool CaseSensitive, Expected;
    } cases[] = {
        {u"abc"_s, u"abc"_s, true, true},     {u"ABC"_s, u"xabc"_s, false, true},
        {u"ABC"_s, u"xabc"_s, true, false},   {QString(), u"abc"_s, false, false},
        {u"abc"_s, QString(), false, false},  {u"xabc"_s, u"abc"_s, false, false},
        {u"@"_s, u"`"_s, false, false},       {u"\u00C9"_s, u"\u00E9"_s, false, false},
        {u".TXT"_s, u"a.txt"_s, false, true}, {u"b"_s, u"ab"_s, true, true},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(EndsWithText(c.Ending, c.Text, c.CaseSensitive), c.Expected)
            << c.Ending.toStdString() << " in " << c.Text.toStdString();
}

TEST(Strings, SplitAtFirstPeelsFields) {
    QString text = u"a / b / c"_s;
    EXPECT_EQ(SplitAtFirst(text, u"/"_s), u"a"_s);
    EXPECT_EQ(text, u"b / c"_s);
    EXPECT_EQ(SplitAtFirst(text, u"/"_s), u"b"_s);
    EXPECT_EQ(SplitAtFirst(text, u"/"_s), u"c"_s);
    EXPECT_EQ(text, QString());

    text = u" k = v "_s;
    EXPECT_EQ(SplitAtFirst(text, u"="_s), u"k"_s);
    EXPECT_EQ(text, u"v"_s);

    text = u" Key "_s; // not found: the head is not trimmed
    EXPECT_EQ(SplitAtFirst(text, u"="_s), u" Key "_s);
    EXPECT_EQ(text, QString());

    text = u"a=b"_s; // an empty separator never matches
    EXPECT_EQ(SplitAtFirst(text, QString()), u"a=b"_s);
    EXPECT_EQ(text, QString());

    text = u"HKCU\\Software"_s;
    EXPECT_EQ(SplitAtFirst(text, u"\\"_s), u"HKCU"_s);
    EXPECT_EQ(text, u"Software"_s);
}

TEST(Strings, FindDelimited) {
    struct TCase {
        QString Open, Close, Text;
        int From;
        bool Include;
        bool Found;
        int Start, Length;
    } cases[] = {
        {u"<!"_s, u">"_s, u"a<!TAB>b"_s, 1, true, true, 2, 6},
        {u"<!"_s, u">"_s, u"a<!TAB>b"_s, 1, false, true, 4, 3},
        {u"<!"_s, u">"_s, u"a<!TAB"_s, 1, true, false, 0, 0},
        {u"<!"_s, u">"_s, u"a<!TAB>b"_s, 3, true, false, 0, 0}, // opening must start at or after From
        {u"%"_s, u"%"_s, u"x%A%y%B%"_s, 1, true, true, 2, 3},   // equal delimiters: "%A%"
        {u"%"_s, u"%"_s, u"x%A%y%B%"_s, 5, false, true, 7, 1},  // continuing finds "B"
        {u"%"_s, u"%"_s, u"%%"_s, 1, false, true, 2, 0},        // empty span
        {u"%"_s, u"%"_s, u"x%"_s, 1, true, false, 0, 0},
        {u"("_s, u")"_s, u"()"_s, 3, true, false, 0, 0}, // start behind the text
        {QString(), u")"_s, u"()"_s, 1, true, false, 0, 0},
    };
    for (const TCase& c : cases) {
        int start = c.From;
        int length = -1;
        EXPECT_EQ(FindDelimited(c.Open, c.Close, c.Text, start, c.Include, length), c.Found)
            << c.Text.toStdString();
        EXPECT_EQ(start, c.Start) << c.Text.toStdString() << " from " << c.From;
        EXPECT_EQ(length, c.Length) << c.Text.toStdString() << " from " << c.From;
    }
}

TEST(Strings, ReplaceAllText) {
    struct TCase {
        QString Old, New, Text;
        bool CaseSensitive;
        QString Expected;
    } cases[] = {
        {u"\"\""_s, u"\""_s, u"a\"\"\"\"b"_s, true, u"a\"\"b"_s}, // left to right, no re-scan
        {u"a"_s, u"aa"_s, u"aXa"_s, true, u"aaXaa"_s},            // inserted text not scanned
        {u"ab"_s, u"-"_s, u"AbabAB"_s, true, u"Ab-AB"_s},
        {u"ab"_s, u"-"_s, u"AbabAB"_s, false, u"---"_s},
        {u"\u00E9t\u00E9"_s, u"x"_s, u"\u00C9T\u00C9!"_s, false, u"x!"_s}, // full upper-casing
        {u"\u00DF"_s, u"ss"_s, u"Stra\u00DFe"_s, false, u"Strasse"_s},     // "ß" keeps its length
        {QString(), u"x"_s, u"abc"_s, false, u"abc"_s},
        {u"b"_s, QString(), u"abcb"_s, true, u"ac"_s},
    };
    for (const TCase& c : cases) {
        QString text = c.Text;
        ReplaceAllText(c.Old, c.New, text, c.CaseSensitive);
        EXPECT_EQ(text, c.Expected) << c.Text.toStdString();
    }
    QString text = u"a.b.c"_s;
    ReplaceChar(u'.', u'/', text);
    EXPECT_EQ(text, u"a/b/c"_s);
}

TEST(Strings, ListsAndBooleans) {
    EXPECT_EQ(AppendListItem(u"b"_s, u"a"_s, true), u"a, b"_s);
    EXPECT_EQ(AppendListItem(u"b"_s, u"a"_s, false), u"a,b"_s);
    EXPECT_EQ(AppendListItem(u"b"_s, QString(), true), u"b"_s);
    EXPECT_EQ(AppendListItem(QString(), u"a"_s, true), u"a"_s);
    EXPECT_EQ(BoolToText(true), u"True"_s);
    EXPECT_EQ(BoolToText(false), u"False"_s);
}

TEST(Strings, ToFileNameChars) {
    ExpectTexts(ToFileNameChars, {{u"a*b*.txt", u"a-b*.txt"},
                                  {u"x?y|z", u"x!y_z"},
                                  {u"ends*", u"ends*"},
                                  {u"\"<a/b>\"", u"'[a-b]'"},
                                  {u"C:\\Logs\\12:30", u"C:\\Logs\\12.30"},
                                  {u"a::1:", u"a::1."}});
}

TEST(Strings, IdentifierToCaption) {
    const auto stripped = [](const QString& AText) { return IdentifierToCaption(AText, true); };
    ExpectTexts(stripped, {{u"fMaxChars", u"Max chars"},
                           {u"cbxAutoSave", u"Auto save"},
                           {u"ValueA", u"Value A"},
                           {u"Value_A", u"Value A"},
                           {u"lblHTTPServer", u"HTTPServer"},
                           {u"_Name", u"Name"},
                           {u"  ulOperator ", u"Operator"},
                           {u"fMy_valueB", u"My valueB"}});
    const auto kept = [](const QString& AText) { return IdentifierToCaption(AText, false); };
    ExpectTexts(kept, {{u"fMaxChars", u"f max chars"}, {u"aBC", u"a bC"}, {u"x", u"x"}, {u"", u""}});
}

namespace {

// A list with its own lookup rule: case-insensitive, as a sorted string list would be set up.
struct TTestList {
    QStringList Names;
    QList<int*> Items;
    int IndexOf(const QString& AName) const {
        for (int i = 0; i < Names.size(); ++i)
            if (Names[i].compare(AName, Qt::CaseInsensitive) == 0) return i;
        return -1;
    }
    int* Objects(int AIndex) const { return Items[AIndex]; }
};

} // namespace

TEST(Strings, ObjectOfNameUsesTheListsLookup) {
    int one = 1, two = 2;
    const TTestList list{{u"One"_s, u"Two"_s}, {&one, &two}};
    EXPECT_EQ(ObjectOfName(list, u"two"_s), &two);
    EXPECT_EQ(ObjectOfName(list, u"One"_s), &one);
    EXPECT_EQ(ObjectOfName(list, u"Three"_s), nullptr);
}
