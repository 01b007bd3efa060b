// An ordered, unsorted string list with an object pointer per entry and hashed look-ups by text and by name.
#pragma once

#include "Tessel/Rtl/TStringHash.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace Tessel {

// Entries keep their order and may repeat. Each entry carries an object pointer that the list does not
// own. IndexOf and IndexOfName are served by two hash tables that are built on the first look-up that
// needs them and rebuilt after any change to the texts, the order or the case flag. Indices count
// from 0; -1 means "not found". When several entries match, the highest index is returned.
class THashedStringList {
public:
    THashedStringList() = default;
    explicit THashedStringList(const QStringList& AStrings);

    int Count() const { return int(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }

    const QString& Strings(int AIndex) const { return FItems.at(std::size_t(AIndex)).Text; }
    const QString& operator[](int AIndex) const { return Strings(AIndex); }
    // Replaces the text of an entry; its object stays.
    void SetString(int AIndex, const QString& AText);

    void* Objects(int AIndex) const { return FItems.at(std::size_t(AIndex)).Object; }
    void SetObject(int AIndex, void* AObject) { FItems.at(std::size_t(AIndex)).Object = AObject; }

    // Appends an entry and returns its index.
    int Add(const QString& AText, void* AObject = nullptr);
    void AddStrings(const QStringList& AStrings);
    // Inserts before AIndex (0..Count()).
    void Insert(int AIndex, const QString& AText, void* AObject = nullptr);
    void Delete(int AIndex);
    void Clear();
    void Exchange(int AIndex1, int AIndex2);
    // Replaces the whole content with AStrings (objects empty).
    void Assign(const QStringList& AStrings);
    QStringList ToStringList() const;

    // The text before the first "=", or an empty text when the entry has none.
    QString Names(int AIndex) const;

    // Without the flag, texts are compared after upper-casing both sides.
    bool CaseSensitive() const { return FCaseSensitive; }
    void SetCaseSensitive(bool AValue);

    // The index of an entry whose whole text equals AText, or -1.
    int IndexOf(const QString& AText) const;
    // The index of an entry whose text before its first "=" equals AName, or -1. Entries without "="
    // never match; nothing is trimmed.
    int IndexOfName(const QString& AName) const;

    // Upper-cases a text code point by code point (simple mapping, the same in every locale).
    static QString UpperCaseKey(const QString& AText);

private:
    struct TItem {
        QString Text;
        void* Object;
    };

    // Marks both hash tables stale; they are rebuilt on the next look-up.
    void Changed();
    QString HashKey(const QString& AText) const { return FCaseSensitive ? AText : UpperCaseKey(AText); }
    void CheckIndex(int AIndex, int ALimit) const;

    std::vector<TItem> FItems;
    bool FCaseSensitive = false;
    mutable TStringHash FValueHash;
    mutable TStringHash FNameHash;
    mutable bool FValueHashValid = false;
    mutable bool FNameHashValid = false;
};

} // namespace Tessel
