// What the fuzz targets share: the input as text, and a broken invariant stopping the run loudly.
#pragma once

#include "Tessel/Rtl/Exception.h"
#include "Tessel/Rtl/TextFile.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace WrenfoldFuzz {

// Reports the broken invariant with the text that shows it, then aborts: libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* AFile, int ALine, const char* ACondition, const QString& AWhat) {
    QString what = AWhat;
    what.replace(QChar(0), QLatin1String("\\0"));
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n%s\n", AFile, ALine, ACondition,
                 what.toUtf8().constData());
    std::abort();
}

// The input bytes as a file holds them.
inline QByteArray BytesOf(const uint8_t* AData, size_t ASize) {
    return QByteArray(reinterpret_cast<const char*>(AData), qsizetype(ASize));
}

// The input read as a text file is read (a mark selects UTF-8 or UTF-16, else UTF-8 when valid, else
// the 8-bit code page): seeds are ordinary files, and a UTF-16 input reaches every code unit.
// False for bytes no text file can hold (UTF-16 of an odd length).
inline bool TextOf(const QByteArray& ABytes, QString& AText) {
    try {
        Tessel::TTextEncoding encoding;
        AText = Tessel::DecodeText(ABytes, encoding);
        return true;
    } catch (const Tessel::EFileError&) {
        return false;
    }
}

// A text for a failure message: control characters, surrogates and other units outside ASCII as
// escapes.
inline QString Escaped(const QString& AText) {
    QString result;
    for (const QChar c : AText)
        result += c.unicode() < 32 || c.unicode() >= 127
                      ? QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'))
                      : QString(c);
    return result;
}

// A list's text for a failure message, each entry quoted on its own line.
inline QString Shown(const QStringList& ALines) {
    QString result;
    for (const QString& line : ALines)
        result += u'"' + Escaped(line) + QStringLiteral("\"\n");
    return result;
}

} // namespace WrenfoldFuzz

#define FUZZ_CHECK(ACondition, AWhat)                                                                        \
    do {                                                                                                     \
        if (!(ACondition)) WrenfoldFuzz::Fail(__FILE__, __LINE__, #ACondition, (AWhat));                     \
    } while (0)
