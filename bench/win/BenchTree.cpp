#include "BenchTree.h"

#include "core/codec/BmpCodec.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

void MakeFolder(const std::string& path)
{
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw std::runtime_error("cannot create folder " + path);
}

void MakeEmptyFile(const std::string& path)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create file " + path);
    CloseHandle(file);
}

std::string Numbered(const char* prefix, int number, const char* suffix)
{
    char text[64];
    std::snprintf(text, sizeof text, "%s%04d%s", prefix, number, suffix);
    return text;
}

// A small real picture, so the first entry of an added tree can be shown.
void MakeCoverPicture(const std::string& path)
{
    const int width = 16, height = 16, stride = width * 3;
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * height, 0x80);
    const std::vector<uint8_t> bytes = EncodeBmp24(width, height, PixelRows{pixels.data(), stride});
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ok = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (!ok)
        throw std::runtime_error("cannot write " + path);
}

} // namespace

std::string MakeBenchTree(const char* name, const TBenchTreeShape& shape)
{
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    const std::string root = std::string(temp) + Numbered(name, GetCurrentProcessId() % 10000, "");
    MakeFolder(root);
    MakeCoverPicture(root + "\\cover.bmp");
    for (int outer = 0; outer < shape.OuterFolders; ++outer) {
        const std::string outerPath = root + "\\" + Numbered("set ", outer, "");
        MakeFolder(outerPath);
        for (int inner = 0; inner < shape.InnerFolders; ++inner) {
            const std::string innerPath = outerPath + "\\" + Numbered("album ", inner, "");
            MakeFolder(innerPath);
            MakeEmptyFile(innerPath + "\\notes.txt");
            for (int picture = 0; picture < shape.PicturesPerFolder; ++picture)
                MakeEmptyFile(innerPath + "\\" + Numbered("photo ", picture, picture % 2 ? ".jpg" : ".png"));
        }
    }
    return root;
}

void RemoveBenchTree(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            const std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveBenchTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}
