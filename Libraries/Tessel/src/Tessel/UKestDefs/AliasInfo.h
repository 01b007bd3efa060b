// The description of one alias as a source reports it, and the lists that collect such descriptions.
#pragma once

#include "Tessel/UKestDefs/Enumerations.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace Tessel {

struct TAliasInfo {
    QString sName;        // the alias name as the source knows it
    QVariant vValue;      // its current value
    QString sDescription; // human-readable description
    QString sSource;      // name of the source that supplied it
    TAliasStatus Status;  // [scHasValue] when filled by a source
};
using PAliasInfo = TAliasInfo*;
using TAliasInfoList = QList<TAliasInfo>;

// Fills the record AAliasInfo points to; does nothing when it is null.
void FillAliasInfo(const QString& AName, const QVariant& AValue, const QString& ADescription,
                   PAliasInfo AAliasInfo, TAliasStatus AStatus, const QString& ASource);
// Appends a blank record to AList and returns it; the pointer is valid until the list grows again.
PAliasInfo AppendAliasInfo(TAliasInfoList& AList);

} // namespace Tessel
