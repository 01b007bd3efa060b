// Qt texts, lists of texts and bytes as GoogleTest prints them in failure messages.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

// "text", as UTF-8.
void PrintTo(const QString& AText, std::ostream* AOut);
// ["one", "two", ]
void PrintTo(const QStringList& AList, std::ostream* AOut);
// "bytes", with quotes, backslashes and bytes outside printable ASCII as escapes.
void PrintTo(const QByteArray& ABytes, std::ostream* AOut);
