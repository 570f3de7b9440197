#include "core/CommandMessage.h"

#include <gtest/gtest.h>

namespace {

// A command line's switches, as a program's command table gives them.
const TSwitch Switches[] = {
    {"next", TCommandKind::Next, false},   {"previous", TCommandKind::Previous, false},
    {"pause", TCommandKind::Pause, false}, {"resume", TCommandKind::Resume, false},
    {"show", TCommandKind::Show, false},   {"add", TCommandKind::Add, true}};

std::optional<std::vector<TCommand>> Decode(std::span<const uint8_t> bytes)
{
    return DecodeCommandMessage(bytes, Switches);
}

const std::vector<TCommand> Sample{{TCommandKind::Previous, {}},
                                   {TCommandKind::Add, {"C:\\My Pictures", "D:\\x\xE9.jpg"}},
                                   {TCommandKind::Pause, {}}};

} // namespace

TEST(CommandMessage, CarriesCommandsAndPathsUnchanged)
{
    const std::vector<uint8_t> bytes = EncodeCommandMessage(Sample);
    EXPECT_EQ(Decode(bytes), Sample);
    EXPECT_EQ(Decode(EncodeCommandMessage({})), std::vector<TCommand>{});
    // The layout is fixed: magic, version, count, then the commands.
    const std::vector<uint8_t> next = EncodeCommandMessage({{TCommandKind::Next, {}}});
    EXPECT_EQ(next, (std::vector<uint8_t>{'T', 's', 'v', 'C', 1, 0, 1, 0, 1, 0, 0}));
}

TEST(CommandMessage, ReceiverRejectsEveryMalformedMessage)
{
    const std::vector<uint8_t> good = EncodeCommandMessage(Sample);
    // Every cut short, and one byte too many.
    for (size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(Decode(std::span(good.data(), size))) << size;
    std::vector<uint8_t> longer = good;
    longer.push_back(0);
    EXPECT_FALSE(Decode(longer));

    const auto patched = [&](size_t at, uint8_t value) {
        std::vector<uint8_t> bytes = good;
        bytes[at] = value;
        return Decode(bytes);
    };
    EXPECT_FALSE(patched(0, 'X'));  // magic
    EXPECT_FALSE(patched(4, 2));    // version
    EXPECT_FALSE(patched(6, 200));  // more commands than there are
    EXPECT_FALSE(patched(7, 0xFF)); // more commands than allowed
    EXPECT_FALSE(patched(8, 0));    // unknown kind
    EXPECT_FALSE(patched(8, 7));
    EXPECT_FALSE(patched(9, 1));     // paths for "previous"
    EXPECT_FALSE(patched(12, 0x90)); // a path count past the end
    EXPECT_FALSE(patched(14, 0xFF)); // a path length past the end
    EXPECT_FALSE(patched(16, 0));    // a NUL inside a path

    // A path of length 0.
    std::vector<uint8_t> empty{'T', 's', 'v', 'C', 1, 0, 1, 0, 6, 1, 0, 0, 0};
    EXPECT_FALSE(Decode(empty));
}

TEST(CommandMessage, SenderRefusesWhatTheReceiverWouldReject)
{
    EXPECT_THROW(EncodeCommandMessage({{TCommandKind::Add, {std::string("a\0b", 3)}}}), ECommandLineError);
    EXPECT_THROW(EncodeCommandMessage({{TCommandKind::Add, {std::string(MaxMessagePathLength + 1, 'a')}}}),
                 ECommandLineError);
    EXPECT_THROW(
        EncodeCommandMessage(std::vector<TCommand>(MaxMessageCommands + 1, TCommand{TCommandKind::Next, {}})),
        ECommandLineError);
    const std::vector<TCommand> longest{{TCommandKind::Add, {std::string(MaxMessagePathLength, 'a')}}};
    EXPECT_EQ(Decode(EncodeCommandMessage(longest)), longest);
}
