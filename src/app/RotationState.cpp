#include "app/RotationState.h"

#include "app/Settings.h"
#include "core/ChangeSchedule.h"

#include <charconv>

namespace {

std::optional<int32_t> ParsePosition(const std::string& text)
{
    int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < 0)
        return std::nullopt;
    return value;
}

} // namespace

TRotationState ReadRotationState(IRegistryFactory& registry)
{
    TRotationState state;
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return state;
    state.Position = ParsePosition(ReadStoredText(*settings, RotationNames::Position)).value_or(0);
    state.Deck = ReadStoredText(*settings, RotationNames::Deck);
    state.History = ReadStoredText(*settings, RotationNames::History);
    state.LastChange = ParseChangeTime(ReadStoredText(*settings, RotationNames::LastChange));
    return state;
}

void WriteRotationState(IRegistryFactory& registry, const TRotationState& state)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    settings->OpenKey(SettingsKeyPath, true);
    settings->WriteString(RotationNames::Position, std::to_string(state.Position));
    settings->WriteString(RotationNames::Deck, state.Deck);
    settings->WriteString(RotationNames::History, state.History);
    if (state.LastChange)
        settings->WriteString(RotationNames::LastChange, FormatChangeTime(*state.LastChange));
}
