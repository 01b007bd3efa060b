// A registry hive held in memory: the tree of keys and typed values below one root key, and its
// text form.
#pragma once

#include "Tessel/Rtl/RegistryBackend.h"

#include <QByteArray>

#include <optional>
#include <utility>
#include <vector>

namespace Tessel {

// The text form is a JSON document:
//
//     {
//         "hive": "HKEY_CURRENT_USER",
//         "version": 1,
//         "root": {
//             "keys": {
//                 "Software": {
//                     "keys": { "KEST Products": { ... } },
//                     "values": { "Enabled": 1, "Title": "A text" }
//                 }
//             }
//         }
//     }
//
// A key is an object holding its subkeys under "keys" and its values under "values", each left out
// when empty. A value is a JSON integer (a 32-bit integer value; a Boolean is stored as 1 or 0) or a
// JSON string (a text value). "hive" names the root key for the reader and is not checked. Reading
// is strict, so that a hand-edited file is never half understood and then written back short: any
// other member, value type or version, an empty key name, a key name holding "\" and two names of
// one level differing only in letter case make the document damaged.
class TRegistryHive {
public:
    struct TKey {
        QString Name;
        // Both kept in enumeration order: sorted by name without regard to letter case.
        std::vector<TKey> Keys;
        std::vector<std::pair<QString, TRegValue>> Values;

        TKey* SubKey(const QString& AName);
        const TKey* SubKey(const QString& AName) const;
        // The subkey of that name, made when missing.
        TKey& AddSubKey(const QString& AName);
        bool RemoveSubKey(const QString& AName);
        const TRegValue* Value(const QString& AName) const;
        // Sets the value; the name keeps the case it had when the value was first made.
        void SetValue(const QString& AName, const TRegValue& AValue);
        bool RemoveValue(const QString& AName);
        QStringList KeyNames() const;
        QStringList ValueNames() const;
    };

    TKey Root;

    TKey* FindKey(const QStringList& APath);
    const TKey* FindKey(const QStringList& APath) const;
    // The key, made with any missing parents.
    TKey& CreateKey(const QStringList& APath);
    // Removes the key with everything below it; false when it does not exist or is the root.
    bool DeleteKey(const QStringList& APath);

    QByteArray ToJson(const QString& ARootName) const;
    // The hive the text describes; none for a damaged text, with the reason in AError. An empty text
    // (or only blanks) is an empty hive.
    static std::optional<TRegistryHive> FromJson(const QByteArray& AText, QString& AError);
};

// The form of a name that letter case does not change; two names are one when these are equal.
QString FoldRegistryName(const QString& AName);

} // namespace Tessel
