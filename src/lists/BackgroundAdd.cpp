#include "lists/BackgroundAdd.h"

#include "core/Exceptions.h"
#include "lists/ListTexts.h"

#include <optional>

TBackgroundAdd::TBackgroundAdd(TComponent* owner, TImageList& list, TLabel& totalLabel,
                               BackgroundAddActions actions)
    : list_(list), totalLabel_(totalLabel), actions_(std::move(actions)), progressTimer_(new TTimer(owner)),
      stepTimer_(new TTimer(owner))
{
    progressTimer_->Name = "scanProgressTimer";
    progressTimer_->SetEnabled(false);
    progressTimer_->SetInterval(ProgressMs);
    progressTimer_->SetOnTimer([this](TObject*) { ShowProgress(); });
    stepTimer_->Name = "scanKeyStepTimer";
    stepTimer_->SetEnabled(false);
    stepTimer_->SetInterval(StepMs);
    stepTimer_->SetOnTimer([this](TObject*) { KeyStep(); });
}

TBackgroundAdd::~TBackgroundAdd()
{
    progressTimer_->SetEnabled(false);
    stepTimer_->SetEnabled(false);
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
    // A scan that has ended has no end message to come: its pictures are
    // dropped now.
    if (job_->Listed) {
        stepTimer_->SetEnabled(false);
        job_.reset();
    }
    list_.WriteTotal();
}

void TBackgroundAdd::ScanEnded(WPARAM tag)
{
    if (!job_ || job_->Tag != tag || job_->Listed)
        return;
    if (job_->Signals.CancelRequested) {
        const std::unique_ptr<TScanJob> job = EndJob();
        job->Thread->Finish();
        list_.WriteTotal();
        return;
    }
    try {
        job_->Thread->Finish();
    } catch (...) {
        EndJob();
        throw;
    }
    job_->Listed = std::make_unique<TListedKeys>(list_.List());
    KeyStep();
}

void TBackgroundAdd::KeyStep()
{
    if (!job_ || !job_->Listed) {
        stepTimer_->SetEnabled(false);
        return;
    }
    if (!job_->Listed->KeyMore(KeysPerStep)) {
        stepTimer_->SetEnabled(true);
        return;
    }
    const std::unique_ptr<TScanJob> job = EndJob();
    AddScanned(*job);
}

std::unique_ptr<TBackgroundAdd::TScanJob> TBackgroundAdd::EndJob()
{
    std::unique_ptr<TScanJob> job = std::move(job_);
    progressTimer_->SetEnabled(false);
    stepTimer_->SetEnabled(false);
    // The next add waiting starts whatever becomes of this one; its
    // pictures come after these, when its own scan ends.
    StartNextWaiting();
    return job;
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
    job->NameKey = list_.List().NameKey();
    job->Thread = std::make_unique<TWorkerThread>(
        [running] {
            running->Result = GatherPictures(running->Request.Items, &running->Signals);
            running->Ready = KeyPaths(std::move(running->Result.Pictures), running->NameKey,
                                      &running->Signals.CancelRequested);
        },
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
    list_.AddKeyed(std::move(job.Ready), *job.Listed);
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
