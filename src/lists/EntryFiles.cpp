#include "lists/EntryFiles.h"

#include "core/WindowsPaths.h"
#include "framework/graphics/Picture.h"
#include "platform/DriveKind.h"
#include "platform/Files.h"

bool TSystemEntryFiles::OnAnotherComputer(const std::string& path)
{
    return IsOnAnotherComputer(path, DriveIsOnAnotherComputer);
}

bool TSystemEntryFiles::Exists(const std::string& path)
{
    return FileExists(path);
}

void TSystemEntryFiles::LoadPicture(TPicture& picture, const std::string& path)
{
    picture.LoadFromFile(path);
}
