#pragma once
// The folders the file dialogs open in: where the user last chose pictures
// ("picturefolder", for "+") and lists ("listfolder", for saving and
// loading), kept beside the options; the first time, the user's Pictures
// folder. Without them a dialog opens in the current folder, which is the
// program's own (the last list lives there).
//
// Portable: the registry is reached through the interface passed in.

#include "platform/RegistryAccess.h"

#include <string>

enum class TDialogFolderKind { Pictures, Lists };

// The folder a dialog of this kind opens in: the stored one, else
// `firstTime`.
std::string DialogStartFolder(IRegistryFactory& registry, TDialogFolderKind kind,
                              const std::string& firstTime);

// Keeps the folder of `chosenFile` for the next dialog of this kind. A
// registry that refuses the value costs only that: nothing is raised.
void RememberDialogFolder(IRegistryFactory& registry, TDialogFolderKind kind, const std::string& chosenFile);
