#include "platform/Registry.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"

#include <algorithm>
#include <vector>

TRegistryKey& TRegistryKey::operator=(TRegistryKey&& other) noexcept
{
    if (this != &other) {
        Close();
        Key = other.Release();
    }
    return *this;
}

HKEY TRegistryKey::Release()
{
    HKEY key = Key;
    Key = nullptr;
    return key;
}

void TRegistryKey::Close()
{
    if (Key != nullptr) {
        RegCloseKey(Key);
        Key = nullptr;
    }
}

void TRegistry::SetRootKey(HKEY root)
{
    CloseKey();
    Root = root;
}

TRegistry::TResolvedPath TRegistry::Resolve(const std::string& path) const
{
    if (!path.empty() && path.front() == '\\') {
        std::string fromRoot = path.substr(1);
        return {Root, fromRoot, fromRoot};
    }
    if (Current) {
        // Opened from the root by its whole path: the current key was opened
        // for its values only and holds no right to open or make keys.
        std::string fromRoot = Path.empty() ? path : path.empty() ? Path : Path + "\\" + path;
        return {Root, fromRoot, fromRoot};
    }
    return {Root, path, path};
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate)
{
    return Open(path, canCreate, AccessRights);
}

bool TRegistry::OpenKeyReadOnly(const std::string& path)
{
    return Open(path, false, KEY_READ);
}

bool TRegistry::Open(const std::string& path, bool canCreate, REGSAM access)
{
    const TResolvedPath resolved = Resolve(path);
    HKEY opened = nullptr;
    LONG result;
    if (canCreate && !resolved.Relative.empty()) {
        DWORD disposition = 0;
        result = RegCreateKeyExW(resolved.Base, WideFromUtf8(resolved.Relative).c_str(), 0, nullptr,
                                 REG_OPTION_NON_VOLATILE, access, nullptr, &opened, &disposition);
    } else {
        result = RegOpenKeyExW(resolved.Base, WideFromUtf8(resolved.Relative).c_str(), 0, access, &opened);
    }
    if (result != ERROR_SUCCESS)
        return false;
    // The old key is closed only now, after the open that may have been
    // relative to it.
    Current = TRegistryKey(opened);
    Path = resolved.FromRoot;
    CreateOnWrite = canCreate;
    return true;
}

bool TRegistry::KeyExists(const std::string& path)
{
    const TResolvedPath resolved = Resolve(path);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(resolved.Base, WideFromUtf8(resolved.Relative).c_str(), 0, KeyExistsAccess, &opened) !=
        ERROR_SUCCESS)
        return false;
    TRegistryKey probe(opened);
    return true;
}

std::string TRegistry::ReadString(const std::string& name)
{
    if (!Current)
        return {};
    // The size is asked first; a writer may change the value between the two
    // calls, so the read is retried a few times with the size then reported.
    const std::wstring wideName = WideFromUtf8(name);
    DWORD type = 0;
    DWORD size = 0;
    LONG result = RegQueryValueExW(Current.Get(), wideName.c_str(), nullptr, &type, nullptr, &size);
    // Sizes are in bytes; an odd size (a value written as bytes) is rounded up.
    std::vector<wchar_t> data;
    for (int attempt = 0; attempt < 4; ++attempt) {
        if (result == ERROR_FILE_NOT_FOUND)
            return {};
        if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA)
            throw ERegistryException::GetDataFailed(name);
        if (type != REG_SZ && type != REG_EXPAND_SZ)
            throw ERegistryException::InvalidDataType(name);
        if (attempt > 0 && result == ERROR_SUCCESS) {
            // A value that is not valid Unicode (anyone may write one) names
            // nothing of ours: it reads with U+FFFD rather than failing.
            std::wstring_view text(data.data(), size / sizeof(wchar_t));
            return Utf8FromWideReplacing(text.substr(0, text.find(L'\0')));
        }
        data.assign(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        result = RegQueryValueExW(Current.Get(), wideName.c_str(), nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &size);
        if (result == ERROR_SUCCESS)
            size = std::min<DWORD>(size, static_cast<DWORD>(data.size() * sizeof(wchar_t)));
    }
    throw ERegistryException::GetDataFailed(name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value)
{
    if (!Current)
        throw ERegistryException::SetDataFailed(name);
    const std::wstring wideValue = WideFromUtf8(value);
    const DWORD size = static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t));
    if (SetValue(WideFromUtf8(name), REG_SZ, reinterpret_cast<const BYTE*>(wideValue.c_str()), size) !=
        ERROR_SUCCESS)
        throw ERegistryException::SetDataFailed(name);
}

LONG TRegistry::SetValue(const std::wstring& name, DWORD type, const BYTE* data, DWORD size)
{
    LONG result = RegSetValueExW(Current.Get(), name.c_str(), 0, type, data, size);
    // A cleaner, a script or an uninstaller may delete the key while the
    // handle is open: the handle then refuses every write. A key the caller
    // was willing to create is made again and the write repeated once.
    if (result == ERROR_KEY_DELETED && CreateOnWrite && !Path.empty()) {
        HKEY made = nullptr;
        if (RegCreateKeyExW(Root, WideFromUtf8(Path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            AccessRights, nullptr, &made, nullptr) != ERROR_SUCCESS)
            return result;
        Current = TRegistryKey(made);
        result = RegSetValueExW(Current.Get(), name.c_str(), 0, type, data, size);
    }
    return result;
}

std::optional<std::vector<uint8_t>> TRegistry::ReadBinary(const std::string& name)
{
    if (!Current)
        return std::nullopt;
    // Binary values of the program's interest are small; a larger one is
    // read at its reported size.
    std::vector<uint8_t> data(64);
    const std::wstring wideName = WideFromUtf8(name);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD type = 0;
        DWORD size = static_cast<DWORD>(data.size());
        const LONG result =
            RegQueryValueExW(Current.Get(), wideName.c_str(), nullptr, &type, data.data(), &size);
        if (result == ERROR_MORE_DATA) {
            data.resize(size);
            continue;
        }
        if (result != ERROR_SUCCESS || type != REG_BINARY)
            return std::nullopt;
        data.resize(size);
        return data;
    }
    return std::nullopt;
}

void TRegistry::WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes)
{
    if (!Current || SetValue(WideFromUtf8(name), REG_BINARY, bytes.data(),
                             static_cast<DWORD>(bytes.size())) != ERROR_SUCCESS)
        throw ERegistryException::SetDataFailed(name);
}

bool TRegistry::DeleteValue(const std::string& name)
{
    return Current && RegDeleteValueW(Current.Get(), WideFromUtf8(name).c_str()) == ERROR_SUCCESS;
}

void TRegistry::CloseKey()
{
    Current.Close();
    Path.clear();
    CreateOnWrite = false;
}

HKEY RootKeyOf(TRegistryRoot root)
{
    return root == TRegistryRoot::LocalMachine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

std::unique_ptr<IRegistryAccessor> TRegistryFactory::NewRegistry(TRegistryRoot root)
{
    auto registry = std::make_unique<TRegistry>();
    registry->SetRootKey(RootKeyOf(root));
    return registry;
}
