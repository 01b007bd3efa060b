#include "Tessel/Rtl/TextFile.h"

#include "Tessel/Rtl/AnsiCodePage.h"
#include "Tessel/Rtl/AnsiCodePageTable.h"
#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/SystemError.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace Tessel {

namespace {

constexpr char16_t LineSeparator = 0x2028;

QString Utf16FromBytes(const QByteArray& ABytes, qsizetype AStart, bool ABigEndian) {
    const qsizetype count = (ABytes.size() - AStart) / 2;
    QString result(count, Qt::Uninitialized);
    const auto* in = reinterpret_cast<const unsigned char*>(ABytes.constData() + AStart);
    QChar* out = result.data();
    for (qsizetype i = 0; i < count; ++i) {
        const unsigned hi = ABigEndian ? in[2 * i] : in[2 * i + 1];
        const unsigned lo = ABigEndian ? in[2 * i + 1] : in[2 * i];
        out[i] = QChar(char16_t((hi << 8) | lo));
    }
    return result;
}

QByteArray Utf16ToBytes(const QString& AText, bool ABigEndian) {
    QByteArray result(AText.size() * 2, Qt::Uninitialized);
    char* out = result.data();
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = AText.at(i).unicode();
        out[2 * i + (ABigEndian ? 0 : 1)] = char(c >> 8);
        out[2 * i + (ABigEndian ? 1 : 0)] = char(c & 0xFF);
    }
    return result;
}

} // namespace

// The lines joined by the break, built in one allocation.
QString JoinLines(const QStringList& ALines, const QString& ABreak) {
    qsizetype total = ALines.isEmpty() ? 0 : (ALines.size() - 1) * ABreak.size();
    for (const QString& line : ALines)
        total += line.size();
    QString result(total, Qt::Uninitialized);
    QChar* out = result.data();
    for (qsizetype i = 0; i < ALines.size(); ++i) {
        if (i > 0) {
            std::memcpy(out, ABreak.constData(), size_t(ABreak.size()) * sizeof(QChar));
            out += ABreak.size();
        }
        const QString& line = ALines.at(i);
        std::memcpy(out, line.constData(), size_t(line.size()) * sizeof(QChar));
        out += line.size();
    }
    return result;
}

QString LineBreakText(TLineBreakStyle AStyle) {
    switch (AStyle) {
    case TLineBreakStyle::LF:
        return QStringLiteral("\n");
    case TLineBreakStyle::CR:
        return QStringLiteral("\r");
    case TLineBreakStyle::LineSeparator:
        return QString(QChar(LineSeparator));
    case TLineBreakStyle::CRLF:
        break;
    }
    return QStringLiteral("\r\n");
}

QString EncodingName(TTextEncoding AEncoding) {
    switch (AEncoding) {
    case TTextEncoding::Ansi:
        return QStringLiteral("Windows-%1").arg(SystemAnsiCodePage().Number);
    case TTextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TTextEncoding::Utf8Bom:
        return QStringLiteral("UTF-8 with a byte-order mark");
    case TTextEncoding::Utf16LE:
        return QStringLiteral("UTF-16 LE");
    case TTextEncoding::Utf16BE:
        return QStringLiteral("UTF-16 BE");
    }
    return QString();
}

bool IsValidUtf8(const char* AData, qsizetype ALength) {
    const auto* data = reinterpret_cast<const unsigned char*>(AData);
    qsizetype i = 0;
    while (i < ALength) {
        // Plain ASCII eight bytes at a time: most text is nothing else.
        if (i + 8 <= ALength) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if ((word & 0x8080808080808080ull) == 0) {
                i += 8;
                continue;
            }
        }
        const unsigned lead = data[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        // The sequence's length and the range its second byte must lie in, which rules out
        // overlong forms, surrogates and code points above U+10FFFF.
        int length;
        unsigned low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (i + length > ALength) return false;
        if (data[i + 1] < low || data[i + 1] > high) return false;
        for (int k = 2; k < length; ++k)
            if ((data[i + k] & 0xC0) != 0x80) return false;
        i += length;
    }
    return true;
}

QString DecodeText(const QByteArray& ABytes, TTextEncoding& AEncoding, const QString& AFileName) {
    if (ABytes.startsWith("\xEF\xBB\xBF")) {
        AEncoding = TTextEncoding::Utf8Bom;
        // Only the one mark goes: QString::fromUtf8 would drop a U+FEFF that begins the text too.
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(ABytes).sliced(3));
    }
    const bool littleEndian = ABytes.startsWith("\xFF\xFE");
    if (littleEndian || ABytes.startsWith("\xFE\xFF")) {
        AEncoding = littleEndian ? TTextEncoding::Utf16LE : TTextEncoding::Utf16BE;
        if (ABytes.size() % 2 != 0)
            throw EFileError(
                QStringLiteral("File \"%1\" is not valid UTF-16 text: it holds an odd number of bytes")
                    .arg(AFileName));
        // Unpaired surrogates are kept as they are, so the text writes back unchanged.
        return Utf16FromBytes(ABytes, 2, !littleEndian);
    }
    if (IsValidUtf8(ABytes.constData(), ABytes.size())) {
        AEncoding = TTextEncoding::Utf8;
        return QString::fromUtf8(ABytes);
    }
    AEncoding = TTextEncoding::Ansi;
    return DecodeAnsi(ABytes);
}

QByteArray EncodeText(const QString& AText, TTextEncoding AEncoding) {
    switch (AEncoding) {
    case TTextEncoding::Utf8:
        return AText.toUtf8();
    case TTextEncoding::Utf8Bom:
        return QByteArray("\xEF\xBB\xBF") + AText.toUtf8();
    case TTextEncoding::Utf16LE:
        return QByteArray("\xFF\xFE") + Utf16ToBytes(AText, false);
    case TTextEncoding::Utf16BE:
        return QByteArray("\xFE\xFF") + Utf16ToBytes(AText, true);
    case TTextEncoding::Ansi:
        break;
    }
    return EncodeAnsi(AText);
}

namespace {

// Position (0-based) of the first unpaired surrogate of the text, or -1.
qsizetype IndexOfUnpairedSurrogate(QStringView AText) {
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const QChar c = AText[i];
        if (!c.isSurrogate()) continue;
        if (c.isHighSurrogate() && i + 1 < AText.size() && AText[i + 1].isLowSurrogate())
            ++i;
        else
            return i;
    }
    return -1;
}

} // namespace

bool FindUnencodableChar(const QStringList& ALines, TTextEncoding AEncoding, TUnencodableChar& AFound) {
    if (AEncoding == TTextEncoding::Utf16LE || AEncoding == TTextEncoding::Utf16BE) return false;
    const bool ansi = AEncoding == TTextEncoding::Ansi;
    for (qsizetype line = 0; line < ALines.size(); ++line) {
        const QString& text = ALines.at(line);
        // Plain ASCII, found a word at a time, passes nearly every line; a check for valid
        // UTF-16 passes most of the others.
        if (IsAscii(text) || (!ansi && QStringView(text).isValidUtf16())) continue;
        const qsizetype column = ansi ? IndexOfUnencodableAnsi(text) : IndexOfUnpairedSurrogate(text);
        if (column < 0) continue;
        const bool pair =
            column + 1 < text.size() && text[column].isHighSurrogate() && text[column + 1].isLowSurrogate();
        AFound = {line, column, text.mid(column, pair ? 2 : 1)};
        return true;
    }
    return false;
}

namespace {

// Position of the next line break at or after AFrom, or ASize. Most characters are above CR, so
// one comparison passes them; U+2028 is looked for only in texts that hold one.
template <bool WithSeparator> qsizetype NextLineBreak(const QChar* AData, qsizetype AFrom, qsizetype ASize) {
    for (qsizetype i = AFrom; i < ASize; ++i) {
        const char16_t c = AData[i].unicode();
        if (c <= u'\r' ? (c == u'\r' || c == u'\n') : (WithSeparator && c == LineSeparator)) return i;
    }
    return ASize;
}

} // namespace

QStringList SplitTextLines(const QString& AText, TLineBreakStyle& AStyle) {
    QStringList lines;
    const QChar* data = AText.constData();
    const qsizetype size = AText.size();
    const bool sawSeparator = AText.contains(QChar(LineSeparator));
    bool sawCR = false, sawLF = false;
    qsizetype start = 0;
    for (;;) {
        const qsizetype lineEnd =
            sawSeparator ? NextLineBreak<true>(data, start, size) : NextLineBreak<false>(data, start, size);
        if (lineEnd >= size) break;
        lines.append(QString(data + start, lineEnd - start));
        start = lineEnd + 1;
        if (data[lineEnd] == u'\r') {
            sawCR = true;
            if (start < size && data[start] == u'\n') {
                sawLF = true;
                ++start;
            }
        } else if (data[lineEnd] == u'\n') {
            sawLF = true;
        }
    }
    if (size > 0) lines.append(QString(data + start, size - start));
    if (sawSeparator)
        AStyle = TLineBreakStyle::LineSeparator;
    else if (sawCR && !sawLF)
        AStyle = TLineBreakStyle::CR;
    else if (sawLF && !sawCR)
        AStyle = TLineBreakStyle::LF;
    else
        AStyle = TLineBreakStyle::CRLF;
    return lines;
}

bool HoldsLineBreak(QStringView AText) {
    return NextLineBreak<true>(reinterpret_cast<const QChar*>(AText.utf16()), 0, AText.size()) < AText.size();
}

QString UnifyLineBreaks(QStringView AText, QStringView ABreak) {
    QString result;
    result.reserve(AText.size());
    const QChar* data = reinterpret_cast<const QChar*>(AText.utf16());
    const qsizetype size = AText.size();
    qsizetype start = 0;
    for (;;) {
        const qsizetype lineEnd = NextLineBreak<true>(data, start, size);
        result.append(data + start, lineEnd - start);
        if (lineEnd >= size) break;
        result.append(ABreak);
        start = lineEnd + 1;
        if (data[lineEnd] == u'\r' && start < size && data[start] == u'\n') ++start;
    }
    return result;
}

QStringList DecodeTextLines(const QByteArray& ABytes, TTextFormat& AFormat, const QString& AFileName) {
    TTextFormat format;
    const QString text = DecodeText(ABytes, format.Encoding, AFileName);
    QStringList lines = SplitTextLines(text, format.LineBreak);
    AFormat = format;
    return lines;
}

QStringList ReadTextFile(const QString& AFileName, TTextFormat& AFormat) {
    return DecodeTextLines(ReadFileBytes(AFileName), AFormat, AFileName);
}

void WriteFileBytes(const QString& AFileName, const QByteArray& ABytes, TWriteDurability ADurability) {
    TAtomicFileWriter writer(AFileName);
    if (!writer.Open() || !writer.Write(ABytes) || !writer.Commit(ADurability))
        ThrowFileError("create", AFileName, writer.Error());
}

QByteArray EncodeTextLines(const QStringList& ALines, const TTextFormat& AFormat) {
    const QString lineBreak = LineBreakText(AFormat.LineBreak);
    if (AFormat.Encoding == TTextEncoding::Ansi) return EncodeAnsiLines(ALines, lineBreak);
    return EncodeText(JoinLines(ALines, lineBreak), AFormat.Encoding);
}

void WriteTextFile(const QString& AFileName, const QStringList& ALines, const TTextFormat& AFormat,
                   TWriteDurability ADurability) {
    WriteFileBytes(AFileName, EncodeTextLines(ALines, AFormat), ADurability);
}

} // namespace Tessel
