#include "core/FileNames.h"

namespace {

// Index just past the folder part (0 when there is none).
size_t FileNameStart(const std::string& path)
{
    const size_t separator = path.find_last_of("\\:");
    return separator == std::string::npos ? 0 : separator + 1;
}

} // namespace

std::string ExtractFilePath(const std::string& path)
{
    return path.substr(0, FileNameStart(path));
}

std::string ExtractFileName(const std::string& path)
{
    return path.substr(FileNameStart(path));
}

std::string ExtractFileExt(const std::string& path)
{
    const size_t start = FileNameStart(path);
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos || dot < start)
        return {};
    return path.substr(dot);
}
