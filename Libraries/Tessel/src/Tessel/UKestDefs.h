// Declarations the library's units share: exception classes, interfaces, enumerations and records.
#pragma once

#include "Tessel/UKestDefs/AliasInfo.h"
#include "Tessel/UKestDefs/Enumerations.h"
#include "Tessel/UKestDefs/Exceptions.h"
#include "Tessel/UKestDefs/FloatFormatRecords.h"
#include "Tessel/UKestDefs/InterfacedObject.h"
#include "Tessel/UKestDefs/KestInterfaces.h"
#include "Tessel/UKestDefs/Metrics.h"
