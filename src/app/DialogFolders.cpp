#include "app/DialogFolders.h"

#include "app/Settings.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"

namespace {

const char* ValueName(TDialogFolderKind kind)
{
    return kind == TDialogFolderKind::Pictures ? PictureFolderValueName : ListFolderValueName;
}

} // namespace

std::string DialogStartFolder(IRegistryFactory& registry, TDialogFolderKind kind,
                              const std::string& firstTime)
{
    const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
    if (!settings->OpenKeyReadOnly(SettingsKeyPath))
        return firstTime;
    std::string stored = ReadStoredText(*settings, ValueName(kind));
    return stored.empty() ? firstTime : stored;
}

void RememberDialogFolder(IRegistryFactory& registry, TDialogFolderKind kind, const std::string& chosenFile)
{
    const std::string folder = ExtractFilePath(chosenFile);
    if (folder.empty())
        return;
    try {
        const auto settings = registry.NewRegistry(TRegistryRoot::CurrentUser);
        settings->OpenKey(SettingsKeyPath, true);
        settings->WriteString(ValueName(kind), folder);
    } catch (const Exception&) {
        // Only where the next dialog opens is lost; the user's act went through.
    }
}
