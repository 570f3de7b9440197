#pragma once
// An in-memory registry for tests of code that takes IRegistryFactory: keys
// by path with letter case ignored (as in the real registry), string values,
// a journal of every call in order, value names whose writes are refused,
// values of another type than string, and roots a standard user may only
// read (the machine's keys on current Windows).
//
// Portable: no Windows header.

#include "core/Exceptions.h"
#include "platform/FakeSystemGuard.h"
#include "platform/RegistryAccess.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

class TFakeRegistry : public IRegistryFactory {
public:
    // Calls are appended to `journal` when one is given.
    explicit TFakeRegistry(std::vector<std::string>* journal = nullptr) : Journal(journal) {}

    // Makes the key (path from the root, with or without a leading "\").
    void AddKey(TRegistryRoot root, const std::string& path) { Keys[KeyId(root, Normalize(path))]; }
    bool HasKey(TRegistryRoot root, const std::string& path) const
    {
        return Keys.count(KeyId(root, Normalize(path))) != 0;
    }
    void SetValue(TRegistryRoot root, const std::string& path, const std::string& name,
                  const std::string& value)
    {
        const std::lock_guard lock(FakeSystemGuard());
        Keys[KeyId(root, Normalize(path))][Lower(name)] = value;
    }
    std::optional<std::string> Value(TRegistryRoot root, const std::string& path,
                                     const std::string& name) const
    {
        const std::lock_guard lock(FakeSystemGuard());
        const auto key = Keys.find(KeyId(root, Normalize(path)));
        if (key == Keys.end())
            return std::nullopt;
        const auto value = key->second.find(Lower(name));
        if (value == key->second.end())
            return std::nullopt;
        return value->second;
    }

    // Binary values, apart from the strings.
    void SetBinary(TRegistryRoot root, const std::string& path, const std::string& name,
                   std::vector<uint8_t> bytes)
    {
        Keys[KeyId(root, Normalize(path))];
        Binaries[{KeyId(root, Normalize(path)), Lower(name)}] = std::move(bytes);
    }
    std::optional<std::vector<uint8_t>> Binary(TRegistryRoot root, const std::string& path,
                                               const std::string& name) const
    {
        const auto value = Binaries.find({KeyId(root, Normalize(path)), Lower(name)});
        if (value == Binaries.end())
            return std::nullopt;
        return value->second;
    }

    // Writes of these value names (letter case ignored) are refused.
    void RefuseWritesOf(const std::string& name) { RefusedNames.insert(Lower(name)); }

    // The value exists with another type than string (a DWORD): reading it
    // raises, writing a string replaces it.
    void SetNonStringValue(TRegistryRoot root, const std::string& path, const std::string& name)
    {
        SetValue(root, path, name, NonString);
    }

    // Keys of `root` open for reading only: opening one for writing is
    // refused, as it is for a standard user under HKEY_LOCAL_MACHINE.
    void MakeReadOnly(TRegistryRoot root) { ReadOnlyRoots.insert(root); }

    // Accessors made and not yet freed.
    int LiveAccessors() const { return Live; }

    std::unique_ptr<IRegistryAccessor> NewRegistry(TRegistryRoot root) override
    {
        return std::make_unique<TAccessor>(*this, root);
    }

private:
    using TKeyId = std::pair<TRegistryRoot, std::string>;

    static std::string Lower(std::string text)
    {
        std::transform(text.begin(), text.end(), text.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return text;
    }
    // Lower case, no leading or trailing "\".
    static std::string Normalize(const std::string& path)
    {
        std::string result = Lower(path);
        while (!result.empty() && result.front() == '\\')
            result.erase(result.begin());
        while (!result.empty() && result.back() == '\\')
            result.pop_back();
        return result;
    }
    static TKeyId KeyId(TRegistryRoot root, const std::string& normalized) { return {root, normalized}; }

    void Record(const std::string& entry)
    {
        if (Journal != nullptr)
            Journal->push_back(entry);
    }

    class TAccessor : public IRegistryAccessor {
    public:
        TAccessor(TFakeRegistry& registry, TRegistryRoot root) : Registry(registry), Root(root)
        {
            const std::lock_guard lock(FakeSystemGuard());
            ++Registry.Live;
        }
        ~TAccessor() override
        {
            const std::lock_guard lock(FakeSystemGuard());
            CloseKey();
            --Registry.Live;
        }

        bool OpenKey(const std::string& path, bool canCreate) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            const std::string resolved = Resolve(path);
            const TKeyId id = KeyId(Root, resolved);
            bool opened = Registry.Keys.count(id) != 0 && Registry.ReadOnlyRoots.count(Root) == 0;
            if (!opened && canCreate && !resolved.empty() && Registry.ReadOnlyRoots.count(Root) == 0) {
                Registry.Keys[id];
                opened = true;
            }
            Registry.Record("OpenKey " + path + (opened ? "" : " failed"));
            if (opened) {
                Current = resolved;
                Writable = true;
            }
            return opened;
        }
        bool OpenKeyReadOnly(const std::string& path) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            const std::string resolved = Resolve(path);
            const bool opened = Registry.Keys.count(KeyId(Root, resolved)) != 0;
            Registry.Record("OpenKeyReadOnly " + path + (opened ? "" : " failed"));
            if (opened) {
                Current = resolved;
                Writable = false;
            }
            return opened;
        }
        bool KeyExists(const std::string& path) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            return Registry.Keys.count(KeyId(Root, Resolve(path))) != 0;
        }
        std::string ReadString(const std::string& name) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            Registry.Record("ReadString " + name);
            if (!Current)
                return {};
            const std::string value = Registry.Value(Root, *Current, name).value_or("");
            if (value == NonString)
                throw ERegistryException::InvalidDataType(name);
            return value;
        }
        void WriteString(const std::string& name, const std::string& value) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            Registry.Record("WriteString " + name + "=" + value);
            if (!Current || !Writable || Registry.RefusedNames.count(Lower(name)) != 0)
                throw ERegistryException::SetDataFailed(name);
            Registry.Keys[KeyId(Root, *Current)][Lower(name)] = value;
        }
        std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            Registry.Record("ReadBinary " + name);
            if (!Current)
                return std::nullopt;
            return Registry.Binary(Root, *Current, name);
        }
        void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            Registry.Record("WriteBinary " + name);
            if (!Current || !Writable || Registry.RefusedNames.count(Lower(name)) != 0)
                throw ERegistryException::SetDataFailed(name);
            Registry.SetBinary(Root, *Current, name, bytes);
        }
        bool DeleteValue(const std::string& name) override
        {
            const std::lock_guard lock(FakeSystemGuard());
            Registry.Record("DeleteValue " + name);
            return Current && Writable && Registry.Keys[KeyId(Root, *Current)].erase(Lower(name)) != 0;
        }
        void CloseKey() override
        {
            const std::lock_guard lock(FakeSystemGuard());
            if (Current)
                Registry.Record("CloseKey");
            Current.reset();
        }

    private:
        std::string Resolve(const std::string& path) const
        {
            if (!path.empty() && path.front() == '\\')
                return Normalize(path);
            if (Current && !Current->empty())
                return Normalize(*Current + "\\" + path);
            return Normalize(path);
        }

        TFakeRegistry& Registry;
        TRegistryRoot Root;
        std::optional<std::string> Current;
        bool Writable = false;
    };

    // How a value of another type is kept: no string value holds a NUL.
    inline static const std::string NonString{"\0non-string", 11};

    std::vector<std::string>* Journal;
    std::map<TKeyId, std::map<std::string, std::string>> Keys;
    std::map<std::pair<TKeyId, std::string>, std::vector<uint8_t>> Binaries;
    std::set<std::string> RefusedNames;
    std::set<TRegistryRoot> ReadOnlyRoots;
    int Live = 0;
};
