// Reading and writing text files as line lists, with the byte-order-mark, line-break and
// empty-last-line rules of the platform's string lists. Writes are atomic.
#pragma once

#include <QString>
#include <QStringList>

namespace Tessel {

enum class TTextEncoding { Ansi, Utf8, Utf16LE, Utf16BE };
enum class TLineBreakStyle { CRLF, LF, CR, LineSeparator };

// What a line list remembers of the file it came from. A list never loaded uses the defaults.
struct TTextFormat {
    TTextEncoding Encoding = TTextEncoding::Ansi;
    TLineBreakStyle LineBreak = TLineBreakStyle::CRLF;
    bool operator==(const TTextFormat&) const = default;
};

QString LineBreakText(TLineBreakStyle AStyle);

// Decodes file bytes: a UTF-8 or UTF-16 byte-order mark selects that encoding, otherwise the
// 8-bit code page. Raises EFileError for UTF-16 text with an odd number of bytes.
QString DecodeText(const QByteArray& ABytes, TTextEncoding& AEncoding, const QString& AFileName = QString());
QByteArray EncodeText(const QString& AText, TTextEncoding AEncoding);

// Splits at CR LF, LF, CR and U+2028; a final line break yields an empty last line. AStyle
// receives the style found: U+2028 if any, else CR if only CR, else LF if only LF, else CR LF.
QStringList SplitTextLines(const QString& AText, TLineBreakStyle& AStyle);

// Raises EFileError "Cannot open file "%s". %s" when the file cannot be read.
QStringList ReadTextFile(const QString& AFileName, TTextFormat& AFormat);
QByteArray ReadFileBytes(const QString& AFileName);

// Lines joined by the style, no break after the last line, preceded by the encoding's mark.
// Raises EFileError "Cannot create file "%s". %s"; an existing file is left intact on failure.
void WriteTextFile(const QString& AFileName, const QStringList& ALines, const TTextFormat& AFormat);
void WriteFileBytes(const QString& AFileName, const QByteArray& ABytes);

} // namespace Tessel
