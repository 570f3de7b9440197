#include "lists/ListFileStore.h"

#include "core/Exceptions.h"
#include "lists/ListFileWriter.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr int LockedFileAttempts = 20;
constexpr DWORD LockedFileWaitMs = 100;

TInputFile OpenWaitingWhileLocked(const std::string& path, const TLockedFileWait& wait)
{
    for (int attempt = 1;; ++attempt) {
        try {
            return TInputFile::OpenText(path);
        } catch (const EInOutError& error) {
            if (error.ErrorCode != ERROR_SHARING_VIOLATION || attempt >= wait.Attempts)
                throw;
        }
        if (wait.Wait)
            wait.Wait();
    }
}

} // namespace

std::string ListFileNameFor(const std::string& chosen)
{
    const std::string_view extension = ListFileExtension;
    const bool hasExtension =
        chosen.size() >= extension.size() &&
        std::equal(extension.begin(), extension.end(),
                   chosen.end() - static_cast<std::ptrdiff_t>(extension.size()), [](char a, char b) {
                       return std::tolower(static_cast<unsigned char>(a)) ==
                              std::tolower(static_cast<unsigned char>(b));
                   });
    return hasExtension ? chosen : chosen + ListFileExtension;
}

void SaveListFile(const std::string& path, const std::vector<std::string>& entries)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
    WriteListFile(file, entries, TSystemCodePage());
    file.Commit();
}

TLockedFileWait TwoSecondsForLockedFile()
{
    return {LockedFileAttempts, [] { Sleep(LockedFileWaitMs); }};
}

TListFileInput::TListFileInput(const std::string& path, const TLockedFileWait& wait)
    : File(OpenWaitingWhileLocked(path, wait)), Reader(File, CodePage)
{
}
