#include "platform/Registry.h"

#include "core/Exceptions.h"
#include "support/ErrorOf.h"

#include <gtest/gtest.h>
#include <string>

namespace {

// Each test works under its own key below HKCU\Software\TessivoTest, removed
// again at the end.
class RegistryTest : public testing::Test {
protected:
    RegistryTest()
        : Base("Software\\TessivoTest\\" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()))
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, Base.c_str());
    }
    ~RegistryTest() override
    {
        RegDeleteTreeA(HKEY_CURRENT_USER, Base.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TessivoTest");
    }

    // Sets a value of any type directly through advapi32.
    void PutRaw(const std::string& name, DWORD type, const void* data, DWORD size)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
        RegCloseKey(key);
    }
    // A REG_SZ value of UTF-16 units as they stand, valid Unicode or not.
    void PutWide(const std::string& name, const std::wstring& units)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, Base.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, std::wstring(name.begin(), name.end()).c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(units.c_str()),
                       static_cast<DWORD>((units.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
    // Type and size in bytes of a value as stored (UTF-16 for text).
    std::pair<DWORD, DWORD> RawTypeAndSize(const std::string& name)
    {
        DWORD type = 0, size = 0;
        RegGetValueW(HKEY_CURRENT_USER, std::wstring(Base.begin(), Base.end()).c_str(),
                     std::wstring(name.begin(), name.end()).c_str(), RRF_RT_ANY | RRF_NOEXPAND, &type,
                     nullptr, &size);
        return {type, size};
    }

    std::string Base;
    std::string FromRoot() const { return "\\" + Base; }
};

} // namespace

TEST_F(RegistryTest, StartsOnCurrentUserWithValueRightsAndNoKey)
{
    TRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(registry.Access(), static_cast<REGSAM>(KEY_QUERY_VALUE | KEY_SET_VALUE));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.ReadString("anything"), "");
}

TEST_F(RegistryTest, KeysAreOpenedWithTheRightsTheirUseNeedsAndNoMore)
{
    TRegistry writer;
    ASSERT_TRUE(writer.OpenKey(FromRoot() + "\\Child", true));
    writer.WriteString("v", "1");
    EXPECT_EQ(writer.ReadString("v"), "1");
    // Neither listing nor removing subkeys is among the rights asked for.
    char name[64];
    DWORD size = sizeof name;
    ASSERT_TRUE(writer.OpenKey(FromRoot(), false));
    EXPECT_EQ(RegEnumKeyExA(writer.CurrentKey(), 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_ACCESS_DENIED);
    // A key opened for reading refuses writes.
    TRegistry reader;
    ASSERT_TRUE(reader.OpenKeyReadOnly(FromRoot() + "\\Child"));
    EXPECT_EQ(reader.ReadString("v"), "1");
    EXPECT_THROW(reader.WriteString("v", "2"), ERegistryException);
    EXPECT_FALSE(reader.DeleteValue("v"));
}

TEST_F(RegistryTest, OpenKeyCreatesOnlyWhenAllowed)
{
    TRegistry registry;
    EXPECT_FALSE(registry.OpenKey(FromRoot(), false));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(registry.KeyExists(FromRoot()));
    ASSERT_TRUE(registry.OpenKey(FromRoot(), true));
    EXPECT_NE(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), Base);
    EXPECT_TRUE(registry.KeyExists(FromRoot()));
    // A second accessor opens the existing key without creating.
    TRegistry other;
    EXPECT_TRUE(other.OpenKey(FromRoot(), false));
}

TEST_F(RegistryTest, PathsAreFromTheRootOrRelativeToTheCurrentKey)
{
    TRegistry registry;
    // Relative with no key open: from the root.
    ASSERT_TRUE(registry.OpenKey(Base, true));
    EXPECT_EQ(registry.CurrentPath(), Base);
    // Relative to the current key.
    ASSERT_TRUE(registry.OpenKey("Child", true));
    EXPECT_EQ(registry.CurrentPath(), Base + "\\Child");
    EXPECT_TRUE(registry.KeyExists(FromRoot() + "\\Child"));
    ASSERT_TRUE(registry.OpenKey("Grandchild", true));
    EXPECT_TRUE(registry.KeyExists(FromRoot() + "\\Child\\Grandchild"));
    EXPECT_FALSE(registry.KeyExists(FromRoot() + "\\Grandchild"));
    // A leading "\" goes back to the root.
    ASSERT_TRUE(registry.OpenKey(FromRoot(), false));
    EXPECT_EQ(registry.CurrentPath(), Base);
    // KeyExists resolves the same way and leaves the current key alone.
    const HKEY current = registry.CurrentKey();
    EXPECT_TRUE(registry.KeyExists("Child\\Grandchild"));
    EXPECT_FALSE(registry.KeyExists("Grandchild"));
    EXPECT_EQ(registry.CurrentKey(), current);
    EXPECT_EQ(registry.CurrentPath(), Base);
}

TEST_F(RegistryTest, FailedOpenKeepsTheCurrentKey)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot(), true));
    registry.WriteString("kept", "yes");
    const HKEY current = registry.CurrentKey();
    EXPECT_FALSE(registry.OpenKey("missing", false));
    EXPECT_EQ(registry.CurrentKey(), current);
    EXPECT_EQ(registry.CurrentPath(), Base);
    EXPECT_EQ(registry.ReadString("kept"), "yes");
}

TEST_F(RegistryTest, KeyPathsIgnoreLetterCase)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot() + "\\MixedCase", true));
    registry.WriteString("v", "1");
    std::string upper = FromRoot() + "\\MIXEDCASE";
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    TRegistry other;
    ASSERT_TRUE(other.OpenKey(upper, false));
    EXPECT_EQ(other.ReadString("V"), "1");
}

TEST_F(RegistryTest, WriteStringStoresRegSzWithItsNul)
{
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot(), true));
    registry.WriteString("text", "C:\\windows\\MyWallpaper.bmp");
    registry.WriteString("empty", "");
    // Text beyond ASCII, such as a program path in a profile folder
    // named "Łukasz", is kept whole.
    registry.WriteString("unicode", "C:\\Users\\\xc5\x81ukasz\\\xe5\xaf\x8c.exe");
    EXPECT_EQ(RawTypeAndSize("text"), std::make_pair(DWORD(REG_SZ), DWORD(27 * 2)));
    EXPECT_EQ(RawTypeAndSize("empty"), std::make_pair(DWORD(REG_SZ), DWORD(2)));
    EXPECT_EQ(registry.ReadString("text"), "C:\\windows\\MyWallpaper.bmp");
    EXPECT_EQ(registry.ReadString("empty"), "");
    EXPECT_EQ(registry.ReadString("unicode"), "C:\\Users\\\xc5\x81ukasz\\\xe5\xaf\x8c.exe");
    // Value names ignore letter case too.
    EXPECT_EQ(registry.ReadString("TEXT"), "C:\\windows\\MyWallpaper.bmp");
}

TEST_F(RegistryTest, ReadStringTakesStringTypesUpToTheFirstNul)
{
    PutRaw("expand", REG_EXPAND_SZ, "%WINDIR%\\x", 11);
    PutRaw("embedded", REG_SZ, "ab\0cd", 6);
    PutRaw("unterminated", REG_SZ, "abc", 3);
    PutRaw("zero", REG_SZ, "", 0);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot(), false));
    EXPECT_EQ(registry.ReadString("expand"), "%WINDIR%\\x");
    EXPECT_EQ(registry.ReadString("embedded"), "ab");
    EXPECT_EQ(registry.ReadString("unterminated"), "abc");
    EXPECT_EQ(registry.ReadString("zero"), "");
    EXPECT_EQ(registry.ReadString("missing"), "");
    // Half a surrogate pair, which no text holds, reads as U+FFFD.
    PutWide("broken", std::wstring{L'a', wchar_t(0xD83C), L'b'});
    EXPECT_EQ(registry.ReadString("broken"), "a\xef\xbf\xbd"
                                             "b");
    const std::string longText(5000, 'L');
    registry.WriteString("long", longText);
    EXPECT_EQ(registry.ReadString("long"), longText);
}

TEST_F(RegistryTest, ReadStringRejectsOtherTypesAndFailedReads)
{
    const DWORD number = 7;
    PutRaw("number", REG_DWORD, &number, sizeof number);
    PutRaw("binary", REG_BINARY, "ab", 2);
    PutRaw("multi", REG_MULTI_SZ, "a\0b\0", 5);
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot(), false));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.ReadString("number"); }),
              "Invalid data type for 'number'");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.ReadString("binary"); }),
              "Invalid data type for 'binary'");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.ReadString("multi"); }),
              "Invalid data type for 'multi'");
    // A key opened without the right to query cannot give its data.
    PutRaw("text", REG_SZ, "x", 2);
    TRegistry writeOnly(KEY_SET_VALUE);
    ASSERT_TRUE(writeOnly.OpenKey(FromRoot(), false));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { writeOnly.ReadString("text"); }),
              "Failed to get data for 'text'");
}

TEST_F(RegistryTest, WriteStringRaisesWhenRefusedOrNoKeyIsOpen)
{
    TRegistry registry;
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.WriteString("v", "1"); }),
              "Failed to set data for 'v'");
    // After a failed open: reads are empty, writes refused.
    EXPECT_FALSE(registry.OpenKey(FromRoot(), false));
    EXPECT_EQ(registry.ReadString("v"), "");
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { registry.WriteString("v", "1"); }),
              "Failed to set data for 'v'");
    // A key opened for reading only refuses the write.
    PutRaw("v", REG_SZ, "old", 4);
    TRegistry readOnly(KEY_READ);
    ASSERT_TRUE(readOnly.OpenKey(FromRoot(), false));
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { readOnly.WriteString("v", "new"); }),
              "Failed to set data for 'v'");
    EXPECT_EQ(readOnly.ReadString("v"), "old");
}

TEST_F(RegistryTest, AKeyDeletedWhileOpenIsMadeAgainOnlyWhenItMayBeCreated)
{
    TRegistry creating;
    ASSERT_TRUE(creating.OpenKey(FromRoot(), true));
    TRegistry existing;
    ASSERT_TRUE(existing.OpenKey(FromRoot(), false));
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, Base.c_str()), ERROR_SUCCESS);
    // The handle opened before the delete refuses writes: the key made for
    // it is gone.
    EXPECT_EQ(ErrorOf<ERegistryException>([&] { existing.WriteString("v", "1"); }),
              "Failed to set data for 'v'");
    creating.WriteString("v", "1");
    creating.WriteString("w", "2");
    // "1" and its NUL, two UTF-16 units each.
    EXPECT_EQ(RawTypeAndSize("v"), std::make_pair(DWORD{REG_SZ}, DWORD{4}));
    EXPECT_EQ(RawTypeAndSize("w"), std::make_pair(DWORD{REG_SZ}, DWORD{4}));
}

TEST_F(RegistryTest, DeleteValueReportsWhetherAValueWentAway)
{
    TRegistry registry;
    EXPECT_FALSE(registry.DeleteValue("v"));
    ASSERT_TRUE(registry.OpenKey(FromRoot(), true));
    registry.WriteString("v", "1");
    EXPECT_TRUE(registry.DeleteValue("v"));
    EXPECT_EQ(registry.ReadString("v"), "");
    EXPECT_FALSE(registry.DeleteValue("v"));
}

TEST_F(RegistryTest, KeysAreClosedWhenReplacedRootChangedOrAccessorFreed)
{
    // A closed handle is refused by RegCloseKey; one still open would be
    // accepted (and closed by the check itself).
    HKEY first = nullptr;
    HKEY second = nullptr;
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(FromRoot(), true));
        first = registry.CurrentKey();
        ASSERT_TRUE(registry.OpenKey("Child", true));
        second = registry.CurrentKey();
        EXPECT_EQ(RegCloseKey(first), ERROR_INVALID_HANDLE);
    }
    EXPECT_EQ(RegCloseKey(second), ERROR_INVALID_HANDLE);

    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FromRoot(), false));
    const HKEY opened = registry.CurrentKey();
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_EQ(RegCloseKey(opened), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryTest, FactoryGivesAccessorsOnEachRoot)
{
    TRegistryFactory factory;
    auto user = factory.NewRegistry(TRegistryRoot::CurrentUser);
    auto machine = factory.NewRegistry(TRegistryRoot::LocalMachine);
    EXPECT_EQ(static_cast<TRegistry&>(*user).RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(static_cast<TRegistry&>(*machine).RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_TRUE(machine->KeyExists("\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion"));
    EXPECT_TRUE(user->KeyExists("\\Control Panel\\Desktop"));
    ASSERT_TRUE(user->OpenKey(FromRoot(), true));
    user->WriteString("through", "interface");
    EXPECT_EQ(user->ReadString("through"), "interface");
}
