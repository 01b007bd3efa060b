// Reading and writing text files: byte-order marks, line breaks, the empty last line, atomic writes.
#include "Tessel/Rtl/TextFile.h"
#include "Tessel/Rtl/AnsiCodePage.h"
#include "Tessel/Rtl/Exception.h"
#include "support/FileHelpers.h"
#include "support/TScratchDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace Tessel;

namespace {

class TextFile : public ::testing::Test {
protected:
    TScratchDir Temp;
    QString Write(const QByteArray& ABytes) { return Temp.WriteBytes("f.txt", ABytes); }
};

} // namespace

TEST_F(TextFile, DetectsEncodingAndLineBreaksAndWritesThemBack) {
    struct TCase {
        const char* Name;
        QByteArray Bytes;
        QStringList Lines;
        TTextFormat Format;
    } cases[] = {
        {"ascii crlf", "a\r\nb", {"a", "b"}, {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"ascii final break", "a\r\n", {"a", ""}, {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"utf8 with mark, lf",
         "\xEF\xBB\xBFx\xC3\xA9\ny\n",
         {"x\u00e9", "y", ""},
         {TTextEncoding::Utf8Bom, TLineBreakStyle::LF}},
        {"utf8 without mark",
         "x\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80",
         {"x\u00e9\u20ac\U0001F600"},
         {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"windows-1252", "f\xFCr\x80", {"f\u00fcr\u20ac"}, {TTextEncoding::Ansi, TLineBreakStyle::CRLF}},
        // Almost UTF-8, but not quite: each is read in the code page and written back unchanged.
        {"truncated sequence", "ab\xC3", {"ab\u00c3"}, {TTextEncoding::Ansi, TLineBreakStyle::CRLF}},
        {"overlong form", "\xC0\xAF", {"\u00c0\u00af"}, {TTextEncoding::Ansi, TLineBreakStyle::CRLF}},
        {"encoded surrogate",
         "\xED\xA0\x80",
         {"\u00ed\u00a0\u20ac"},
         {TTextEncoding::Ansi, TLineBreakStyle::CRLF}},
        {"above U+10FFFF",
         "\xF4\x90\x80\x80",
         {"\u00f4\u0090\u20ac\u20ac"},
         {TTextEncoding::Ansi, TLineBreakStyle::CRLF}},
        {"cr only", "a\rb", {"a", "b"}, {TTextEncoding::Utf8, TLineBreakStyle::CR}},
        {"mixed", "a\nb\r\nc", {"a", "b", "c"}, {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"lone cr before crlf",
         "a\r\r\nb\n\r",
         {"a", "", "b", "", ""},
         {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"utf16le",
         QByteArray("\xFF\xFE"
                    "a\0\n\0b\0",
                    8),
         {"a", "b"},
         {TTextEncoding::Utf16LE, TLineBreakStyle::LF}},
        {"utf16be separator",
         QByteArray("\xFE\xFF\0a\x20\x28\0b", 8),
         {"a", "b"},
         {TTextEncoding::Utf16BE, TLineBreakStyle::LineSeparator}},
        {"bom only", "\xEF\xBB\xBF", {}, {TTextEncoding::Utf8Bom, TLineBreakStyle::CRLF}},
        {"utf8 mark twice",
         "\xEF\xBB\xBF\xEF\xBB\xBFx",
         {QString(QChar(0xFEFF)) + u'x'},
         {TTextEncoding::Utf8Bom, TLineBreakStyle::CRLF}},
        {"empty", "", {}, {TTextEncoding::Utf8, TLineBreakStyle::CRLF}},
        {"nul bytes", QByteArray("a\0b", 3), {QString(QChar('a')) + QChar(0) + 'b'}, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TTextFormat format;
        const QString path = Write(c.Bytes);
        EXPECT_EQ(ReadTextFile(path, format), c.Lines);
        EXPECT_EQ(format, c.Format);
        WriteTextFile(path, c.Lines, format);
        if (QByteArray(c.Name) != "mixed" && QByteArray(c.Name) != "lone cr before crlf") {
            EXPECT_EQ(ReadTestBytes(path), c.Bytes);
        }
    }
}

TEST_F(TextFile, EveryByteSurvivesTheCodePage) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(EncodeAnsi(DecodeAnsi(all)), all);
    EXPECT_EQ(DecodeAnsi(QByteArray("\x80\x81\x9F")), QString::fromUtf8("\u20AC\u0081\u0178"));
    EXPECT_EQ(EncodeAnsi(QString::fromUtf8("\u4E2D")), "?");
}

TEST_F(TextFile, LinesOfAnyLengthEncodeWithEveryCharacterInPlace) {
    // Lines of every length around the sixteen-character steps, with one non-ASCII character at
    // each place in turn, must come out byte for byte as one character at a time would.
    for (int length = 0; length <= 40; ++length) {
        for (int special = -1; special < length; ++special) {
            QString line;
            QByteArray expected;
            for (int i = 0; i < length; ++i) {
                const bool isSpecial = i == special;
                line.append(isSpecial ? QChar(0x20AC) : QChar(u'a' + i % 26));
                expected.append(isSpecial ? '\x80' : char('a' + i % 26));
            }
            SCOPED_TRACE(QString("length %1, special at %2").arg(length).arg(special).toStdString());
            EXPECT_EQ(EncodeAnsi(line), expected);
            EXPECT_EQ(EncodeTextLines({line, line}, TTextFormat{TTextEncoding::Ansi}),
                      expected + "\r\n" + expected);
        }
    }
}

TEST_F(TextFile, FindsTheFirstCharacterAnEncodingCannotHold) {
    const QString loneHigh(QChar(0xD800));
    const QString pair = QString::fromUtf8("\U0001F600");
    struct TCase {
        TTextEncoding Encoding;
        QStringList Lines;
        qsizetype Line, Column; // -1 when everything fits
        QString Character;
    } cases[] = {
        {TTextEncoding::Ansi, {"plain", "f\u00fcr \u20ac \u0081 \u00ff"}, -1, -1, {}},
        {TTextEncoding::Ansi, {"ok", "ab\u0141c\u0416"}, 1, 2, "\u0141"},
        {TTextEncoding::Ansi, {"0123456789" + pair}, 0, 10, pair},
        {TTextEncoding::Ansi, {"\u0080"}, 0, 0, "\u0080"},
        {TTextEncoding::Utf8, {"\u0141\u0416\u4e2d" + pair}, -1, -1, {}},
        {TTextEncoding::Utf8Bom, {"x", "ab" + loneHigh + "c"}, 1, 2, loneHigh},
        {TTextEncoding::Utf8, {pair.right(1)}, 0, 0, pair.right(1)},
        {TTextEncoding::Utf16LE, {loneHigh}, -1, -1, {}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Lines.join('|').toStdString());
        TUnencodableChar found;
        EXPECT_EQ(FindUnencodableChar(c.Lines, c.Encoding, found), c.Line >= 0);
        EXPECT_EQ(found.Line, c.Line);
        EXPECT_EQ(found.Column, c.Column);
        EXPECT_EQ(found.Character, c.Character);
    }
}

TEST_F(TextFile, LineBreaksInsideATextAreUnified) {
    EXPECT_EQ(UnifyLineBreaks(u"a\nb\r\nc\rd\u2028e\r\r\n", u"\r\n"), "a\r\nb\r\nc\r\nd\r\ne\r\n\r\n");
    EXPECT_EQ(UnifyLineBreaks(u"no break", u"\r\n"), "no break");
    EXPECT_TRUE(HoldsLineBreak(u"a\u2028"));
    EXPECT_FALSE(HoldsLineBreak(u"a\u2029b"));
}

TEST_F(TextFile, UnreadableAndUnwritableFilesRaiseWithTheReason) {
    TTextFormat format;
    EXPECT_THROW(ReadTextFile(Temp.FilePath("missing"), format), EFileError);
    EXPECT_THROW(ReadTextFile(Write(QByteArray("\xFF\xFE"
                                               "a",
                                               3)),
                              format),
                 EFileError);
    try {
        WriteTextFile(Temp.FilePath("no/such/folder/x"), {"a"}, format);
        FAIL();
    } catch (const EFileError& e) {
        EXPECT_TRUE(
            e.Message().startsWith("Cannot create file \"" + Temp.FilePath("no/such/folder/x") + "\". "));
    }
}

TEST_F(TextFile, UnpairedSurrogatesInUtf16RoundTrip) {
    const QByteArray bytes("\xFF\xFE\x00\xD8"
                           "a\0",
                           6);
    TTextFormat format;
    const QString path = Write(bytes);
    const QStringList lines = ReadTextFile(path, format);
    WriteTextFile(path, lines, format);
    EXPECT_EQ(ReadTestBytes(path), bytes);
}
