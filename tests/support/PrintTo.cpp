#include "support/PrintTo.h"

void PrintTo(const QString& AText, std::ostream* AOut) {
    *AOut << '"' << AText.toStdString() << '"';
}

void PrintTo(const QStringList& AList, std::ostream* AOut) {
    *AOut << '[';
    for (const QString& text : AList)
        *AOut << '"' << text.toStdString() << "\", ";
    *AOut << ']';
}

void PrintTo(const QByteArray& ABytes, std::ostream* AOut) {
    static const char Hex[] = "0123456789ABCDEF";
    *AOut << '"';
    for (const char c : ABytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            *AOut << '\\' << c;
        else if (c == '\n')
            *AOut << "\\n";
        else if (c == '\r')
            *AOut << "\\r";
        else if (c == '\t')
            *AOut << "\\t";
        else if (byte < 0x20 || byte >= 0x7F)
            *AOut << "\\x" << Hex[byte >> 4] << Hex[byte & 0xF];
        else
            *AOut << c;
    }
    *AOut << '"';
}
