#include "core/Shortcut.h"

#include <gtest/gtest.h>

TEST(Shortcut, TextsReadBackInAnyCaseAndOrder)
{
    using namespace ShortcutModifiers;
    for (const TShortcut& choice : ShortcutChoices())
        EXPECT_EQ(ParseShortcut(ShortcutText(choice)), choice) << ShortcutText(choice);
    EXPECT_EQ(ShortcutText({Ctrl | Alt | Shift, 0x27}), "Ctrl+Alt+Shift+Right");
    EXPECT_EQ(ParseShortcut("shift+CTRL+f12"), (TShortcut{Ctrl | Shift, 0x7B}));
    EXPECT_EQ(ParseShortcut("Win+Alt+7"), (TShortcut{Win | Alt, '7'}));
}

TEST(Shortcut, AnythingElseIsRefused)
{
    for (const char* text : {"", "Right", "Ctrl+", "Ctrl+Ctrl+A", "Ctrl+Alt+Shift+Rightish", "Meta+A",
                             "Ctrl+F13", "Ctrl+a+b", "+A", "Ctrl++"})
        EXPECT_FALSE(ParseShortcut(text).has_value()) << text;
}
