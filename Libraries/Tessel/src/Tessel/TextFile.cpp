#include "Tessel/TextFile.h"

#include "Tessel/AnsiCodePage.h"
#include "Tessel/Exception.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

QString LineBreakText(TLineBreakStyle AStyle) {
    switch (AStyle) {
    case TLineBreakStyle::LF: return QStringLiteral("\n");
    case TLineBreakStyle::CR: return QStringLiteral("\r");
    case TLineBreakStyle::LineSeparator: return QString(QChar(LineSeparator));
    case TLineBreakStyle::CRLF: break;
    }
    return QStringLiteral("\r\n");
}

QString DecodeText(const QByteArray& ABytes, TTextEncoding& AEncoding, const QString& AFileName) {
    if (ABytes.startsWith("\xEF\xBB\xBF")) {
        AEncoding = TTextEncoding::Utf8;
        return QString::fromUtf8(ABytes.constData() + 3, ABytes.size() - 3);
    }
    const bool littleEndian = ABytes.startsWith("\xFF\xFE");
    if (littleEndian || ABytes.startsWith("\xFE\xFF")) {
        AEncoding = littleEndian ? TTextEncoding::Utf16LE : TTextEncoding::Utf16BE;
        if (ABytes.size() % 2 != 0)
            throw EFileError(QStringLiteral("File \"%1\" is not valid UTF-16 text: it holds an odd number of bytes")
                                 .arg(AFileName));
        // Unpaired surrogates are kept as they are, so the text writes back unchanged.
        return Utf16FromBytes(ABytes, 2, !littleEndian);
    }
    AEncoding = TTextEncoding::Ansi;
    return DecodeAnsi(ABytes);
}

QByteArray EncodeText(const QString& AText, TTextEncoding AEncoding) {
    switch (AEncoding) {
    case TTextEncoding::Utf8: return QByteArray("\xEF\xBB\xBF") + AText.toUtf8();
    case TTextEncoding::Utf16LE: return QByteArray("\xFF\xFE") + Utf16ToBytes(AText, false);
    case TTextEncoding::Utf16BE: return QByteArray("\xFE\xFF") + Utf16ToBytes(AText, true);
    case TTextEncoding::Ansi: break;
    }
    return EncodeAnsi(AText);
}

QStringList SplitTextLines(const QString& AText, TLineBreakStyle& AStyle) {
    QStringList lines;
    bool sawCR = false, sawLF = false, sawSeparator = false;
    const QChar* data = AText.constData();
    const qsizetype size = AText.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i].unicode();
        if (c != u'\r' && c != u'\n' && c != LineSeparator) continue;
        lines.append(QString(data + start, i - start));
        if (c == u'\r') {
            sawCR = true;
            if (i + 1 < size && data[i + 1] == u'\n') {
                sawLF = true;
                ++i;
            }
        } else if (c == u'\n') {
            sawLF = true;
        } else {
            sawSeparator = true;
        }
        start = i + 1;
    }
    if (size > 0) lines.append(QString(data + start, size - start));
    if (sawSeparator) AStyle = TLineBreakStyle::LineSeparator;
    else if (sawCR && !sawLF) AStyle = TLineBreakStyle::CR;
    else if (sawLF && !sawCR) AStyle = TLineBreakStyle::LF;
    else AStyle = TLineBreakStyle::CRLF;
    return lines;
}

QByteArray ReadFileBytes(const QString& AFileName) {
    QFile file(AFileName);
    if (!file.open(QIODevice::ReadOnly))
        throw EFileError(QStringLiteral("Cannot open file \"%1\". %2").arg(AFileName, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw EFileError(QStringLiteral("Cannot read file \"%1\". %2").arg(AFileName, file.errorString()));
    return bytes;
}

QStringList ReadTextFile(const QString& AFileName, TTextFormat& AFormat) {
    TTextFormat format;
    const QString text = DecodeText(ReadFileBytes(AFileName), format.Encoding, AFileName);
    QStringList lines = SplitTextLines(text, format.LineBreak);
    AFormat = format;
    return lines;
}

void WriteFileBytes(const QString& AFileName, const QByteArray& ABytes) {
    QSaveFile file(AFileName);
    const auto fail = [&] {
        throw EFileError(QStringLiteral("Cannot create file \"%1\". %2").arg(AFileName, file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly)) fail();
    if (file.write(ABytes) != ABytes.size()) fail();
    if (!file.commit()) fail();
}

void WriteTextFile(const QString& AFileName, const QStringList& ALines, const TTextFormat& AFormat) {
    WriteFileBytes(AFileName, EncodeText(ALines.join(LineBreakText(AFormat.LineBreak)), AFormat.Encoding));
}

} // namespace Tessel
