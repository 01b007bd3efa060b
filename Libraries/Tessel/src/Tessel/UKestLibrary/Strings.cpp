#include "Tessel/UKestLibrary/Strings.h"

#include <algorithm>

namespace Tessel {

namespace {

const QChar Quote = u'"';

bool IsBlankOrControl(QChar AChar) {
    return AChar.unicode() <= 32;
}
bool IsLowerAscii(QChar AChar) {
    return AChar >= u'a' && AChar <= u'z';
}
bool IsUpperAscii(QChar AChar) {
    return AChar >= u'A' && AChar <= u'Z';
}

// Upper-cases code point by code point, so every unit keeps its position (unlike QString::toUpper,
// which turns "ß" into "SS").
QString UpperSameLength(const QString& AText) {
    QString result = AText;
    QChar* data = result.data();
    const qsizetype n = result.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (data[i].isHighSurrogate() && i + 1 < n && data[i + 1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(data[i], data[i + 1]));
            if (QChar::requiresSurrogates(upper)) {
                data[i] = QChar(QChar::highSurrogate(upper));
                data[i + 1] = QChar(QChar::lowSurrogate(upper));
            }
            ++i;
        } else {
            const char32_t upper = QChar::toUpper(char32_t(data[i].unicode()));
            if (!QChar::requiresSurrogates(upper)) data[i] = QChar(char16_t(upper));
        }
    }
    return result;
}

} // namespace

int HexDigitValue(QChar AChar) {
    const char16_t c = AChar.unicode();
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

std::optional<int32_t> TextToInt32(const QString& AText) {
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

QString AsciiUpperCase(const QString& AText) {
    QString result = AText;
    for (QChar& c : result)
        c = AsciiUpperCase(c);
    return result;
}

bool SameAsciiText(const QString& A, const QString& B) {
    if (A.size() != B.size()) return false;
    for (qsizetype i = 0; i < A.size(); ++i)
        if (AsciiUpperCase(A.at(i)) != AsciiUpperCase(B.at(i))) return false;
    return true;
}

QString KestTrim(const QString& AText) {
    qsizetype first = 0;
    qsizetype last = AText.size();
    while (first < last && IsBlankOrControl(AText[first]))
        ++first;
    while (last > first && IsBlankOrControl(AText[last - 1]))
        --last;
    return first == 0 && last == AText.size() ? AText : AText.mid(first, last - first);
}

bool IsDigitChar(QChar AChar) {
    return AChar >= u'0' && AChar <= u'9';
}

bool IsLetterChar(QChar AChar) {
    return IsLowerAscii(AChar) || IsUpperAscii(AChar);
}

QChar LowerCaseLetter(QChar AChar) {
    return IsUpperAscii(AChar) ? QChar(AChar.unicode() + 32) : AChar;
}

bool ContainsDigit(const QString& AText) {
    return std::any_of(AText.begin(), AText.end(), [](QChar c) { return IsDigitChar(c); });
}

bool ContainsLetter(const QString& AText) {
    return std::any_of(AText.begin(), AText.end(), [](QChar c) { return IsLetterChar(c); });
}

int CharPos(QChar AChar, const QString& AText) {
    return int(AText.indexOf(AChar)) + 1;
}

QChar LastChar(const QString& AText) {
    return AText.isEmpty() ? QChar(0) : AText.back();
}

QString UpperFirstChar(const QString& AText) {
    if (AText.isEmpty() || !IsLowerAscii(AText[0])) return AText;
    QString result = AText;
    result[0] = AsciiUpperCase(result[0]);
    return result;
}

bool IsQuoted(const QString& AText) {
    return !AText.isEmpty() && AText.front() == Quote && AText.back() == Quote;
}

QString Dequote(const QString& AText) {
    if (!IsQuoted(AText)) return AText;
    return AText.size() < 2 ? QString() : AText.mid(1, AText.size() - 2);
}

QString EnsureTrailingChar(const QString& AText, QChar AChar) {
    const QString trimmed = KestTrim(AText);
    if (trimmed.isEmpty() || trimmed.back() == AChar) return trimmed;
    return trimmed + AChar;
}

QString EnsureTrailingBackslash(const QString& AText) {
    return EnsureTrailingChar(AText, u'\\');
}

void StripTrailingChar(QChar AChar, QString& AText) {
    qsizetype n = AText.size();
    while (n > 0 && AText[n - 1] == AChar)
        --n;
    AText.truncate(n);
}

QString StripLeadingChar(QChar AChar, const QString& AText) {
    qsizetype i = 0;
    while (i < AText.size() && AText[i] == AChar)
        ++i;
    return AText.mid(i);
}

QString StripLeadingLowerCase(const QString& AText) {
    qsizetype i = 0;
    while (i < AText.size() && IsLowerAscii(AText[i]))
        ++i;
    return AText.mid(i);
}

QString RemoveChars(const QString& ACharSet, const QString& AText) {
    QString result;
    result.reserve(AText.size());
    for (const QChar c : AText) {
        if (c.isNull()) break;
        if (!ACharSet.contains(c)) result.append(c);
    }
    return result;
}

QString RemoveBlanks(const QString& AText) {
    return RemoveChars(QStringLiteral(" \t"), AText);
}

bool EndsWithText(const QString& AEnding, const QString& AText, bool ACaseSensitive) {
    if (AEnding.isEmpty() || AText.isEmpty() || AEnding.size() > AText.size()) return false;
    const qsizetype offset = AText.size() - AEnding.size();
    for (qsizetype i = AEnding.size() - 1; i >= 0; --i) {
        QChar a = AEnding[i];
        QChar b = AText[offset + i];
        if (!ACaseSensitive) {
            a = AsciiUpperCase(a);
            b = AsciiUpperCase(b);
        }
        if (a != b) return false;
    }
    return true;
}

QString SplitAtFirst(QString& AText, const QString& ASeparator) {
    const qsizetype at = ASeparator.isEmpty() ? -1 : AText.indexOf(ASeparator);
    if (at < 0) {
        const QString head = AText;
        AText.clear();
        return head;
    }
    const QString head = KestTrim(AText.left(at));
    AText = KestTrim(AText.mid(at + ASeparator.size()));
    return head;
}

bool FindDelimited(const QString& AOpen, const QString& AClose, const QString& AText, int& AStart,
                   bool AIncludeDelimiters, int& ALength) {
    ALength = 0;
    const qsizetype from = std::max(AStart, 1) - 1;
    const qsizetype open = AOpen.isEmpty() || from > AText.size() ? -1 : AText.indexOf(AOpen, from);
    if (open < 0) {
        AStart = 0;
        return false;
    }
    const qsizetype close = AClose.isEmpty() ? -1 : AText.indexOf(AClose, open + AOpen.size());
    if (close < 0) {
        AStart = 0;
        return false;
    }
    AStart = int(open) + 1;
    ALength = int(close + AClose.size() - open);
    if (!AIncludeDelimiters) {
        AStart += int(AOpen.size());
        ALength -= int(AOpen.size() + AClose.size());
    }
    return true;
}

void ReplaceAllText(const QString& AOld, const QString& ANew, QString& AText, bool ACaseSensitive) {
    if (AOld.isEmpty() || AText.isEmpty()) return;
    // Searching a same-length upper-cased copy keeps its positions valid in the original.
    const QString haystack = ACaseSensitive ? AText : UpperSameLength(AText);
    const QString needle = ACaseSensitive ? AOld : UpperSameLength(AOld);
    qsizetype at = haystack.indexOf(needle);
    if (at < 0) return;
    QString result;
    qsizetype done = 0;
    while (at >= 0) {
        result.append(QStringView(AText).mid(done, at - done));
        result.append(ANew);
        done = at + needle.size();
        at = haystack.indexOf(needle, done);
    }
    result.append(QStringView(AText).mid(done));
    AText = result;
}

void ReplaceChar(QChar AOld, QChar ANew, QString& AText) {
    AText.replace(AOld, ANew);
}

QString AppendListItem(const QString& AItem, const QString& AList, bool AAddSpace) {
    if (AItem.isEmpty()) return AList;
    if (AList.isEmpty()) return AItem;
    return AList + (AAddSpace ? QStringLiteral(", ") : QStringLiteral(",")) + AItem;
}

QString BoolToText(bool AValue) {
    return AValue ? QStringLiteral("True") : QStringLiteral("False");
}

QString ToFileNameChars(const QString& AText) {
    QString result = AText;
    const qsizetype n = AText.size();
    for (qsizetype i = 0; i < n; ++i) {
        switch (AText[i].unicode()) {
        case u'"':
            result[i] = u'\'';
            break;
        case u'*':
            if (i + 1 < n && AText[i + 1] != u'.') result[i] = u'-';
            break;
        case u'/':
            result[i] = u'-';
            break;
        case u':':
            if (i > 0 && IsDigitChar(AText[i - 1])) result[i] = u'.';
            break;
        case u'<':
            result[i] = u'[';
            break;
        case u'>':
            result[i] = u']';
            break;
        case u'?':
            result[i] = u'!';
            break;
        case u'|':
            result[i] = u'_';
            break;
        default:
            break;
        }
    }
    return result;
}

QString IdentifierToCaption(const QString& AText, bool AStripPrefix) {
    QString result = KestTrim(AText);
    if (AStripPrefix) result = StripLeadingChar(u'_', StripLeadingLowerCase(result));
    if (result.contains(u'_')) {
        result.replace(u'_', u' ');
        return result;
    }
    const qsizetype last = result.size() - 1;
    for (qsizetype i = last; i >= 1; --i) {
        if (IsUpperAscii(result[i]) && IsLowerAscii(result[i - 1])) {
            if (i != last) result[i] = LowerCaseLetter(result[i]);
            result.insert(i, u' ');
        }
    }
    return result;
}

} // namespace Tessel
