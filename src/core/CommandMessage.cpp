#include "core/CommandMessage.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::string_view Magic = "TsvC";
constexpr uint16_t Version = 1;

void PutU16(std::vector<uint8_t>& out, size_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

// Reads front to back; every read fails (returns false) rather than pass
// the end.
class TMessageReader {
public:
    explicit TMessageReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    bool U8(uint8_t& value)
    {
        if (left() < 1)
            return false;
        value = bytes_[pos_++];
        return true;
    }
    bool U16(size_t& value)
    {
        if (left() < 2)
            return false;
        value = static_cast<size_t>(bytes_[pos_]) | static_cast<size_t>(bytes_[pos_ + 1]) << 8;
        pos_ += 2;
        return true;
    }
    bool Text(size_t length, std::string& text)
    {
        if (left() < length)
            return false;
        text.assign(reinterpret_cast<const char*>(bytes_.data() + pos_), length);
        pos_ += length;
        return true;
    }
    bool AtEnd() const { return pos_ == bytes_.size(); }

private:
    size_t left() const { return bytes_.size() - pos_; }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

bool IsSendablePath(const std::string& path)
{
    return !path.empty() && path.size() <= MaxMessagePathLength && path.find('\0') == std::string::npos;
}

std::optional<TCommand> ReadCommand(TMessageReader& reader, size_t& pathsLeft, TSwitches switches)
{
    uint8_t kind = 0;
    size_t paths = 0;
    if (!reader.U8(kind) || !reader.U16(paths) || paths > pathsLeft)
        return std::nullopt;
    const TSwitch* known = SwitchOf(static_cast<TCommandKind>(kind), switches);
    if (!known || (paths > 0 && !known->TakesPaths))
        return std::nullopt;
    TCommand command{known->Kind, {}};
    pathsLeft -= paths;
    for (size_t i = 0; i < paths; ++i) {
        size_t length = 0;
        std::string path;
        if (!reader.U16(length) || !reader.Text(length, path) || !IsSendablePath(path))
            return std::nullopt;
        command.Paths.push_back(std::move(path));
    }
    return command;
}

} // namespace

std::vector<uint8_t> EncodeCommandMessage(const std::vector<TCommand>& commands)
{
    size_t paths = 0;
    for (const TCommand& command : commands)
        paths += command.Paths.size();
    if (commands.size() > MaxMessageCommands || paths > MaxMessagePaths)
        throw ECommandLineError::TooLongToPass();

    std::vector<uint8_t> out(Magic.begin(), Magic.end());
    PutU16(out, Version);
    PutU16(out, commands.size());
    for (const TCommand& command : commands) {
        out.push_back(static_cast<uint8_t>(command.Kind));
        PutU16(out, command.Paths.size());
        for (const std::string& path : command.Paths) {
            if (!IsSendablePath(path))
                throw ECommandLineError::TooLongToPass();
            PutU16(out, path.size());
            out.insert(out.end(), path.begin(), path.end());
        }
    }
    if (out.size() > MaxMessageBytes)
        throw ECommandLineError::TooLongToPass();
    return out;
}

std::optional<std::vector<TCommand>> DecodeCommandMessage(std::span<const uint8_t> bytes, TSwitches switches)
{
    if (bytes.size() < Magic.size() + 4 || bytes.size() > MaxMessageBytes ||
        !std::equal(Magic.begin(), Magic.end(), bytes.begin()))
        return std::nullopt;
    TMessageReader reader(bytes.subspan(Magic.size()));
    size_t version = 0;
    size_t count = 0;
    if (!reader.U16(version) || version != Version || !reader.U16(count) || count > MaxMessageCommands)
        return std::nullopt;
    std::vector<TCommand> commands;
    size_t pathsLeft = MaxMessagePaths;
    for (size_t i = 0; i < count; ++i) {
        std::optional<TCommand> command = ReadCommand(reader, pathsLeft, switches);
        if (!command)
            return std::nullopt;
        commands.push_back(std::move(*command));
    }
    if (!reader.AtEnd())
        return std::nullopt;
    return commands;
}
