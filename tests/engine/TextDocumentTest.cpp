// Documents loaded from files: a reload always shows the file as it is now.
#include "EngineFixture.h"

using namespace Wrenfold;

TEST_F(EngineFixture, ReloadingAFileShowsItsContentNotEditsOrAnEarlierVersion) {
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
    EXPECT_EQ(load("\xEF\xBB\xBF" "a\nc"), (QStringList{"a", "c"}));
    EXPECT_EQ(document.Format(), (Tessel::TTextFormat{Tessel::TTextEncoding::Utf8Bom, Tessel::TLineBreakStyle::LF}));
    EXPECT_EQ(load("a\r\nc"), (QStringList{"a", "c"}));
    EXPECT_EQ(document.Format(), Tessel::TTextFormat());
    EXPECT_EQ(load(""), QStringList());
    EXPECT_EQ(load("x"), QStringList{"x"});
}
