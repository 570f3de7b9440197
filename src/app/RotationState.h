#pragma once
// Where the rotation stopped, kept beside the options so the next run
// carries on from there: the place in the list, the shuffled deck, the
// history of shown pictures and the time of the last change. Each value
// stands alone: one that is missing or cannot be used gives its default
// and leaves the others as they are.
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

#include <cstdint>
#include <optional>
#include <string>

namespace RotationNames {
inline constexpr const char* Position = "rotationposition";
inline constexpr const char* Deck = "shuffledeck";
inline constexpr const char* History = "shownhistory";
inline constexpr const char* LastChange = "lastchange";
} // namespace RotationNames

struct TRotationState {
    int32_t Position = 0;
    std::string Deck;
    std::string History;
    std::optional<int64_t> LastChange;
};

// The stored state; values that cannot be read are left at their defaults.
TRotationState ReadRotationState(IRegistryFactory& registry);
// Writes the state into the existing settings key; raises the registry's
// error when a value is refused.
void WriteRotationState(IRegistryFactory& registry, const TRotationState& state);
