// The system's 8-bit code page: Windows-1252, its five undefined bytes mapped to the C1 controls
// of the same number, so every byte sequence decodes and encodes back unchanged.
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
// The lines joined by ABreak, encoded straight into one buffer (no joined copy of the text).
QByteArray EncodeAnsiLines(const QStringList& ALines, QStringView ABreak);

} // namespace Tessel
