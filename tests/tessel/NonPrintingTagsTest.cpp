// Control-character tags: the name table, both encoding forms, decoding and its failures.
#include "Tessel/UKestLibrary/NonPrintingTags.h"
#include "Tessel/UKestDefs.h"

#include "support/PrintTo.h"

#include <gtest/gtest.h>

using namespace Tessel;

namespace {

QString Chars(std::initializer_list<char16_t> ACodes) {
    QString text;
    for (const char16_t code : ACodes)
        text.append(QChar(code));
    return text;
}

} // namespace

TEST(NonPrintingTagsTest, NameTableHasThirtyTwoSlotsWithNakInSlotFifteen) {
    ASSERT_EQ(NonPrintingCharNames.size(), 96);
    const struct {
        int Code;
        const char* Slot;
    } table[] = {{0, "   "},  {2, "STX"},  {3, "ETX"},  {4, "EOT"},  {5, "ENQ"},  {6, "ACK"}, {9, "TAB"},
                 {10, "LF "}, {13, " CR"}, {15, "NAK"}, {21, "   "}, {27, "ESC"}, {31, "   "}};
    for (const auto& s : table)
        EXPECT_EQ(NonPrintingCharNames.mid(s.Code * 3, 3), QString(s.Slot)) << s.Code;
}

TEST(NonPrintingTagsTest, EncodesControlCharacters) {
    const struct {
        QString Text;
        QString Allowed;
        bool Display;
        QString Expected;
    } cases[] = {
        {QString("A\tB\r\nC\n") + QChar(0), "", false, "A<!TAB>B<CRLF>C<!LF><!0>"},
        {"a\r\nb\rc\nd", "\r", false, "a<CRLF>b\rc<!LF>d"}, // CR allowed: pairs still tagged
        {"a\r\nb\rc\nd", "\r\n", false, "a\r\nb\rc\nd"},    // the pair allowed: all stay
        {"a\r\nb\rc\nd", "\n", false, "a<CRLF>b<CR>c\nd"},  // LF allowed alone
        {"\r\r\n\n", "", false, "<CR><CRLF><!LF>"},
        {Chars({15, 21, 1, 31, 32, 127, 0x80}), "", false, "<!NAK><!21><!1><!31> \u007f\u0080"},
        {"\t\x02\r\n", "", true, "<TAB><STX><CRLF>"},      // display form
        {"\t\x1b", "\x1b", true, "<TAB>\x1b"},             // an allowed control character
        {"<!TAB> <CR> !<>", "", false, "<!TAB> <CR> !<>"}, // tag texts are not escaped
        {"", "", false, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StringToNonPrintingTags(c.Text, c.Allowed, c.Display), c.Expected)
            << c.Expected.toStdString();
}

TEST(NonPrintingTagsTest, DecodesTags) {
    const struct {
        QString Text;
        QString Expected;
    } cases[] = {
        {"A<!TAB>B<CRLF>C<!LF><!0>", QString("A\tB\r\nC\n") + QChar(0)},
        {"<CR><!CRLF>", "\r\r\n"},
        {"<!65>", "A"},
        {"<!$1B><!0x1B><!0X1b><!x1B><!X1b>", "\x1b\x1b\x1b\x1b\x1b"},
        {"<! 27><!+27>", "\x1b\x1b"},
        {"<!70000>", QString(QChar(char16_t(4464)))},
        {"<!-2>", QString(QChar(char16_t(0xFFFE)))}, // low 16 bits of the pattern
        {"<!$FFFF0041>", "A"},
        {"<!NAK><!21>", Chars({15, 21})},
        {"<!S><!X><!C><! ><!TABLF>", Chars({2, 2, 6, 0, 9})}, // substring search over the table
        {"<!65><!66", "A<!66"},                               // no closing ">" ends decoding
        {"<TAB><STX>", "<TAB><STX>"},                         // display tags stay
        {"<!60>!65>", "<!65>"},                               // decoded text is not rescanned
        {"<!CRLF", "<!CRLF"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NonPrintingTagsToString(c.Text), c.Expected) << c.Text.toStdString();
}

TEST(NonPrintingTagsTest, UnreadableTagsRaise) {
    const struct {
        QString Text;
        QString TagText;
    } cases[] = {
        {"<!>", ""},
        {"a<!-1>", "-1"},
        {"<!tab>", "tab"},
        {"<!Z>", "Z"},
        {"<!27 >", "27 "},
        {"<!$FFFFFFFF>", "$FFFFFFFF"},
        {"<!2147483648>", "2147483648"},
        {"<!$>", "$"},
        {"x<!<!65>>", "<!65"},
        {"<!TAB><!?>", "?"},
    };
    for (const auto& c : cases) {
        try {
            NonPrintingTagsToString(c.Text);
            ADD_FAILURE() << "no failure for " << c.Text.toStdString();
        } catch (const EKestLibrary& e) {
            EXPECT_EQ(e.Message(), QString("Invalid non printing character tag \"%1\"").arg(c.TagText));
        }
    }
}

TEST(NonPrintingTagsTest, ReversibleFormRoundTripsEveryCodeUnitBelow128) {
    QString text;
    for (char16_t code = 0; code < 128; ++code)
        text.append(QChar(code));
    text += "\r\n\r\r\n\n\r";
    EXPECT_EQ(NonPrintingTagsToString(StringToNonPrintingTags(text, "", false)), text);
    // Tag texts already in a value are not escaped, so they come back as control characters.
    EXPECT_EQ(NonPrintingTagsToString(StringToNonPrintingTags("<CR>|<!9>", "", false)), "\r|\t");
}
