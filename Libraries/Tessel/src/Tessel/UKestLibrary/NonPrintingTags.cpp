#include "Tessel/UKestLibrary/NonPrintingTags.h"

#include "Tessel/UKestDefs.h"

#include <cstdint>
#include <optional>

namespace Tessel {

const QString NonPrintingCharNames = QStringLiteral(
    "      STXETXEOTENQACK      TABLF        CR   NAK                                 ESC            ");

namespace {

const QChar CR = QChar(13);
const QChar LF = QChar(10);
const QString CRLF = QStringLiteral("\r\n");

QString TagName(ushort ACode) {
    const QString name = NonPrintingCharNames.mid(ACode * 3, 3).trimmed();
    return name.isEmpty() ? QString::number(ACode) : name;
}

int HexDigitValue(QChar AChar) {
    const char16_t c = AChar.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Integer text: leading blanks, an optional sign, then decimal digits within 32 signed bits, or
// hexadecimal digits after "$", "x", "X", "0x" or "0X" within 32 bits (a signed 32-bit pattern).
// The whole text must be consumed.
std::optional<int32_t> TagTextToInt(const QString& AText) {
    qsizetype i = 0;
    const qsizetype n = AText.size();
    while (i < n && AText[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (AText[i] == u'+' || AText[i] == u'-')) {
        negative = AText[i] == u'-';
        ++i;
    }
    bool hex = false;
    if (i < n && (AText[i] == u'$' || AText[i] == u'x' || AText[i] == u'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && AText[i] == u'0' && (AText[i + 1] == u'x' || AText[i + 1] == u'X')) {
        hex = true;
        i += 2;
    }
    if (i >= n) return std::nullopt;
    uint64_t value = 0;
    for (; i < n; ++i) {
        if (hex) {
            const int digit = HexDigitValue(AText[i]);
            if (digit < 0) return std::nullopt;
            value = value * 16 + uint64_t(digit);
            if (value > 0xFFFFFFFFull) return std::nullopt;
        } else {
            const char16_t c = AText[i].unicode();
            if (c < u'0' || c > u'9') return std::nullopt;
            value = value * 10 + uint64_t(c - u'0');
            if (value > 0x80000000ull) return std::nullopt;
        }
    }
    if (hex) {
        const auto pattern = int32_t(uint32_t(value));
        return negative ? int32_t(0u - uint32_t(pattern)) : pattern;
    }
    if (!negative && value > 0x7FFFFFFFull) return std::nullopt;
    return negative ? int32_t(-int64_t(value)) : int32_t(value);
}

QString TagReplacement(const QString& ATagText) {
    if (ATagText == QLatin1String("CRLF")) return CRLF;
    if (const auto number = TagTextToInt(ATagText); number && *number != -1)
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
