// The interfaces one library unit implements and another calls: alias sources, INI files and
// notification clients.
#pragma once

#include "Tessel/UKestDefs/AliasInfo.h"
#include "Tessel/UKestDefs/Enumerations.h"
#include "Tessel/UKestDefs/InterfacedObject.h"

#include <QString>
#include <QVariant>

#include <cstdint>

namespace Tessel {

// A source of alias values.
class IKestAliases : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{5765D51D-B29B-441C-B5DC-7D2860E8C28F}");
    // The alias value, or an Empty variant when the source does not know AName; a source may fill
    // the record AAliasInfo points to when it finds a value.
    virtual QVariant Aliases_NameToValue(const QString& AName, bool APreferStrings,
                                         PAliasInfo AAliasInfo) = 0;
    // Appends one record per alias the source offers.
    virtual void Aliases_EnumerateAllAliases(TAliasInfoList& AliasInfoList) = 0;
    // The text by which an alias name addresses this one source.
    virtual QString Aliases_GetSourceNamePrefix() = 0;
    // Whether Aliases_ChangeValue may be used for AName.
    virtual bool Aliases_GetCanChange(const QString& AName) = 0;
    // True when this source took the new value.
    virtual bool Aliases_ChangeValue(const QString& AName, const QVariant& AValue) = 0;
};

// The part of an INI file that other units use.
class IKestINIFile : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{B201C840-F3D9-4E71-B189-FC8E6FE29320}");
    virtual void WriteString(const QString& ASection, const QString& AIdent, const QString& AValue) = 0;
    virtual QString ReadString(const QString& ASection, const QString& AIdent, const QString& ADefault) = 0;
    virtual int32_t ReadInteger(const QString& ASection, const QString& AIdent, int32_t ADefault) = 0;
    virtual void WriteInteger(const QString& ASection, const QString& AIdent, int32_t AValue) = 0;
    virtual void EraseSection(const QString& ASection) = 0;
};

// A client of the library's notifications.
class IKestTesselNotifications : public virtual IInterface {
public:
    static constexpr QUuid IID = GuidFromText("{521CE02D-7500-4246-9E74-1B73510CE435}");
    virtual void AfterChangedUserLevel(TUserLevel AUserLevel) = 0;
    virtual void AfterChangedOfflineState(bool AIsOffline) = 0;
};

} // namespace Tessel
