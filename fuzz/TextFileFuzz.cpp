// Text-file decoding and encoding: a file read and written again keeps its bytes, and lines written
// in an encoding that holds them read back the same.
#include "FuzzSupport.h"

#include "Tessel/Rtl/TextFile.h"

using namespace Tessel;
using WrenfoldFuzz::Shown;

namespace {

// The kinds of line break a text holds: CR LF, lone CR, lone LF, U+2028.
int LineBreakKinds(const QString& AText) {
    bool crlf = false, cr = false, lf = false, ls = false;
    for (qsizetype i = 0; i < AText.size(); ++i) {
        const char16_t c = AText[i].unicode();
        if (c == u'\r' && i + 1 < AText.size() && AText[i + 1] == u'\n') {
            crlf = true;
            ++i;
        } else if (c == u'\r') {
            cr = true;
        } else if (c == u'\n') {
            lf = true;
        } else if (c == 0x2028) {
            ls = true;
        }
    }
    return int(crlf) + int(cr) + int(lf) + int(ls);
}

bool IsAscii(const QByteArray& ABytes) {
    for (const char c : ABytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

// A file's bytes, decoded and encoded again in the format found: the same bytes when the file keeps
// to one kind of line break (several kinds are written in the one found) and its text is what its
// encoding says, and the same lines and format after a second round in every case.
void CheckFileRoundTrip(const QByteArray& ABytes) {
    TTextFormat format;
    QStringList lines;
    try {
        lines = DecodeTextLines(ABytes, format);
    } catch (const EFileError&) {
        FUZZ_CHECK(ABytes.size() % 2 == 1, QStringLiteral("a decoding failure for an even number of bytes"));
        return;
    }
    const QByteArray written = EncodeTextLines(lines, format);
    TTextEncoding encoding;
    // A UTF-8 mark selects UTF-8 whatever follows: bytes that are no UTF-8 read as U+FFFD.
    const bool markedButInvalid =
        format.Encoding == TTextEncoding::Utf8Bom && !IsValidUtf8(ABytes.constData() + 3, ABytes.size() - 3);
    if (!markedButInvalid && LineBreakKinds(DecodeText(ABytes, encoding)) <= 1)
        FUZZ_CHECK(written == ABytes,
                   QStringLiteral("bytes changed: %1 -> %2")
                       .arg(QString::fromLatin1(ABytes.toHex()), QString::fromLatin1(written.toHex())));
    TTextFormat formatAgain;
    const QStringList linesAgain = DecodeTextLines(written, formatAgain);
    FUZZ_CHECK(linesAgain == lines, Shown(lines) + QStringLiteral("read back as\n") + Shown(linesAgain));
    FUZZ_CHECK(formatAgain == format, QStringLiteral("format changed from %1/%2 to %3/%4")
                                          .arg(int(format.Encoding))
                                          .arg(int(format.LineBreak))
                                          .arg(int(formatAgain.Encoding))
                                          .arg(int(formatAgain.LineBreak)));
}

// Lines without breaks, written in each encoding that holds them, read back the same whenever the
// reader recognises the encoding; an unmarked file is recognised by its bytes alone, so 8-bit text
// that happens to be valid UTF-8, or UTF-8 text that begins with U+FEFF, is read as the bytes say.
void CheckLinesRoundTrip(const QStringList& ALines, TLineBreakStyle AStyle) {
    static const TTextEncoding encodings[] = {TTextEncoding::Ansi, TTextEncoding::Utf8,
                                              TTextEncoding::Utf8Bom, TTextEncoding::Utf16LE,
                                              TTextEncoding::Utf16BE};
    for (const TTextEncoding encoding : encodings) {
        TUnencodableChar unencodable;
        if (FindUnencodableChar(ALines, encoding, unencodable)) {
            FUZZ_CHECK(encoding == TTextEncoding::Ansi || encoding == TTextEncoding::Utf8 ||
                           encoding == TTextEncoding::Utf8Bom,
                       QStringLiteral("UTF-16 refuses a character"));
            FUZZ_CHECK(unencodable.Line >= 0 && unencodable.Line < ALines.size() && unencodable.Column >= 0 &&
                           unencodable.Column < ALines[unencodable.Line].size(),
                       QStringLiteral("the unencodable character lies outside the lines"));
            continue;
        }
        // The code page has no U+2028, and no file read in it has that style.
        if (encoding == TTextEncoding::Ansi && AStyle == TLineBreakStyle::LineSeparator) continue;
        const TTextFormat format{encoding, AStyle};
        const QByteArray bytes = EncodeTextLines(ALines, format);
        TTextFormat found;
        const QStringList lines = DecodeTextLines(bytes, found);
        // No lines and one empty line are both an empty file.
        const bool sameLines = lines == ALines || (lines.isEmpty() && ALines == QStringList{QString()});
        const QString shown = Shown(ALines) +
                              QStringLiteral("in encoding %1 read back as encoding %2\n")
                                  .arg(int(encoding))
                                  .arg(int(found.Encoding)) +
                              Shown(lines);
        if (found.Encoding == encoding) {
            FUZZ_CHECK(sameLines, shown);
            if (ALines.size() > 1) FUZZ_CHECK(found.LineBreak == AStyle, shown);
        } else if (encoding == TTextEncoding::Ansi) {
            FUZZ_CHECK(found.Encoding == TTextEncoding::Utf8 || found.Encoding == TTextEncoding::Utf8Bom ||
                           found.Encoding == TTextEncoding::Utf16LE ||
                           found.Encoding == TTextEncoding::Utf16BE,
                       shown);
            if (found.Encoding == TTextEncoding::Utf8) {
                FUZZ_CHECK(IsValidUtf8(bytes.constData(), bytes.size()), shown);
                if (IsAscii(bytes)) FUZZ_CHECK(sameLines, shown);
            }
        } else {
            FUZZ_CHECK(encoding == TTextEncoding::Utf8 && found.Encoding == TTextEncoding::Utf8Bom &&
                           ALines.value(0).startsWith(QChar(0xFEFF)),
                       shown);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* AData, size_t ASize) {
    const QByteArray bytes = WrenfoldFuzz::BytesOf(AData, ASize);
    CheckFileRoundTrip(bytes);

    QString text;
    if (!WrenfoldFuzz::TextOf(bytes, text)) return 0;
    TLineBreakStyle style;
    const QStringList lines = SplitTextLines(text, style);
    // The style comes from the last byte, so that every style meets every text.
    static const TLineBreakStyle styles[] = {TLineBreakStyle::CRLF, TLineBreakStyle::LF, TLineBreakStyle::CR,
                                             TLineBreakStyle::LineSeparator};
    CheckLinesRoundTrip(lines, ASize == 0 ? style : styles[AData[ASize - 1] % 4]);
    return 0;
}
