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
// The lines joined by ABreak, with no break after the last line.
QString JoinLines(const QStringList& ALines, const QString& ABreak);

// Decodes file bytes: a UTF-8 or UTF-16 byte-order mark selects that encoding, otherwise the
// 8-bit code page. Raises EFileError for UTF-16 text with an odd number of bytes.
QString DecodeText(const QByteArray& ABytes, TTextEncoding& AEncoding, const QString& AFileName = QString());
QByteArray EncodeText(const QString& AText, TTextEncoding AEncoding);

// Splits at CR LF, LF, CR and U+2028; a final line break yields an empty last line. AStyle
// receives the style found: U+2028 if any, else CR if only CR, else LF if only LF, else CR LF.
QStringList SplitTextLines(const QString& AText, TLineBreakStyle& AStyle);

// The lines of a file's bytes (decoded, then split), with the format found.
QStringList DecodeTextLines(const QByteArray& ABytes, TTextFormat& AFormat, const QString& AFileName = QString());
// Raises EFileError "Cannot open file "%s". %s" when the file cannot be read.
QStringList ReadTextFile(const QString& AFileName, TTextFormat& AFormat);
QByteArray ReadFileBytes(const QString& AFileName);

// How hard a write insists that the bytes reached the disk before the file is replaced.
enum class TWriteDurability {
    Flushed,  // flushed before the rename: survives a power cut (files the user edits)
    Replaced, // renamed into place unflushed: a failed or crashed write still never leaves a
              // half-written file (files the program can make again, such as generated output)
};

// Lines joined by the style, no break after the last line, preceded by the encoding's mark.
QByteArray EncodeTextLines(const QStringList& ALines, const TTextFormat& AFormat);
// Writes EncodeTextLines' bytes. Raises EFileError "Cannot create file "%s". %s"; an existing
// file is left intact on failure.
void WriteTextFile(const QString& AFileName, const QStringList& ALines, const TTextFormat& AFormat,
                   TWriteDurability ADurability = TWriteDurability::Flushed);
// Writes through a temporary file beside the target, renamed over it when complete; an existing
// file keeps its permissions, and a symbolic link is written through.
void WriteFileBytes(const QString& AFileName, const QByteArray& ABytes,
                    TWriteDurability ADurability = TWriteDurability::Flushed);

} // namespace Tessel
