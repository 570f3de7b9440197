#pragma once
// The commands a second start hands to the running copy, as the bytes of
// one WM_COPYDATA message. The receiver cannot trust those bytes (any
// program may send the message), so the format is small, versioned and
// bounded, and reading checks every count and length against the bytes
// really there.
//
// Layout, little-endian:
//   "TsvC" (4 bytes), version (u16, 1), command count (u16)
//   per command: kind (u8), path count (u16), per path: length (u16), bytes
// A path holds no NUL; only a switch that takes paths carries them.
//
// Portable: no Windows header.

#include "core/Commands.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// The COPYDATASTRUCT's dwData that marks the message as this format.
inline constexpr uint32_t CommandMessageTag = 0x43767354; // "TsvC"

// What one message may hold. A command line is at most 32 767 characters,
// so whatever a real start sends fits.
inline constexpr size_t MaxMessageCommands = 256;
inline constexpr size_t MaxMessagePaths = 16384;
inline constexpr size_t MaxMessagePathLength = 32767;
inline constexpr size_t MaxMessageBytes = 1024 * 1024;

// The message for `commands`. Commands beyond the bounds (more commands or
// paths, longer paths, a path with a NUL) are not sent: raises
// ECommandLineError, since they could only come from a hostile or broken
// command line.
std::vector<uint8_t> EncodeCommandMessage(const std::vector<TCommand>& commands);

// The commands of a message; nothing when the bytes are not a well-formed
// message of this version within the bounds (wrong size, a kind none of
// `switches` gives, paths for one that takes none, counts or lengths past
// the end, bytes left over).
std::optional<std::vector<TCommand>> DecodeCommandMessage(std::span<const uint8_t> bytes, TSwitches switches);
