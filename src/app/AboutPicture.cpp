#include "app/AboutPicture.h"

#include "framework/Application.h"
#include "resources/resource.h"

#include <windows.h>

std::unique_ptr<TJPEGImage> LoadAboutPicture()
{
    std::vector<uint8_t> bytes;
    const HINSTANCE module = Application ? Application->Instance() : GetModuleHandleW(nullptr);
    // Resources live as long as the module: nothing to release.
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(IDR_ABOUT_PICTURE), RT_RCDATA)) {
        const HGLOBAL loaded = LoadResource(module, found);
        const auto* data = static_cast<const uint8_t*>(loaded ? LockResource(loaded) : nullptr);
        if (data)
            bytes.assign(data, data + SizeofResource(module, found));
    }
    auto picture = std::make_unique<TJPEGImage>();
    picture->LoadFromBytes(std::move(bytes));
    return picture;
}
