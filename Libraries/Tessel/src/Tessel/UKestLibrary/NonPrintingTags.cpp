#include "Tessel/UKestLibrary/NonPrintingTags.h"

#include "Tessel/UKestLibrary/Strings.h"

#include "Tessel/UKestDefs.h"

#include <cstdint>
#include <optional>

namespace Tessel {

const QString NonPrintingCharNames = QStringLiteral(
    "      STXETXEOTENQACK      TABLF        CR   NAK                                 ESC            ");

namespace {

const QChar CR = QChar(13);
const QString CRLF = QStringLiteral("\r\n");

QString TagName(ushort ACode) {
    const QString name = NonPrintingCharNames.mid(ACode * 3, 3).trimmed();
    return name.isEmpty() ? QString::number(ACode) : name;
}

QString TagReplacement(const QString& ATagText) {
    if (ATagText == QLatin1String("CRLF")) return CRLF;
    if (const auto number = TextToInt32(ATagText); number && *number != -1)
        return QString(QChar(char16_t(uint32_t(*number) & 0xFFFFu)));
    if (!ATagText.isEmpty()) {
        const qsizetype pos = NonPrintingCharNames.indexOf(ATagText);
        if (pos >= 0) return QString(QChar(char16_t(pos / 3)));
    }
    throw EKestLibrary(QStringLiteral("Invalid non printing character tag \"%1\"").arg(ATagText));
}

} // namespace

QString StringToNonPrintingTags(const QString& AText, const QString& AAllowedChars, bool ADisplayForm) {
    QString result = AText;
    if (result.contains(CR)) {
        if (!AAllowedChars.contains(CRLF)) result.replace(CRLF, QStringLiteral("<CRLF>"));
        if (!AAllowedChars.contains(CR)) result.replace(CR, QStringLiteral("<CR>"));
    }
    const QString opening = ADisplayForm ? QStringLiteral("<") : QStringLiteral("<!");
    for (qsizetype i = result.size() - 1; i >= 0; --i) {
        const QChar c = result[i];
        if (c.unicode() > 31 || AAllowedChars.contains(c)) continue;
        result.replace(i, 1, opening + TagName(c.unicode()) + u'>');
    }
    return result;
}

QString NonPrintingTagsToString(const QString& AText) {
    if (AText.isEmpty()) return QString();
    QString result = AText;
    result.replace(QStringLiteral("<CR>"), QString(CR));
    result.replace(QStringLiteral("<CRLF>"), CRLF);
    qsizetype scan = 0;
    for (;;) {
        const qsizetype start = result.indexOf(QLatin1String("<!"), scan);
        if (start < 0) break;
        const qsizetype end = result.indexOf(u'>', start + 2);
        if (end < 0) break;
        const QString replacement = TagReplacement(result.mid(start + 2, end - start - 2));
        result.replace(start, end - start + 1, replacement);
        scan = start + replacement.size();
    }
    return result;
}

} // namespace Tessel
