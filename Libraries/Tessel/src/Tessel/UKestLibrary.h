// The library's general routines: one header per topic under UKestLibrary/.
#pragma once

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/Cancel.h"
#include "Tessel/UKestLibrary/CommandLine.h"
#include "Tessel/UKestLibrary/Debug.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/FloatFormatting.h"
#include "Tessel/UKestLibrary/FormatSettings.h"
#include "Tessel/UKestLibrary/NonPrintingTags.h"
#include "Tessel/UKestLibrary/NumericText.h"
#include "Tessel/UKestLibrary/PropertyAccess.h"
#include "Tessel/UKestLibrary/Status.h"
#include "Tessel/UKestLibrary/Stopwatch.h"
#include "Tessel/UKestLibrary/Strings.h"
#include "Tessel/UKestLibrary/UserLevels.h"
#include "Tessel/UKestLibrary/Variants.h"
#include "Tessel/UKestLibrary/Version.h"
