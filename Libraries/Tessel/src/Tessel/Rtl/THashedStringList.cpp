#include "Tessel/Rtl/THashedStringList.h"

#include "Tessel/Rtl/Exception.h"

namespace Tessel {

THashedStringList::THashedStringList(const QStringList& AStrings) {
    Assign(AStrings);
}

void THashedStringList::CheckIndex(int AIndex, int ALimit) const {
    if (AIndex < 0 || AIndex > ALimit)
        throw Exception(QStringLiteral("List index out of bounds (%1)").arg(AIndex));
}

void THashedStringList::Changed() {
    FValueHashValid = false;
    FNameHashValid = false;
}

void THashedStringList::SetString(int AIndex, const QString& AText) {
    CheckIndex(AIndex, Count() - 1);
    FItems[std::size_t(AIndex)].Text = AText;
    Changed();
}

int THashedStringList::Add(const QString& AText, void* AObject) {
    FItems.push_back(TItem{AText, AObject});
    Changed();
    return Count() - 1;
}

void THashedStringList::AddStrings(const QStringList& AStrings) {
    FItems.reserve(FItems.size() + std::size_t(AStrings.size()));
    for (const QString& text : AStrings)
        FItems.push_back(TItem{text, nullptr});
    Changed();
}

void THashedStringList::Insert(int AIndex, const QString& AText, void* AObject) {
    CheckIndex(AIndex, Count());
    FItems.insert(FItems.begin() + AIndex, TItem{AText, AObject});
    Changed();
}

void THashedStringList::Delete(int AIndex) {
    CheckIndex(AIndex, Count() - 1);
    FItems.erase(FItems.begin() + AIndex);
    Changed();
}

void THashedStringList::Clear() {
    FItems.clear();
    Changed();
}

void THashedStringList::Exchange(int AIndex1, int AIndex2) {
    CheckIndex(AIndex1, Count() - 1);
    CheckIndex(AIndex2, Count() - 1);
    std::swap(FItems[std::size_t(AIndex1)], FItems[std::size_t(AIndex2)]);
    Changed();
}

void THashedStringList::Assign(const QStringList& AStrings) {
    FItems.clear();
    AddStrings(AStrings);
}

QStringList THashedStringList::ToStringList() const {
    QStringList result;
    result.reserve(Count());
    for (const TItem& item : FItems)
        result.append(item.Text);
    return result;
}

QString THashedStringList::Names(int AIndex) const {
    const QString& text = Strings(AIndex);
    const qsizetype equals = text.indexOf(u'=');
    return equals < 0 ? QString() : text.left(equals);
}

void THashedStringList::SetCaseSensitive(bool AValue) {
    if (AValue == FCaseSensitive) return;
    FCaseSensitive = AValue;
    Changed();
}

int THashedStringList::IndexOf(const QString& AText) const {
    if (!FValueHashValid) {
        FValueHash.Clear();
        for (int i = 0; i < Count(); ++i)
            FValueHash.Add(HashKey(FItems[std::size_t(i)].Text), i);
        FValueHashValid = true;
    }
    return FValueHash.ValueOf(HashKey(AText));
}

int THashedStringList::IndexOfName(const QString& AName) const {
    if (!FNameHashValid) {
        FNameHash.Clear();
        for (int i = 0; i < Count(); ++i) {
            const QString& text = FItems[std::size_t(i)].Text;
            const qsizetype equals = text.indexOf(u'=');
            if (equals >= 0) FNameHash.Add(HashKey(text.left(equals)), i);
        }
        FNameHashValid = true;
    }
    return FNameHash.ValueOf(HashKey(AName));
}

QString THashedStringList::UpperCaseKey(const QString& AText) {
    QString result = AText;
    QChar* data = result.data();
    const qsizetype size = result.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = data[i];
        if (c.isHighSurrogate() && i + 1 < size && data[i + 1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(c, data[i + 1]));
            if (QChar::requiresSurrogates(upper)) {
                data[i] = QChar(QChar::highSurrogate(upper));
                data[i + 1] = QChar(QChar::lowSurrogate(upper));
            }
            ++i;
        } else if (!c.isSurrogate()) {
            data[i] = c.toUpper();
        }
    }
    return result;
}

} // namespace Tessel
