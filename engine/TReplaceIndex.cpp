#include "engine/TReplaceIndex.h"

namespace Wrenfold {

namespace {

// Simple case folding unit by unit (pairs by code point): the folding that a comparison without
// regard to case applies, without the length changes of full folding.
QString Folded(QStringView AText) {
    QString result = AText.toString();
    QChar* data = result.data();
    const qsizetype size = result.size();
    for (qsizetype i = 0; i < size; ++i) {
        if (data[i].isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate()) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(data[i], data[i + 1]));
            data[i] = QChar(QChar::highSurrogate(folded));
            data[i + 1] = QChar(QChar::lowSurrogate(folded));
            ++i;
        } else if (data[i].unicode() < 0x80) {
            if (data[i] >= u'A' && data[i] <= u'Z') data[i] = QChar(data[i].unicode() + 32);
        } else {
            data[i] = data[i].toCaseFolded();
        }
    }
    return result;
}

} // namespace

TReplaceIndex::TReplaceIndex(const QStringList& AReplaceList) : FLines(AReplaceList) {
    FEntries.reserve(FLines.size());
    for (const QString& line : std::as_const(FLines)) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0) FEntries.push_back({Folded(QStringView(line).left(equals)), QStringView(line).mid(equals + 1)});
    }
}

QString TReplaceIndex::Value(QStringView AName) const {
    const QString name = Folded(AName);
    for (const TEntry& entry : FEntries)
        if (entry.FoldedName == name) return entry.Value.toString();
    return QString();
}

} // namespace Wrenfold
