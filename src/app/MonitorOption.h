#pragma once
// Whether each monitor gets a picture of its own ("permonitor", off unless
// "1"), kept beside the other options. The value stands alone: one that
// cannot be used is read as off and no other option changes.
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

inline constexpr const char* PerMonitorValueName = "permonitor";

bool ReadPerMonitorOption(IRegistryFactory& registry);
// Writes it into the settings key (made when missing); raises the
// registry's error when the value is refused.
void WritePerMonitorOption(IRegistryFactory& registry, bool perMonitor);
