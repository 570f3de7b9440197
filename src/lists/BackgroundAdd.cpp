#include "lists/BackgroundAdd.h"

#include "core/Exceptions.h"
#include "lists/ListTexts.h"

#include <optional>

TBackgroundAdd::TBackgroundAdd(TComponent* owner, TImageList& list, TLabel& totalLabel,
                               BackgroundAddActions actions)
    : list_(list), totalLabel_(totalLabel), actions_(std::move(actions)), progressTimer_(new TTimer(owner))
{
    progressTimer_->Name = "scanProgressTimer";
    progressTimer_->SetEnabled(false);
    progressTimer_->SetInterval(ProgressMs);
    progressTimer_->SetOnTimer([this](TObject*) { ShowProgress(); });
}

TBackgroundAdd::~TBackgroundAdd()
{
    progressTimer_->SetEnabled(false);
    // The job's own end asks its scan to stop and waits for the thread.
    job_.reset();
}

void TBackgroundAdd::Add(std::vector<std::string> items, TAddOrigin origin)
{
    TRequest request{std::move(items), origin};
    if (RefusedWhileLocked(request.Origin))
        return;
    if (job_)
        waiting_.push_back(std::move(request));
    else if (HoldsFolder(request.Items))
        StartScan(std::move(request));
    else
        list_.AddFilesAndFolders(request.Items);
}

void TBackgroundAdd::Cancel()
{
    if (!job_)
        return;
    // The thread is not waited for: it sees the request at its next name
    // and its end is ignored then.
    job_->Signals.CancelRequested = true;
    waiting_.clear();
    progressTimer_->SetEnabled(false);
    list_.WriteTotal();
}

void TBackgroundAdd::ScanEnded(WPARAM tag)
{
    if (!job_ || job_->Tag != tag)
        return;
    const std::unique_ptr<TScanJob> job = std::move(job_);
    progressTimer_->SetEnabled(false);
    // The next add waiting starts whatever becomes of this one; its
    // pictures come after these, when its own scan ends.
    StartNextWaiting();
    job->Thread->Finish();
    if (job->Signals.CancelRequested) {
        list_.WriteTotal();
        return;
    }
    AddScanned(*job);
}

bool TBackgroundAdd::RefusedWhileLocked(TAddOrigin origin)
{
    if (!actions_.ListLocked || !actions_.ListLocked())
        return false;
    // One rule for every way of adding: refused, and told without a box,
    // unless nothing but a box can tell the user who asked.
    if (!actions_.TellUnattended(ListLockedText) && origin == TAddOrigin::User)
        throw Exception(ListLockedText);
    return true;
}

void TBackgroundAdd::StartScan(TRequest request)
{
    auto job = std::make_unique<TScanJob>(std::move(request));
    job->Tag = ++lastTag_;
    TScanJob* running = job.get();
    job->Thread = std::make_unique<TWorkerThread>(
        [running] { running->Result = GatherPictures(running->Request.Items, &running->Signals); },
        actions_.Window(), ScanEndedMessage, static_cast<WPARAM>(job->Tag));
    job_ = std::move(job);
    ShowProgress();
    progressTimer_->SetEnabled(true);
}

void TBackgroundAdd::StartNextWaiting()
{
    if (waiting_.empty())
        return;
    TRequest next = std::move(waiting_.front());
    waiting_.pop_front();
    StartScan(std::move(next));
}

void TBackgroundAdd::AddScanned(TScanJob& job)
{
    if (RefusedWhileLocked(job.Request.Origin)) {
        list_.WriteTotal();
        return;
    }
    std::optional<Exception> problem = std::move(job.Result.FirstProblem);
    job.Result.FirstProblem.reset();
    const std::string leftOut = LeftOutText(job.Result);
    list_.AddGathered(std::move(job.Result));
    // What was left out is told as the add's errors are: the user's own
    // act in a box (one, with the first problem), an unattended one in a
    // balloon.
    if (!leftOut.empty() && job.Request.Origin == TAddOrigin::Unattended &&
        actions_.TellUnattended(leftOut)) {
        if (problem)
            throw *problem;
        return;
    }
    if (problem && !leftOut.empty())
        throw Exception(problem->Message + "\n" + leftOut);
    if (problem)
        throw *problem;
    if (!leftOut.empty())
        throw Exception(leftOut);
}

void TBackgroundAdd::ShowProgress()
{
    if (Scanning())
        totalLabel_.SetCaption(ScanningText(job_->Signals.FilesSeen.load()));
}
