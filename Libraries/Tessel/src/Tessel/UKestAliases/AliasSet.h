// An alias set: a named, ordered list of alias sources and the expansion of %Name% references in a
// text against them.
#pragma once

#include "Tessel/UKestDefs/InterfacedObject.h"
#include "Tessel/UKestDefs/KestInterfaces.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace Tessel {

// Splits an alias name into the prefix that selects a source and the name handed on: at the first
// "|", or when there is none at the first "_"; without either the prefix is empty.
void SplitAliasName(const QString& AName, QString& APrefix, QString& AHandedOn);

class TKestAliases : public TKestImplements<IKestAliases> {
public:
    // The name is also the prefix by which alias names address this set.
    TKestAliases(const QString& AName, bool AReferenceCounted);
    ~TKestAliases() override;

    // Appends ASource unless the list holds it already; the list keeps a reference to it.
    void AddNameToValueSource(const TInterfaceRef<IKestAliases>& ASource);
    // Removes ASource when present.
    void RemoveNameToValueSource(const TInterfaceRef<IKestAliases>& ASource);
    int SourceCount() const { return int(FNameToValueSources.size()); }

    // Replaces every %Name% reference in AStr by the alias value; "%%" stays as it is. A reference
    // may carry options after a colon: S asks for text, T trims the value, F<format> formats a
    // number ("%Value:F8.3f%"). While it runs, GetNow answers ASpecificTime unless that is 0. An
    // unrecognised alias raises EKestAlias "Unrecognised alias "%s"", or without ARaise makes the
    // whole result "====="; any other failure without ARaise makes its reference "=====". With
    // AEnsureOnlyFileNameChars the result passes through ToFileNameChars, folder separators kept.
    QString ExpandAliases(const QString& AStr, bool AEnsureOnlyFileNameChars, double ASpecificTime,
                          bool ARaise);

    // The moment the set's time aliases show: the specific time of a running expansion, else now.
    double GetNow() const;
    bool InNameToValue() const { return FInNameToValue; }

    QVariant Aliases_NameToValue(const QString& AName, bool APreferStrings, PAliasInfo AAliasInfo) override;
    void Aliases_EnumerateAllAliases(TAliasInfoList& AliasInfoList) override;
    QString Aliases_GetSourceNamePrefix() override { return Name(); }
    bool Aliases_GetCanChange(const QString& AName) override;
    bool Aliases_ChangeValue(const QString& AName, const QVariant& AValue) override;

private:
    // The sources an alias name addresses, in list order, and the name to hand them.
    QList<TInterfaceRef<IKestAliases>> RoutedSources(const QString& AName, QString& AHandedOn) const;

    QList<TInterfaceRef<IKestAliases>> FNameToValueSources;
    double FSpecificTime = 0;
    bool FInNameToValue = false;
};

} // namespace Tessel
