// Reading and writing text files as line lists, with the byte-order-mark, line-break and
// empty-last-line rules of the platform's string lists. Writes are atomic.
#pragma once

#include "Tessel/Rtl/FileReader.h"
#include "Tessel/Rtl/FileWriter.h"

#include <QString>
#include <QStringList>

namespace Tessel {

// Ansi is the 8-bit code page (Windows-1252); Utf8 has no byte-order mark, Utf8Bom has one; the
// UTF-16 forms always carry theirs.
enum class TTextEncoding { Ansi, Utf8, Utf8Bom, Utf16LE, Utf16BE };
enum class TLineBreakStyle { CRLF, LF, CR, LineSeparator };

// What a line list remembers of the file it came from. A list never loaded uses the defaults:
// UTF-8 without a mark (this platform's system code page) and CR LF.
struct TTextFormat {
    TTextEncoding Encoding = TTextEncoding::Utf8;
    TLineBreakStyle LineBreak = TLineBreakStyle::CRLF;
    bool operator==(const TTextFormat&) const = default;
};

QString LineBreakText(TLineBreakStyle AStyle);
// The lines joined by ABreak, with no break after the last line.
QString JoinLines(const QStringList& ALines, const QString& ABreak);

// The encoding's name as people know it ("UTF-8", "Windows-1252", ...).
QString EncodingName(TTextEncoding AEncoding);
// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF), so that decoding and encoding again gives them back unchanged.
bool IsValidUtf8(const char* AData, qsizetype ALength);

// Decodes file bytes: a UTF-8 or UTF-16 byte-order mark selects that encoding (the mark is not
// part of the text); otherwise valid UTF-8 (plain ASCII included) is read as UTF-8 and anything
// else in the 8-bit code page. Raises EFileError for UTF-16 text with an odd number of bytes.
QString DecodeText(const QByteArray& ABytes, TTextEncoding& AEncoding, const QString& AFileName = QString());
// The text's bytes, preceded by the encoding's byte-order mark if it has one. Characters the
// encoding cannot hold come out as "?" (see FindUnencodableChar).
QByteArray EncodeText(const QString& AText, TTextEncoding AEncoding);

// The first character of the lines that AEncoding cannot hold, for refusing to write a text that
// would lose it. The code page holds 256 characters; UTF-8 holds every one but an unpaired
// surrogate; UTF-16 holds everything.
struct TUnencodableChar {
    qsizetype Line = -1;   // 0-based
    qsizetype Column = -1; // 0-based, in 16-bit units
    QString Character;     // a surrogate pair as one character
};
bool FindUnencodableChar(const QStringList& ALines, TTextEncoding AEncoding, TUnencodableChar& AFound);

// Splits at CR LF, LF, CR and U+2028; a final line break yields an empty last line. AStyle
// receives the style found: U+2028 if any, else CR if only CR, else LF if only LF, else CR LF.
QStringList SplitTextLines(const QString& AText, TLineBreakStyle& AStyle);

// True when the text holds a line break (CR, LF or U+2028).
bool HoldsLineBreak(QStringView AText);
// The text with every line break in it (CR LF, LF, CR or U+2028) written as ABreak.
QString UnifyLineBreaks(QStringView AText, QStringView ABreak);

// The lines of a file's bytes (decoded, then split), with the format found.
QStringList DecodeTextLines(const QByteArray& ABytes, TTextFormat& AFormat,
                            const QString& AFileName = QString());
// Raises EFileError "Cannot open file "%s". %s" when the file cannot be read.
QStringList ReadTextFile(const QString& AFileName, TTextFormat& AFormat);

// Lines joined by the style, no break after the last line, preceded by the encoding's mark.
QByteArray EncodeTextLines(const QStringList& ALines, const TTextFormat& AFormat);
// Writes EncodeTextLines' bytes. Raises EFileError "Cannot create file "%s". %s"; an existing
// file is left intact on failure.
void WriteTextFile(const QString& AFileName, const QStringList& ALines, const TTextFormat& AFormat,
                   TWriteDurability ADurability = TWriteDurability::Flushed);
// Writes the bytes with TAtomicFileWriter: an existing file keeps its permissions, and a symbolic
// link is written through.
void WriteFileBytes(const QString& AFileName, const QByteArray& ABytes,
                    TWriteDurability ADurability = TWriteDurability::Flushed);

} // namespace Tessel
