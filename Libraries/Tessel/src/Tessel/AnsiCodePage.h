// The system's 8-bit code page: Windows-1252, its five undefined bytes mapped to the C1 controls
// of the same number, so every byte sequence decodes and encodes back unchanged.
#pragma once

#include <QByteArray>
#include <QString>

namespace Tessel {

QString DecodeAnsi(const QByteArray& ABytes);
QString DecodeAnsi(const char* AData, qsizetype ALength);
// Characters the code page cannot hold are written as "?", as the platform's conversion does.
QByteArray EncodeAnsi(const QString& AText);

} // namespace Tessel
