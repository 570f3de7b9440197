// DLLs come from the system folder only: once the program has restricted the
// search, a DLL that lies only in the program's folder is not found by
// name, while the system's own still are.

#include "platform/SystemLibrary.h"

#include <gtest/gtest.h>

namespace {

// Loads the library by its bare name, as an import or a plain LoadLibrary
// would; whether it was found.
bool FoundByName(const wchar_t* name)
{
    HMODULE module = LoadLibraryW(name);
    if (module)
        FreeLibrary(module);
    return module != nullptr;
}

} // namespace

TEST(SystemLibrary, AfterTheRestrictionOnlyTheSystemFolderIsSearched)
{
    // The planted DLL is there to be found while the program's folder is searched.
    ASSERT_TRUE(FoundByName(L"tessivo_planted.dll"));
    EXPECT_TRUE(SearchDllsInSystemFolderOnly());
    EXPECT_FALSE(FoundByName(L"tessivo_planted.dll"));
    EXPECT_TRUE(FoundByName(L"dwmapi.dll"));

    const TSystemLibrary dwmapi(L"dwmapi.dll");
    EXPECT_TRUE(dwmapi.Loaded());
    EXPECT_NE(dwmapi.Get<void (*)()>("DwmSetWindowAttribute"), nullptr);
    const TSystemLibrary planted(L"tessivo_planted.dll");
    EXPECT_FALSE(planted.Loaded());
    EXPECT_EQ(planted.Get<void (*)()>("PlantedLibraryMarker"), nullptr);
    // Back to the system's defaults for the tests that follow in this process.
    using SetDefaultFunction = BOOL(WINAPI*)(DWORD);
    reinterpret_cast<SetDefaultFunction>(reinterpret_cast<void*>(GetProcAddress(
        GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")))(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
}
