// The system's 8-bit code page (Windows-1252; on Windows the one GetACP() names, see
// AnsiCodePageTable.h), its undefined bytes mapped to the characters of the same number, so every
// byte sequence decodes and encodes back unchanged.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace Tessel {

QString DecodeAnsi(const QByteArray& ABytes);
QString DecodeAnsi(const char* AData, qsizetype ALength);
// Characters the code page cannot hold are written as "?", as the platform's conversion does.
QByteArray EncodeAnsi(const QString& AText);
// True when every character is below 0x80 (and so the same in the code page and in UTF-8).
bool IsAscii(QStringView AText);
// Position (0-based) of the first character the code page cannot hold, or -1.
qsizetype IndexOfUnencodableAnsi(QStringView AText);
// The lines joined by ABreak, encoded straight into one buffer (no joined copy of the text).
QByteArray EncodeAnsiLines(const QStringList& ALines, QStringView ABreak);

} // namespace Tessel
