#include "platform/Shell.h"

#include "core/Exceptions.h"
#include "platform/ComObjects.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

#include <windows.h>

#include <shlobj.h>

#include <memory>

namespace {

struct ItemIdListFree {
    void operator()(ITEMIDLIST* list) const { ILFree(list); }
};

} // namespace

void ShowFileInFolder(const std::string& path)
{
    // The shell is handed the item itself, never a command line: a name,
    // whatever it holds, cannot become a program's argument.
    const TComApartment apartment;
    const std::unique_ptr<ITEMIDLIST, ItemIdListFree> item(ILCreateFromPathW(WideFromUtf8(path).c_str()));
    if (!item)
        throw Exception(FileAndReason(path, SystemErrorMessage(ERROR_FILE_NOT_FOUND)));
    const HRESULT shown = SHOpenFolderAndSelectItems(item.get(), 0, nullptr, 0);
    if (FAILED(shown))
        throw Exception(FileAndReason(path, SystemErrorMessage(static_cast<unsigned long>(shown))));
}
