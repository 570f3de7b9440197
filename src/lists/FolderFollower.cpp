#include "lists/FolderFollower.h"

#include "core/Exceptions.h"
#include "lists/FolderChanges.h"
#include "platform/Files.h"

#include <algorithm>

TFolderFollower::TFolderFollower(TComponent* owner, TListModel& list, IEntryFiles& files,
                                 std::function<HWND()> window)
    : list_(list), files_(files), window_(std::move(window)), settleTimer_(new TTimer(owner)),
      retryTimer_(new TTimer(owner))
{
    settleTimer_->Name = "followSettleTimer";
    settleTimer_->SetEnabled(false);
    settleTimer_->SetInterval(SettleMs);
    settleTimer_->SetOnTimer([this](TObject*) { ApplyPending(); });
    retryTimer_->Name = "followRetryTimer";
    retryTimer_->SetEnabled(false);
    retryTimer_->SetInterval(MissingRetryMs);
    retryTimer_->SetOnTimer([this](TObject*) { LookForMissing(); });
    loadsFollowed_ = list_.Subscribe([this](const TListChange& change) {
        if (change.Kind == TListChangeKind::Loaded)
            Sync(true);
        else if (list_.Folders().size() != followed_.size())
            Sync(false);
    });
}

TFolderFollower::~TFolderFollower()
{
    settleTimer_->SetEnabled(false);
    retryTimer_->SetEnabled(false);
    job_.reset();
    followed_.clear();
}

void TFolderFollower::Follow(const std::string& folder)
{
    const int32_t number = list_.Follow(folder);
    const std::wstring key = list_.KeyOf(list_.Folders()[static_cast<size_t>(number)].Path);
    if (TFollowed* known = Find(key)) {
        // Followed again: the user's act takes up a held folder and reads
        // it anew.
        known->Held = false;
        if (known->Watch)
            QueueRead(*known);
        else
            TakeUp(*known);
        return;
    }
    Sync(false);
}

void TFolderFollower::StopFollowing(int32_t folder)
{
    list_.StopFollowing(folder);
    Sync(false);
}

void TFolderFollower::Sync(bool fromFile)
{
    std::vector<std::wstring> keys;
    for (const TFollowedFolder& folder : list_.Folders())
        keys.push_back(list_.KeyOf(folder.Path));
    std::erase_if(followed_, [&keys](const TFollowed& followed) {
        return std::find(keys.begin(), keys.end(), followed.Key) == keys.end();
    });
    if (fromFile) {
        // Another list's folders: read them anew, as a start does.
        followed_.clear();
    }
    for (size_t number = 0; number < keys.size(); ++number) {
        if (Find(keys[number]))
            continue;
        TFollowed& followed = followed_.emplace_back();
        followed.Folder = list_.Folders()[number].Path;
        followed.Key = keys[number];
        followed.Tag = ++lastTag_;
        followed.Held = fromFile && files_.OnAnotherComputer(followed.Folder);
        if (!followed.Held)
            TakeUp(followed);
    }
}

TFolderFollower::TFollowed* TFolderFollower::Find(const std::wstring& key)
{
    const auto found = std::find_if(followed_.begin(), followed_.end(),
                                    [&key](const TFollowed& followed) { return followed.Key == key; });
    return found == followed_.end() ? nullptr : &*found;
}

TFolderFollower::TFollowed* TFolderFollower::FindTag(uint64_t tag)
{
    const auto found = std::find_if(followed_.begin(), followed_.end(),
                                    [tag](const TFollowed& followed) { return followed.Tag == tag; });
    return found == followed_.end() ? nullptr : &*found;
}

int32_t TFolderFollower::NumberOf(const TFollowed& followed) const
{
    const std::vector<TFollowedFolder>& folders = list_.Folders();
    for (size_t number = 0; number < folders.size(); ++number) {
        if (list_.KeyOf(folders[number].Path) == followed.Key)
            return static_cast<int32_t>(number);
    }
    return NoFolder;
}

bool TFolderFollower::Watching(const std::string& folder) const
{
    const std::wstring key = list_.KeyOf(WithoutTrailingSeparator(folder));
    return std::any_of(followed_.begin(), followed_.end(),
                       [&key](const TFollowed& followed) { return followed.Key == key && followed.Watch; });
}

void TFolderFollower::TakeUp(TFollowed& followed)
{
    if (!FolderExists(followed.Folder)) {
        // Gone for now (a drive taken out, a share offline): its entries
        // stay, and it is looked for again.
        MarkMissing(followed);
        return;
    }
    try {
        // Watched before it is read: nothing that happens meanwhile is lost.
        followed.Watch = std::make_unique<TFolderWatch>(followed.Folder, window_(), ChangesMessage,
                                                        static_cast<WPARAM>(followed.Tag));
    } catch (const Exception&) {
        // A folder that can be read but not watched is still read now.
        followed.Watch.reset();
    }
    QueueRead(followed);
}

void TFolderFollower::MarkMissing(TFollowed& followed)
{
    followed.Missing = true;
    followed.Watch.reset();
    if (const int32_t number = NumberOf(followed); number != NoFolder)
        list_.SetFolderMissing(number, true);
    retryTimer_->SetEnabled(true);
}

void TFolderFollower::QueueRead(const TFollowed& followed)
{
    if ((job_ && job_->Key == followed.Key) ||
        std::find(toRead_.begin(), toRead_.end(), followed.Key) != toRead_.end())
        return;
    toRead_.push_back(followed.Key);
    StartNextRead();
}

void TFolderFollower::StartNextRead()
{
    while (readsAllowed_ && !job_ && !toRead_.empty()) {
        const std::wstring key = std::move(toRead_.front());
        toRead_.pop_front();
        const TFollowed* followed = Find(key);
        if (!followed)
            continue;
        auto job = std::make_unique<TReadJob>();
        job->Key = key;
        job->Folder = followed->Folder;
        job->Tag = ++lastTag_;
        TReadJob* running = job.get();
        job->Thread = std::make_unique<TWorkerThread>(
            [running] {
                TPictureScan scan = ScanPictureFolder(running->Folder, &running->Signals);
                running->Complete = scan.SkippedFolders == 0 && scan.DeepFolders == 0 && !scan.Cancelled;
                running->Pictures = std::move(scan.Pictures);
            },
            window_(), ReadEndedMessage, static_cast<WPARAM>(job->Tag));
        job_ = std::move(job);
    }
}

void TFolderFollower::ReadEnded(uint64_t tag)
{
    if (!job_ || job_->Tag != tag)
        return;
    const std::unique_ptr<TReadJob> job = std::move(job_);
    bool read = true;
    try {
        job->Thread->Finish();
    } catch (const Exception&) {
        read = false;
    }
    if (TFollowed* followed = Find(job->Key)) {
        if (!read) {
            MarkMissing(*followed);
        } else if (const int32_t number = NumberOf(*followed); number != NoFolder) {
            followed->Missing = false;
            ApplyFolderScan(list_, number, job->Pictures, job->Complete);
        }
    }
    StartNextRead();
    if (std::none_of(followed_.begin(), followed_.end(), [](const TFollowed& f) { return f.Missing; }))
        retryTimer_->SetEnabled(false);
}

void TFolderFollower::ChangesReady(uint64_t tag)
{
    TFollowed* followed = FindTag(tag);
    if (!followed || !followed->Watch)
        return;
    std::vector<TFolderChange> changes = followed->Watch->TakeChanges();
    followed->Pending.insert(followed->Pending.end(), std::make_move_iterator(changes.begin()),
                             std::make_move_iterator(changes.end()));
    // A watch that ended (its folder went) told a last Rescan: the reading
    // then finds the folder missing, or watches it again.
    if (followed->Watch->Ended())
        followed->Watch.reset();
    // The burst is applied once it has been quiet for a while.
    settleTimer_->SetEnabled(false);
    settleTimer_->SetEnabled(true);
}

void TFolderFollower::ApplyPending()
{
    settleTimer_->SetEnabled(false);
    for (size_t index = 0; index < followed_.size(); ++index) {
        TFollowed& followed = followed_[index];
        if (followed.Pending.empty())
            continue;
        const std::vector<TFolderChange> changes = std::exchange(followed.Pending, {});
        const int32_t number = NumberOf(followed);
        if (number == NoFolder)
            continue;
        if (!FolderExists(followed.Folder)) {
            // The folder itself went (a drive taken out, the folder deleted
            // or moved): its entries stay, marked missing, rather than read
            // as every picture deleted.
            MarkMissing(followed);
            continue;
        }
        const bool readAgain = ApplyFolderChanges(list_, number, changes, FolderExists);
        if (!followed.Watch)
            TakeUp(followed_[index]);
        else if (readAgain)
            QueueRead(followed_[index]);
    }
}

void TFolderFollower::LookForMissing()
{
    for (TFollowed& followed : followed_) {
        if (followed.Missing && !followed.Held && !followed.Watch && FolderExists(followed.Folder))
            TakeUp(followed);
    }
}

void TFolderFollower::EntrySelected(const std::string& path)
{
    const int32_t number = list_.FolderOf(path);
    if (number == NoFolder)
        return;
    TFollowed* followed = Find(list_.KeyOf(list_.Folders()[static_cast<size_t>(number)].Path));
    if (!followed || !(followed->Held || followed->Missing))
        return;
    followed->Held = false;
    if (!followed->Watch)
        TakeUp(*followed);
}

void TFolderFollower::DriveArrived()
{
    LookForMissing();
}

bool TFolderFollower::HandleMessage(UINT message, WPARAM tag)
{
    if (message == ChangesMessage)
        ChangesReady(static_cast<uint64_t>(tag));
    else if (message == ReadEndedMessage)
        ReadEnded(static_cast<uint64_t>(tag));
    else if (message == ReadsAllowedMessage) {
        readsAllowed_ = true;
        StartNextRead();
    } else
        return false;
    return true;
}
