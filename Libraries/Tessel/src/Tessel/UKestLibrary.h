// The library's general routines: one header per topic under UKestLibrary/.
#pragma once

#include "Tessel/UKestDefs.h"
#include "Tessel/UKestLibrary/Files.h"
#include "Tessel/UKestLibrary/Strings.h"
