#include "platform/MappedFile.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"

std::shared_ptr<const TMappedFile> TMappedFile::Open(const std::string& path)
{
    TFileHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        RaiseFileError(path, GetLastError(), TFileErrorStyle::Stream, false);
    return std::shared_ptr<const TMappedFile>(new TMappedFile(path, std::move(file)));
}

TMappedFile::TMappedFile(std::string path, TFileHandle file) : path_(std::move(path)), file_(std::move(file))
{
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file_.Get(), &size))
        RaiseFileError(path_, GetLastError(), TFileErrorStyle::Stream, false);
    // The system cannot map an empty file; it has no bytes to show anyway.
    if (size.QuadPart == 0)
        return;
    if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX)
        RaiseFileError(path_, ERROR_FILE_TOO_LARGE, TFileErrorStyle::Stream, false);
    mapping_ = CreateFileMappingW(file_.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr);
    if (mapping_ == nullptr)
        RaiseFileError(path_, GetLastError(), TFileErrorStyle::Stream, false);
    view_ = static_cast<const uint8_t*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
    if (view_ == nullptr) {
        const DWORD error = GetLastError();
        CloseHandle(mapping_);
        RaiseFileError(path_, error, TFileErrorStyle::Stream, false);
    }
    size_ = static_cast<size_t>(size.QuadPart);
}

TMappedFile::~TMappedFile()
{
    if (view_)
        UnmapViewOfFile(view_);
    if (mapping_)
        CloseHandle(mapping_);
}

TPictureBytes TPictureBytes::OfFile(const std::string& path)
{
    std::shared_ptr<const TMappedFile> file = TMappedFile::Open(path);
    const uint8_t* data = file->Data();
    const size_t size = file->Size();
    return {std::move(file), data, size};
}

TPictureBytes TPictureBytes::OfBuffer(std::vector<uint8_t> buffer)
{
    auto owned = std::make_shared<const std::vector<uint8_t>>(std::move(buffer));
    const uint8_t* data = owned->data();
    const size_t size = owned->size();
    return {std::move(owned), data, size};
}
