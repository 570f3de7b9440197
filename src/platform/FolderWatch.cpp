#include "platform/FolderWatch.h"

#include "core/Exceptions.h"
#include "platform/ExclusiveLock.h"
#include "platform/Files.h"
#include "platform/WideText.h"

#include <array>
#include <utility>

namespace {

// Room for a few hundred names per wake; a larger burst overflows it, which
// the system tells and which becomes a rescan.
constexpr DWORD NotifyBufferBytes = 64 * 1024;
constexpr DWORD NamesWatched = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

class TEvent {
public:
    TEvent() : handle_(CreateEventW(nullptr, TRUE, FALSE, nullptr))
    {
        if (!handle_)
            throw EOutOfResources("Cannot create an event (error " + std::to_string(GetLastError()) + ")");
    }
    ~TEvent() { CloseHandle(handle_); }
    TEvent(const TEvent&) = delete;
    TEvent& operator=(const TEvent&) = delete;
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

TFolderChangeKind KindOf(DWORD action)
{
    switch (action) {
    case FILE_ACTION_ADDED:
        return TFolderChangeKind::Added;
    case FILE_ACTION_REMOVED:
        return TFolderChangeKind::Removed;
    case FILE_ACTION_RENAMED_OLD_NAME:
        return TFolderChangeKind::RenamedFrom;
    case FILE_ACTION_RENAMED_NEW_NAME:
        return TFolderChangeKind::RenamedTo;
    default:
        return TFolderChangeKind::Rescan;
    }
}

} // namespace

struct TFolderWatch::TState {
    std::string Folder;
    TFileHandle Directory;
    TEvent Stop;
    TEvent Ready;
    HWND Window = nullptr;
    UINT Message = 0;
    WPARAM Tag = 0;
    SRWLOCK Guard = SRWLOCK_INIT;
    std::vector<TFolderChange> Queue;
    bool Ended = false;
    alignas(DWORD) std::array<unsigned char, NotifyBufferBytes> Buffer{};

    void Push(std::vector<TFolderChange> changes, bool ended);
    void Parse(DWORD bytes, std::vector<TFolderChange>& changes) const;
    void Run();
};

void TFolderWatch::TState::Push(std::vector<TFolderChange> changes, bool ended)
{
    bool tell = false;
    {
        const TExclusiveLock lock(Guard);
        tell = Queue.empty();
        for (TFolderChange& change : changes)
            Queue.push_back(std::move(change));
        Ended = Ended || ended;
    }
    if (tell)
        PostMessageW(Window, Message, Tag, 0);
}

void TFolderWatch::TState::Parse(DWORD bytes, std::vector<TFolderChange>& changes) const
{
    DWORD offset = 0;
    while (offset + sizeof(FILE_NOTIFY_INFORMATION) <= bytes) {
        const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(Buffer.data() + offset);
        const std::wstring_view name(info->FileName, info->FileNameLength / sizeof(wchar_t));
        const TFolderChangeKind kind = KindOf(info->Action);
        if (kind != TFolderChangeKind::Rescan) {
            try {
                changes.push_back({kind, Folder + "\\" + Utf8FromWide(name)});
            } catch (const EConvertError&) {
                // Half of a surrogate pair: no path can name the file, and
                // the folder's reading leaves it out as well.
            }
        }
        if (info->NextEntryOffset == 0)
            break;
        offset += info->NextEntryOffset;
    }
}

void TFolderWatch::TState::Run()
{
    for (bool first = true;; first = false) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = Ready.Get();
        ResetEvent(Ready.Get());
        if (!ReadDirectoryChangesW(Directory.Get(), Buffer.data(), NotifyBufferBytes, TRUE, NamesWatched,
                                   nullptr, &overlapped, nullptr)) {
            // A folder that cannot be watched at all (a share whose server
            // does not tell changes) just ends the watch: asking for a
            // reading would start a new watch that fails again, over and
            // over. One that stops being watchable is read once more.
            Push(first ? std::vector<TFolderChange>{}
                       : std::vector<TFolderChange>{{TFolderChangeKind::Rescan, Folder}},
                 true);
            return;
        }
        const HANDLE waits[] = {Stop.Get(), Ready.Get()};
        const DWORD woke = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
        DWORD bytes = 0;
        if (woke != WAIT_OBJECT_0 + 1) {
            CancelIoEx(Directory.Get(), &overlapped);
            GetOverlappedResult(Directory.Get(), &overlapped, &bytes, TRUE);
            return;
        }
        if (!GetOverlappedResult(Directory.Get(), &overlapped, &bytes, FALSE)) {
            // ERROR_NOTIFY_ENUM_DIR: too much at once; go on watching after
            // the rescan. Anything else: the folder itself went.
            const bool overflow = GetLastError() == ERROR_NOTIFY_ENUM_DIR;
            Push({{TFolderChangeKind::Rescan, Folder}}, !overflow);
            if (!overflow)
                return;
            continue;
        }
        std::vector<TFolderChange> changes;
        if (bytes == 0)
            changes.push_back({TFolderChangeKind::Rescan, Folder});
        else
            Parse(bytes, changes);
        if (!changes.empty())
            Push(std::move(changes), false);
    }
}

TFolderWatch::TFolderWatch(const std::string& folder, HWND window, UINT message, WPARAM tag)
    : state_(std::make_shared<TState>())
{
    state_->Folder = folder;
    state_->Window = window;
    state_->Message = message;
    state_->Tag = tag;
    state_->Directory =
        TFileHandle(CreateFileW(WideFromUtf8(folder).c_str(), FILE_LIST_DIRECTORY,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    if (!state_->Directory.Valid())
        throw EInOutError::FromErrorCode(static_cast<int>(GetLastError()));
    thread_ = CreateThread(nullptr, 0, &TFolderWatch::Entry, state_.get(), 0, nullptr);
    if (!thread_)
        throw EOutOfResources("Cannot start a thread (error " + std::to_string(GetLastError()) + ")");
}

TFolderWatch::~TFolderWatch()
{
    SetEvent(state_->Stop.Get());
    WaitForSingleObject(thread_, INFINITE);
    CloseHandle(thread_);
}

DWORD WINAPI TFolderWatch::Entry(void* state)
{
    static_cast<TState*>(state)->Run();
    return 0;
}

std::vector<TFolderChange> TFolderWatch::TakeChanges()
{
    const TExclusiveLock lock(state_->Guard);
    return std::exchange(state_->Queue, {});
}

bool TFolderWatch::Ended() const
{
    const TExclusiveLock lock(state_->Guard);
    return state_->Ended;
}
