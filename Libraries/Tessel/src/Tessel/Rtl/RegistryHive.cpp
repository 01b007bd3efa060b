#include "Tessel/Rtl/RegistryHive.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <limits>

namespace Tessel {

QString FoldRegistryName(const QString& AName) {
    // One character for one, as the platform compares names: no full case mapping ("ß" stays).
    QString folded(AName);
    for (QChar& c : folded)
        c = c.toUpper();
    return folded;
}

namespace {

template <typename TItem, typename TNameOf>
auto LowerBound(std::vector<TItem>& AItems, const QString& AFolded, TNameOf ANameOf) {
    return std::lower_bound(
        AItems.begin(), AItems.end(), AFolded,
        [&](const TItem& AItem, const QString& AKey) { return FoldRegistryName(ANameOf(AItem)) < AKey; });
}

template <typename TItem, typename TNameOf>
TItem* FindIn(std::vector<TItem>& AItems, const QString& AName, TNameOf ANameOf) {
    const QString folded = FoldRegistryName(AName);
    const auto at = LowerBound(AItems, folded, ANameOf);
    return at != AItems.end() && FoldRegistryName(ANameOf(*at)) == folded ? &*at : nullptr;
}

const QString& KeyName(const TRegistryHive::TKey& AKey) {
    return AKey.Name;
}
const QString& ValueName(const std::pair<QString, TRegValue>& AValue) {
    return AValue.first;
}

} // namespace

TRegistryHive::TKey* TRegistryHive::TKey::SubKey(const QString& AName) {
    return FindIn(Keys, AName, KeyName);
}

const TRegistryHive::TKey* TRegistryHive::TKey::SubKey(const QString& AName) const {
    return const_cast<TKey*>(this)->SubKey(AName);
}

TRegistryHive::TKey& TRegistryHive::TKey::AddSubKey(const QString& AName) {
    if (TKey* existing = SubKey(AName)) return *existing;
    const auto at = LowerBound(Keys, FoldRegistryName(AName), KeyName);
    return *Keys.insert(at, TKey{AName, {}, {}});
}

bool TRegistryHive::TKey::RemoveSubKey(const QString& AName) {
    TKey* key = SubKey(AName);
    if (!key) return false;
    Keys.erase(Keys.begin() + (key - Keys.data()));
    return true;
}

const TRegValue* TRegistryHive::TKey::Value(const QString& AName) const {
    auto* entry = FindIn(const_cast<TKey*>(this)->Values, AName, ValueName);
    return entry ? &entry->second : nullptr;
}

void TRegistryHive::TKey::SetValue(const QString& AName, const TRegValue& AValue) {
    if (auto* entry = FindIn(Values, AName, ValueName)) {
        entry->second = AValue;
        return;
    }
    Values.insert(LowerBound(Values, FoldRegistryName(AName), ValueName), {AName, AValue});
}

bool TRegistryHive::TKey::RemoveValue(const QString& AName) {
    auto* entry = FindIn(Values, AName, ValueName);
    if (!entry) return false;
    Values.erase(Values.begin() + (entry - Values.data()));
    return true;
}

QStringList TRegistryHive::TKey::KeyNames() const {
    QStringList names;
    for (const TKey& key : Keys)
        names.append(key.Name);
    return names;
}

QStringList TRegistryHive::TKey::ValueNames() const {
    QStringList names;
    for (const auto& value : Values)
        names.append(value.first);
    return names;
}

TRegistryHive::TKey* TRegistryHive::FindKey(const QStringList& APath) {
    TKey* key = &Root;
    for (const QString& name : APath)
        if (!(key = key->SubKey(name))) return nullptr;
    return key;
}

const TRegistryHive::TKey* TRegistryHive::FindKey(const QStringList& APath) const {
    return const_cast<TRegistryHive*>(this)->FindKey(APath);
}

TRegistryHive::TKey& TRegistryHive::CreateKey(const QStringList& APath) {
    TKey* key = &Root;
    for (const QString& name : APath)
        key = &key->AddSubKey(name);
    return *key;
}

bool TRegistryHive::DeleteKey(const QStringList& APath) {
    if (APath.isEmpty()) return false;
    TKey* parent = FindKey(APath.mid(0, APath.size() - 1));
    return parent && parent->RemoveSubKey(APath.last());
}

namespace {

const QString KeysMember = QStringLiteral("keys");
const QString ValuesMember = QStringLiteral("values");
constexpr int FormatVersion = 1;

QJsonObject KeyToJson(const TRegistryHive::TKey& AKey) {
    QJsonObject object;
    if (!AKey.Keys.empty()) {
        QJsonObject keys;
        for (const auto& key : AKey.Keys)
            keys.insert(key.Name, KeyToJson(key));
        object.insert(KeysMember, keys);
    }
    if (!AKey.Values.empty()) {
        QJsonObject values;
        for (const auto& [name, value] : AKey.Values)
            values.insert(name, value.DataType == TRegDataType::rdInteger ? QJsonValue(qint64(value.Integer))
                                                                          : QJsonValue(value.Text));
        object.insert(ValuesMember, values);
    }
    return object;
}

struct TParseError {
    QString Reason;
};

QString Quoted(const QString& AText) {
    return QLatin1Char('"') + AText + QLatin1Char('"');
}

QString KeyText(const QStringList& APath) {
    return APath.isEmpty() ? QStringLiteral("the root key")
                           : QStringLiteral("key ") + Quoted(APath.join(u'\\'));
}

std::optional<TRegValue> ValueFromJson(const QJsonValue& AValue) {
    if (AValue.isString()) return TRegValue::FromString(AValue.toString());
    if (!AValue.isDouble()) return std::nullopt;
    const double number = AValue.toDouble();
    if (number != std::trunc(number) || number < std::numeric_limits<int32_t>::min() ||
        number > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return TRegValue::FromInteger(int32_t(number));
}

void KeyFromJson(const QJsonObject& AObject, const QStringList& APath, TRegistryHive::TKey& AKey) {
    for (auto member = AObject.begin(); member != AObject.end(); ++member)
        if (member.key() != KeysMember && member.key() != ValuesMember)
            throw TParseError{KeyText(APath) + QStringLiteral(" has an unknown member ") +
                              Quoted(member.key())};
    const QJsonValue keys = AObject.value(KeysMember);
    if (!keys.isUndefined() && !keys.isObject())
        throw TParseError{QStringLiteral("the subkeys of %1 are not an object").arg(KeyText(APath))};
    const QJsonObject subkeys = keys.toObject();
    for (auto subkey = subkeys.begin(); subkey != subkeys.end(); ++subkey) {
        const QString& name = subkey.key();
        if (name.isEmpty() || name.contains(u'\\'))
            throw TParseError{KeyText(APath) + QStringLiteral(" has a subkey named ") + Quoted(name)};
        if (AKey.SubKey(name))
            throw TParseError{KeyText(APath) + QStringLiteral(" has two subkeys named ") + Quoted(name)};
        if (!subkey.value().isObject())
            throw TParseError{KeyText(APath + QStringList{name}) + QStringLiteral(" is not an object")};
        KeyFromJson(subkey.value().toObject(), APath + QStringList{name}, AKey.AddSubKey(name));
    }
    const QJsonValue values = AObject.value(ValuesMember);
    if (!values.isUndefined() && !values.isObject())
        throw TParseError{QStringLiteral("the values of %1 are not an object").arg(KeyText(APath))};
    const QJsonObject valueObject = values.toObject();
    for (auto value = valueObject.begin(); value != valueObject.end(); ++value) {
        if (AKey.Value(value.key()))
            throw TParseError{KeyText(APath) + QStringLiteral(" has two values named ") +
                              Quoted(value.key())};
        const std::optional<TRegValue> parsed = ValueFromJson(value.value());
        if (!parsed)
            throw TParseError{QStringLiteral("value %1 of %2 is neither a 32-bit integer nor a text")
                                  .arg(Quoted(value.key()), KeyText(APath))};
        AKey.SetValue(value.key(), *parsed);
    }
}

} // namespace

QByteArray TRegistryHive::ToJson(const QString& ARootName) const {
    QJsonObject document;
    document.insert(QStringLiteral("hive"), ARootName);
    document.insert(QStringLiteral("version"), FormatVersion);
    document.insert(QStringLiteral("root"), KeyToJson(Root));
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

std::optional<TRegistryHive> TRegistryHive::FromJson(const QByteArray& AText, QString& AError) {
    TRegistryHive hive;
    if (AText.trimmed().isEmpty()) return hive;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(AText, &error);
    try {
        if (error.error != QJsonParseError::NoError)
            throw TParseError{QStringLiteral("%1 at offset %2").arg(error.errorString()).arg(error.offset)};
        if (!document.isObject()) throw TParseError{QStringLiteral("the document is not an object")};
        const QJsonObject top = document.object();
        for (auto member = top.begin(); member != top.end(); ++member)
            if (member.key() != u"hive" && member.key() != u"version" && member.key() != u"root")
                throw TParseError{QStringLiteral("unknown member ") + Quoted(member.key())};
        const QJsonValue version = top.value(QStringLiteral("version"));
        if (!version.isDouble() || version.toDouble() != FormatVersion)
            throw TParseError{version.isDouble()
                                  ? QStringLiteral("unsupported version %1").arg(version.toDouble())
                                  : QStringLiteral("no version number")};
        const QJsonValue root = top.value(QStringLiteral("root"));
        if (!root.isObject()) throw TParseError{QStringLiteral("the root key is missing")};
        KeyFromJson(root.toObject(), {}, hive.Root);
    } catch (const TParseError& AFailure) {
        AError = AFailure.Reason;
        return std::nullopt;
    }
    return hive;
}

} // namespace Tessel
