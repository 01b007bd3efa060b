// Aliases: %Name% references in texts expanded against ordered sets of alias sources, the sources
// over an object's published properties, and the program-wide set with its common aliases.
#pragma once

#include "Tessel/UKestAliases/AliasSet.h"
#include "Tessel/UKestAliases/CommonAliases.h"
#include "Tessel/UKestAliases/PropertyAliases.h"
#include "Tessel/UKestDefs/Exceptions.h"
