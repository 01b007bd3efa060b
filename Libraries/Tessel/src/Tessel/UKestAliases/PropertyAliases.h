// An alias source over an object's published properties: each property is an alias, read and
// written by name.
#pragma once

#include "Tessel/UKestDefs/InterfacedObject.h"
#include "Tessel/UKestDefs/KestInterfaces.h"

#include <QMetaProperty>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

namespace Tessel {

struct TPropertyInfo {
    QString Name;           // the property name as published
    QMetaProperty PropInfo; // how to read and write it
    QString Description;    // "Property '<name>'" until a description is set
};

// Made with reference counting off: its owner frees it.
class TKestPropertyAliases : public QObject, public TKestImplements<IKestAliases> {
    Q_OBJECT
public:
    // The aliases are the published properties of AInstance, or of this source itself without one.
    explicit TKestPropertyAliases(const QString& AName, QObject* AInstance = nullptr);
    ~TKestPropertyAliases() override;

    QObject* Instance() const { return FInstance; }
    // The entry of that name (letter case ignored), or null.
    TPropertyInfo* FindPropertyInfo(const QString& AName);
    // Raises EKestAlias "Unable to locate property name "%s"" for a name not in the list.
    void SetPropertyDescription(const QString& AName, const QString& ADescription);

    // Strips a leading "<Name>_" before looking the property up.
    QVariant Aliases_NameToValue(const QString& AName, bool APreferStrings, PAliasInfo AAliasInfo) override;
    // One record per property in name order; a property without a value leaves a blank record.
    void Aliases_EnumerateAllAliases(TAliasInfoList& AliasInfoList) override;
    QString Aliases_GetSourceNamePrefix() override { return Name(); }
    bool Aliases_GetCanChange(const QString& AName) override;
    // Writes the property of that name; raises the read-only error for a property without writer.
    bool Aliases_ChangeValue(const QString& AName, const QVariant& AValue) override;

private:
    // Sorted by name without regard to case. Built on first use, when the instance's class (also a
    // class derived from this one) is complete.
    const std::vector<std::unique_ptr<TPropertyInfo>>& PropertyList();

    QObject* FInstance;
    std::vector<std::unique_ptr<TPropertyInfo>> FPropertyList;
    bool FListBuilt = false;
};

} // namespace Tessel
