#pragma once
// The registry accessor over advapi32: one root, one current key at a time,
// string values only. The current key is closed when another is opened, when
// the root changes and when the accessor is destroyed, on every path.

#include "platform/RegistryAccess.h"

#include <string>
#include <windows.h>

// The rights OpenKey asks for: reading and setting values of the key, no
// more. A standard user may hold these where full access is refused, and a
// key opened for less cannot be misused for more.
inline constexpr REGSAM ValueAccess = KEY_QUERY_VALUE | KEY_SET_VALUE;

// Read rights used to test whether a key exists:
// STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS.
inline constexpr REGSAM KeyExistsAccess = 0x20009;

// Owns an opened registry key; never closes a predefined root.
class TRegistryKey {
public:
    TRegistryKey() = default;
    explicit TRegistryKey(HKEY key) : Key(key) {}
    ~TRegistryKey() { Close(); }
    TRegistryKey(TRegistryKey&& other) noexcept : Key(other.Release()) {}
    TRegistryKey& operator=(TRegistryKey&& other) noexcept;
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;

    HKEY Get() const { return Key; }
    explicit operator bool() const { return Key != nullptr; }
    HKEY Release();
    void Close();

private:
    HKEY Key = nullptr;
};

class TRegistry : public IRegistryAccessor {
public:
    // Root HKEY_CURRENT_USER, ValueAccess, no key open.
    TRegistry() = default;
    explicit TRegistry(REGSAM access) : AccessRights(access) {}
    ~TRegistry() override = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;

    HKEY RootKey() const { return Root; }
    // Changing the root closes the current key.
    void SetRootKey(HKEY root);
    REGSAM Access() const { return AccessRights; }
    // The rights later OpenKey calls ask for.
    void SetAccess(REGSAM access) { AccessRights = access; }
    // The open key (nullptr when none) and its path from the root, without a
    // leading "\".
    HKEY CurrentKey() const { return Current.Get(); }
    const std::string& CurrentPath() const { return Path; }

    bool OpenKey(const std::string& path, bool canCreate) override;
    bool OpenKeyReadOnly(const std::string& path) override;
    bool KeyExists(const std::string& path) override;
    std::string ReadString(const std::string& name) override;
    void WriteString(const std::string& name, const std::string& value) override;
    std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override;
    void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) override;
    bool DeleteValue(const std::string& name) override;
    void CloseKey() override;

private:
    // The key a path is taken from, and the path relative to it.
    struct TResolvedPath {
        HKEY Base;
        std::string Relative;
        std::string FromRoot;
    };
    TResolvedPath Resolve(const std::string& path) const;
    bool Open(const std::string& path, bool canCreate, REGSAM access);
    LONG SetValue(const std::wstring& name, DWORD type, const BYTE* data, DWORD size);

    HKEY Root = HKEY_CURRENT_USER;
    REGSAM AccessRights = ValueAccess;
    TRegistryKey Current;
    std::string Path;
    // The current key was opened with canCreate: a write that finds it
    // deleted meanwhile makes it afresh.
    bool CreateOnWrite = false;
};

// Makes TRegistry accessors on the real roots.
class TRegistryFactory : public IRegistryFactory {
public:
    std::unique_ptr<IRegistryAccessor> NewRegistry(TRegistryRoot root) override;
};

// The predefined key for a root.
HKEY RootKeyOf(TRegistryRoot root);
