#include "app/DialogFolders.h"

#include "app/OptionTable.h"
#include "core/Exceptions.h"
#include "core/FileNames.h"

namespace {

const char* ValueName(TDialogFolderKind kind)
{
    return kind == TDialogFolderKind::Pictures ? OptionNames::PictureFolder : OptionNames::ListFolder;
}

} // namespace

std::string DialogStartFolder(IRegistryFactory& registry, TDialogFolderKind kind,
                              const std::string& firstTime)
{
    return ReadOptions(registry).Stored(ValueName(kind)).value_or(firstTime);
}

void RememberDialogFolder(IRegistryFactory& registry, TDialogFolderKind kind, const std::string& chosenFile)
{
    const std::string folder = ExtractFilePath(chosenFile);
    if (folder.empty())
        return;
    try {
        TOptionValues chosen;
        chosen.Set(ValueName(kind), folder);
        WriteOptions(registry, chosen, {TWrittenWhen::WhenChosen});
    } catch (const Exception&) {
        // Only where the next dialog opens is lost; the user's act went through.
    }
}
