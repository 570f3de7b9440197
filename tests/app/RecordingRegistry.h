#pragma once
// The real (Wine) registry, with every write and delete recorded in order,
// and the machine-wide keys optionally closed to writing, as they are for a
// standard user on current Windows.

#include "platform/Registry.h"

#include <string>
#include <vector>

class TRecordingRegistry : public IRegistryFactory {
public:
    std::unique_ptr<IRegistryAccessor> NewRegistry(TRegistryRoot root) override
    {
        return std::make_unique<TAccessor>(*this, root, real_.NewRegistry(root));
    }

    // "HKCU name=value", "HKLM -name" (a delete), in order.
    std::vector<std::string> Changes;
    bool MachineWritable = true;

private:
    class TAccessor : public IRegistryAccessor {
    public:
        TAccessor(TRecordingRegistry& owner, TRegistryRoot root, std::unique_ptr<IRegistryAccessor> real)
            : owner_(owner), root_(root), real_(std::move(real))
        {
        }
        bool OpenKey(const std::string& path, bool canCreate) override
        {
            if (root_ == TRegistryRoot::LocalMachine && !owner_.MachineWritable)
                return false;
            return real_->OpenKey(path, canCreate);
        }
        bool OpenKeyReadOnly(const std::string& path) override { return real_->OpenKeyReadOnly(path); }
        bool KeyExists(const std::string& path) override { return real_->KeyExists(path); }
        std::string ReadString(const std::string& name) override { return real_->ReadString(name); }
        void WriteString(const std::string& name, const std::string& value) override
        {
            owner_.Changes.push_back(Root() + name + "=" + value);
            real_->WriteString(name, value);
        }
        std::optional<std::vector<uint8_t>> ReadBinary(const std::string& name) override
        {
            return real_->ReadBinary(name);
        }
        void WriteBinary(const std::string& name, const std::vector<uint8_t>& bytes) override
        {
            owner_.Changes.push_back(Root() + name + "=" + std::to_string(bytes.size()) + " bytes");
            real_->WriteBinary(name, bytes);
        }
        bool DeleteValue(const std::string& name) override
        {
            owner_.Changes.push_back(Root() + "-" + name);
            return real_->DeleteValue(name);
        }
        void CloseKey() override { real_->CloseKey(); }

    private:
        std::string Root() const { return root_ == TRegistryRoot::LocalMachine ? "HKLM " : "HKCU "; }

        TRecordingRegistry& owner_;
        TRegistryRoot root_;
        std::unique_ptr<IRegistryAccessor> real_;
    };

    TRegistryFactory real_;
};
