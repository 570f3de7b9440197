#include "lists/ListFileStore.h"

#include "core/AsciiCase.h"
#include "core/Exceptions.h"
#include "lists/ListFileWriter.h"

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
    return EndsWithIgnoringCase(chosen, ListFileExtension) ? chosen : chosen + ListFileExtension;
}

void SaveListFile(const std::string& path, const std::vector<std::string>& entries,
                  const std::vector<TFollowedFolder>& folders)
{
    TAtomicFileWriter file = TAtomicFileWriter::CreateText(path);
    WriteListFile(file, entries, TSystemCodePage(), FollowedFolderLines(folders));
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

bool TListFileInput::LongerThan(uint64_t bytes) const
{
    try {
        return File.Size() > bytes;
    } catch (const Exception&) {
        return false;
    }
}
