// The bytes of an output: the template's encoding and mark, CR LF throughout, nothing lost.
#include "EngineFixture.h"

#include <QStringEncoder>
#include <QXmlStreamReader>

using namespace Wrenfold;

namespace {

class Encodings : public EngineFixture {};

struct TEncoding {
    const char* Name;    // as QStringEncoder knows it
    QByteArray Mark;     // written before the text
    const char* XmlName; // for the XML declaration
};

const TEncoding Utf8Bom{"UTF-8", "\xEF\xBB\xBF", "utf-8"};
const TEncoding Utf8{"UTF-8", "", "utf-8"};
const TEncoding Windows1252{"windows-1252", "", "windows-1252"};
const TEncoding Utf16LE{"UTF-16LE", "\xFF\xFE", "utf-16"};
const TEncoding Utf16BE{"UTF-16BE", "\xFE\xFF", "utf-16"};

QByteArray Encoded(const QString& AText, const TEncoding& AEncoding) {
    QStringEncoder encoder(AEncoding.Name);
    EXPECT_TRUE(encoder.isValid()) << AEncoding.Name;
    QByteArray bytes = encoder(AText);
    EXPECT_FALSE(encoder.hasError()) << AEncoding.Name;
    return AEncoding.Mark + bytes;
}

// A template holding non-ASCII text of its own, with LF breaks as Linux editors write them.
QString TemplateText(const TEncoding& AEncoding, const QString& ABreak) {
    return QStringList{QStringLiteral("<?xml version=\"1.0\" encoding=\"%1\"?>").arg(AEncoding.XmlName),
                       "<Project>",
                       "  <Size>Gr\u00f6\u00dfe</Size>",
                       "  <Name>$P(Name)</Name>",
                       "</Project>",
                       ""}
        .join(ABreak);
}

} // namespace

TEST_F(Encodings, TheOutputTakesTheTemplatesEncodingAndIsWellFormed) {
    const TEncoding templates[] = {Utf8Bom, Utf8, Windows1252, Utf16LE, Utf16BE};
    const TEncoding configurations[] = {Utf8Bom, Utf8, Windows1252};
    const QString values[] = {"plain", "f\u00fcr M\u00fcller", "\u0141\u00f3d\u017a \u0416 \u4e2d"};
    for (const TEncoding& templateEncoding : templates) {
        for (const TEncoding& configEncoding : configurations) {
            for (const QString& value : values) {
                const bool beyond1252 = value == values[2];
                if (configEncoding.Name == Windows1252.Name && beyond1252) continue;
                SCOPED_TRACE(
                    QString("template %1%2, configuration %3%4, value %5")
                        .arg(templateEncoding.Name, templateEncoding.Mark.isEmpty() ? "" : " with mark",
                             configEncoding.Name, configEncoding.Mark.isEmpty() ? "" : " with mark", value)
                        .toStdString());
                WriteBytes("T.wfmInput", Encoded(TemplateText(templateEncoding, "\n"), templateEncoding));
                WriteBytes("App.wfmconfig", Encoded(Lines({"[General]", "InputName=T", "[Replace]"}) +
                                                        "\nName=" + value + "\n",
                                                    configEncoding));
                WriteBytes("App.dproj", "old output");
                Engine.LoadProjectFile(PathOf("App.wfmconfig"));
                const bool fits = templateEncoding.Name != Windows1252.Name || !beyond1252;
                EXPECT_EQ(Engine.MakeDprojCommand(), fits);
                if (!fits) {
                    EXPECT_EQ(
                        Host.Errors.value(0),
                        "Output line 4 holds \"\u0141\", which the template's encoding (Windows-1252) cannot "
                        "hold: save the template as UTF-8");
                    EXPECT_EQ(ReadBytes("App.dproj"), "old output");
                    Host.Errors.clear();
                    continue;
                }
                QString expected = TemplateText(templateEncoding, "\n");
                expected.replace("$P(Name)", value);
                const QByteArray output = ReadBytes("App.dproj");
                EXPECT_EQ(output, Encoded(expected, templateEncoding));
                QXmlStreamReader xml(output);
                while (!xml.atEnd())
                    xml.readNext();
                EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
            }
        }
    }
}

TEST_F(Encodings, AnIncludedFileLosesItsMarkAndTakesTheOutputsLineBreaks) {
    struct TCase {
        const char* Name;
        QByteArray Included;
    } cases[] = {
        {"utf-8 with mark, LF", "\xEF\xBB\xBF<a>\xC3\xBC</a>\n<b/>\n"},
        {"windows-1252, CR", "<a>\xFC</a>\r<b/>\r"},
        {"utf-16 LE with mark, CR LF",
         QByteArray("\xFF\xFE<\0a\0>\0\xFC\0<\0/\0a\0>\0\r\0\n\0<\0b\0/\0>\0\r\0\n\0", 34)},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        WriteBytes("Part.xml", c.Included);
        WriteBytes("T.wfmInput", "\xEF\xBB\xBF<x>\r\n$P(Part)</x>\r\n");
        WriteText("App.wfmconfig",
                  Lines({"[General]", "InputName=T", "[Replace]", "Part=$INCLUDE(Part.xml)"}));
        Engine.LoadProjectFile(PathOf("App.wfmconfig"));
        ASSERT_TRUE(Engine.MakeDprojCommand()) << Host.Errors.value(0).toStdString();
        EXPECT_EQ(ReadBytes("App.dproj"), "\xEF\xBB\xBF<x>\r\n<a>\xC3\xBC</a>\r\n<b/>\r\n</x>\r\n");
    }
}

TEST_F(Encodings, ARealProjectFileComesBackByteForByte) {
    // A project file as the IDE saves it (UTF-8 with a mark, CR LF, non-ASCII text), made into a
    // template by putting markers where its values stand; the configuration gives those values.
    QFile fixture(WRENFOLD_FIXTURES_DIR "/dproj/Zaehler.dproj");
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray original = fixture.readAll();
    const QStringList values = {
        "Z\u00e4hler", "{8D1E5C2A-4B7F-4E0A-9C3D-2F6B1A0E7D45}",
        "CompanyName=M\u00fcller &amp; S\u00f8n GmbH;FileDescription=Z\u00e4hler f\u00fcr "
        "\u0141\u00f3d\u017a \u2013 Messwerte"};
    QString templateText = QString::fromUtf8(original.mid(3));
    QString replaceList;
    for (int i = values.size() - 1; i >= 0; --i) {
        ASSERT_TRUE(templateText.contains(values[i]));
        templateText.replace(values[i], QString("$P(V%1)").arg(i));
        replaceList += QString("V%1=%2\n").arg(i).arg(values[i]);
    }
    WriteBytes("Zaehler.wfmInput", "\xEF\xBB\xBF" + templateText.toUtf8());
    WriteText("Zaehler.wfmconfig", "[General]\nInputName=Zaehler\n[Replace]\n" + replaceList);
    Engine.LoadProjectFile(PathOf("Zaehler.wfmconfig"));
    ASSERT_TRUE(Engine.MakeDprojCommand()) << Host.Errors.value(0).toStdString();
    EXPECT_EQ(ReadBytes("Zaehler.dproj"), original);
}
