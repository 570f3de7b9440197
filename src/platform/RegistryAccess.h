#pragma once
// The registry as the program uses it: an accessor object made for one
// operation, given its root, opened on one key, and freed at the end (which
// closes the key). TRegistry (Registry.h) is the advapi32 implementation;
// code that only reads and writes values takes these interfaces, so it can
// run against an in-memory registry in tests.
//
// Portable: no Windows header.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The two roots the program works under.
enum class TRegistryRoot { CurrentUser, LocalMachine };

class IRegistryAccessor {
public:
    virtual ~IRegistryAccessor() = default;

    // Opens `path` for reading and setting values and makes it the current
    // key. A path beginning with "\" is taken from the root; any other path
    // is relative to the current key when one is open, else to the root. With `canCreate` a missing key is
    // made. On failure returns false and keeps the current key.
    virtual bool OpenKey(const std::string& path, bool canCreate) = 0;

    // Opens `path` (resolved as in OpenKey) with read rights only and makes
    // it the current key, for reading values where writing may be refused.
    virtual bool OpenKeyReadOnly(const std::string& path) = 0;

    // True when `path` (resolved as in OpenKey) can be opened for reading.
    // The current key is not changed.
    virtual bool KeyExists(const std::string& path) = 0;

    // The string value `name` of the current key, up to its first NUL. A
    // missing value, or no open key, reads as "". Raises ERegistryException
    // for a value that is not a string or cannot be read.
    virtual std::string ReadString(const std::string& name) = 0;

    // Writes `value` as a string value (its terminating NUL counted). Raises
    // ERegistryException when refused, also when no key is open.
    virtual void WriteString(const std::string& name, const std::string& value) = 0;

    // The bytes of the binary (REG_BINARY) value `name`; nothing when it is
    // missing, of another type, or no key is open.
    virtual std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) = 0;

    // Writes `bytes` as a binary value. Raises ERegistryException when
    // refused, also when no key is open.
    virtual void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) = 0;

    // Removes the value `name` from the current key; true on success.
    virtual bool DeleteValue(const std::string& name) = 0;

    // Closes the current key, if any.
    virtual void CloseKey() = 0;
};

// Makes a fresh accessor on a root, with no key open.
class IRegistryFactory {
public:
    virtual ~IRegistryFactory() = default;
    virtual std::unique_ptr<IRegistryAccessor> NewRegistry(TRegistryRoot root) = 0;
};
