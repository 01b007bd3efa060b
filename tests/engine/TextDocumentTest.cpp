// Documents loaded from files: a reload always shows the file as it is now.
#include "EngineFixture.h"

using namespace Wrenfold;

namespace {

class TextDocument : public EngineFixture {};

} // namespace

TEST_F(TextDocument, ReloadingAFileShowsItsContentNotEditsOrAnEarlierVersion) {
    TTextDocument document;
    const QString path = PathOf("t.wfmInput");
    const auto load = [&](const QByteArray& ABytes) {
        WriteBytes("t.wfmInput", ABytes);
        document.LoadFromBytes(ReadBytes("t.wfmInput"), path);
        return document.Lines();
    };
    EXPECT_EQ(load("a\r\nb"), (QStringList{"a", "b"}));
    document.SetLine(0, "edited");
    document.SetModified(true);
    EXPECT_EQ(load("a\r\nb"), (QStringList{"a", "b"})) << "same bytes, edits gone";
    EXPECT_FALSE(document.Modified());
    EXPECT_EQ(load("a\r\nc"), (QStringList{"a", "c"})) << "same size, other bytes";
    EXPECT_EQ(load("\xEF\xBB\xBF"
                   "a\nc"),
              (QStringList{"a", "c"}));
    EXPECT_EQ(document.Format(),
              (Tessel::TTextFormat{Tessel::TTextEncoding::Utf8Bom, Tessel::TLineBreakStyle::LF}));
    EXPECT_EQ(load("a\r\nc"), (QStringList{"a", "c"}));
    EXPECT_EQ(document.Format(), Tessel::TTextFormat());
    EXPECT_EQ(load(""), QStringList());
    EXPECT_EQ(load("x"), QStringList{"x"});
}

TEST_F(TextDocument, APackedLogReadsBackItsLinesAndUnpacksForOtherChanges) {
    const QString nul(QChar(0));
    const QStringList appended{QString(),
                               QStringLiteral("plain"),
                               QString::fromUtf8("Grüße € 𝄞"),
                               "a" + nul + "b",
                               QStringLiteral("two\r\nbreaks\nin one line"),
                               QString()};
    TTextDocument log;
    log.SetPackAppendedLines(true);
    for (const QString& line : appended)
        log.Append(line);
    EXPECT_EQ(appended, log.Lines());
    EXPECT_EQ(int(appended.size()), log.Count());
    EXPECT_EQ(appended[2], log.Line(2));
    EXPECT_EQ(appended.join('\n').toUtf8(), log.PackedUtf8From(0)->toByteArray());
    EXPECT_EQ(QByteArray(), log.PackedUtf8From(5)->toByteArray()) << "an empty last line is still a line";
    EXPECT_FALSE(log.PackedUtf8From(6)) << "nothing after the last line";

    // A lone surrogate has no UTF-8 form.
    log.Append(QString(QChar(0xD800)));
    EXPECT_EQ(QString(QChar(0xFFFD)), log.Line(6));

    // Any other change works on the lines as a list; later appends are packed after them.
    log.SetLine(1, QStringLiteral("edited"));
    log.Append(QStringLiteral("after"));
    QStringList expected = appended;
    expected[1] = QStringLiteral("edited");
    expected << QString(QChar(0xFFFD)) << QStringLiteral("after");
    EXPECT_EQ(expected, log.Lines());
    EXPECT_FALSE(log.PackedUtf8From(0)) << "the first lines are a list now";
    EXPECT_EQ(QByteArray("after"), log.PackedUtf8From(7)->toByteArray());
    log.Truncate(2);
    EXPECT_EQ((QStringList{QString(), QStringLiteral("edited")}), log.Lines());
    log.Clear();
    EXPECT_EQ(0, log.Count());
    log.Append(QStringLiteral("x"));
    EXPECT_EQ(QStringList{"x"}, log.Lines());
}
