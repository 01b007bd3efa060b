// The INI parser and its readers: parsing what was written gives it again, every key listed can be
// read, and a value written reads back unchanged.
#include "FuzzSupport.h"

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestIniFiles.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"
#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>

using namespace Tessel;
using WrenfoldFuzz::Shown;

namespace {

QStringList Written(const TKestMemIniFile& AIni) {
    QStringList lines;
    AIni.GetStrings(lines);
    return lines;
}

// Every stored line is one that parsing keeps: trimmed, not empty, no comment, no header.
void CheckStoredLines(TKestMemIniFile& AIni) {
    QStringList sections;
    AIni.ReadSections(sections);
    for (const QString& section : std::as_const(sections)) {
        QStringList lines;
        AIni.ReadSectionValues(section, lines);
        for (const QString& line : std::as_const(lines)) {
            FUZZ_CHECK(!line.isEmpty() && KestTrim(line) == line && line.front() != u';' &&
                           !(line.front() == u'[' && line.back() == u']'),
                       QStringLiteral("stored line \"%1\" in [%2]").arg(line, section));
        }
    }
}

// Each key that ReadSection lists is found by ReadString (decoding may fail on a bad tag), and the
// typed readers take whatever text it holds.
void CheckKeysReadable(TKestMemIniFile& AIni) {
    static const QString Missing = QStringLiteral("\x01missing");
    QStringList sections;
    AIni.ReadSections(sections);
    for (const QString& section : std::as_const(sections)) {
        QStringList names;
        AIni.ReadSection(section, names);
        QStringList lines;
        AIni.ReadSectionValues(section, lines);
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (!lines[i].contains(u'=')) continue;
            const QString name = KestTrim(names[i]);
            FUZZ_CHECK(AIni.ValueExists(section, names[i]), QStringLiteral("[%1] %2").arg(section, name));
            try {
                FUZZ_CHECK(AIni.ReadString(section, name, Missing) != Missing,
                           QStringLiteral("[%1] %2 not found").arg(section, name));
                AIni.ReadInteger(section, name, 0);
                AIni.ReadBool(section, name, false);
                AIni.ReadFloat(section, name, 0);
                AIni.ReadDate(section, name, 0);
                AIni.ReadDateTime(section, name, 0);
                AIni.ReadTime(section, name, 0);
                QByteArray binary;
                AIni.ReadBinaryStream(section, name, binary);
            } catch (const EKestLibrary&) {
                // a value with a tag that names no character
            }
        }
    }
}

// A key the file does not hold, written twice and read back, then deleted; the value survives when
// its encoding holds no blank at either end (ReadString trims) and no tag text of its own.
void CheckWriteRead(TKestMemIniFile& AIni, const QString& ASection, const QString& AValue) {
    const QString key = QStringLiteral("FuzzWrittenKey");
    static const QString Missing = QStringLiteral("\x01missing");
    if (AIni.ReadString(ASection, key, Missing) != Missing) return;
    const auto survives = [](const QString& AText) {
        const QString encoded = StringToNonPrintingTags(AText, QString(), false);
        return !AText.contains(QLatin1String("<!")) && !AText.contains(QLatin1String("<CR>")) &&
               !AText.contains(QLatin1String("<CRLF>")) && KestTrim(encoded) == encoded;
    };
    QString reversed = AValue;
    std::reverse(reversed.begin(), reversed.end());
    for (const QString& value : {AValue, reversed}) {
        AIni.WriteString(ASection, key, value);
        QStringList lines;
        AIni.ReadSectionValues(ASection, lines);
        FUZZ_CHECK(std::count_if(lines.begin(), lines.end(),
                                 [&](const QString& ALine) { return ALine.startsWith(key + u'='); }) == 1,
                   Shown(lines));
        if (!survives(value)) continue;
        const QString read = AIni.ReadString(ASection, key, Missing);
        FUZZ_CHECK(read == value,
                   QStringLiteral("[%1] wrote \"%2\", read \"%3\"").arg(ASection, value, read));
    }
    AIni.DeleteKey(ASection, key);
    FUZZ_CHECK(AIni.ReadString(ASection, key, Missing) == Missing, QStringLiteral("deleted key still read"));
    AIni.EraseSection(ASection);
    FUZZ_CHECK(!AIni.SectionExists(ASection), QStringLiteral("[%1] erased but still there").arg(ASection));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    QString text;
    if (!WrenfoldFuzz::TextOf(WrenfoldFuzz::BytesOf(AData, ASize), text)) return 0;
    TLineBreakStyle style;
    const QStringList lines = SplitTextLines(text, style);

    TKestMemIniFile ini(QString(), false);
    ini.SetStrings(lines);
    const QStringList written = Written(ini);
    TKestMemIniFile again(QString(), false);
    again.SetStrings(written);
    FUZZ_CHECK(Written(again) == written,
               Shown(written) + QStringLiteral("parsed and written again as\n") + Shown(Written(again)));

    CheckStoredLines(ini);
    CheckKeysReadable(ini);
    // A section of the file (or a new one) receives the input's last line as a value.
    QStringList sections;
    ini.ReadSections(sections);
    CheckWriteRead(ini, sections.isEmpty() ? QStringLiteral("Fuzz") : sections.back(),
                   lines.value(lines.size() - 1));
    return 0;
}
