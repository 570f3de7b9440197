#include "framework/DroppedFiles.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"

TDroppedFiles::~TDroppedFiles()
{
    if (drop_)
        DragFinish(drop_);
}

std::vector<std::string> TDroppedFiles::Paths() const
{
    const UINT count = drop_ ? DragQueryFileW(drop_, 0xFFFFFFFF, nullptr, 0) : 0;
    std::vector<std::string> paths;
    paths.reserve(count);
    for (UINT i = 0; i < count; ++i) {
        // The length first: a long path may exceed MAX_PATH.
        std::wstring path(DragQueryFileW(drop_, i, nullptr, 0) + 1, L'\0');
        path.resize(DragQueryFileW(drop_, i, path.data(), static_cast<UINT>(path.size())));
        try {
            paths.push_back(Utf8FromWide(path));
        } catch (const EConvertError&) {
            throw EFOpenError::NameNotUnicode(Utf8FromWideReplacing(path));
        }
    }
    return paths;
}

void AcceptDroppedFiles(HWND window, bool accept)
{
    DragAcceptFiles(window, accept ? TRUE : FALSE);
}
