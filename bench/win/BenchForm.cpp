#include "BenchForm.h"

#include "BenchMeasure.h"

#include <windows.h>

#include <stdexcept>

namespace {

// Removes a folder and everything in it; `folder` ends in "\".
void RemoveFolder(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveFolder(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

} // namespace

TBenchFolder::TBenchFolder()
{
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    if (length == 0 || length > MAX_PATH)
        throw std::runtime_error("no temporary folder");
    // Process ids come round again: a folder left by an earlier run that
    // was stopped is passed over, not reused.
    const std::string base =
        std::string(temp, length) + "tessivo-bench-" + std::to_string(GetCurrentProcessId());
    for (int attempt = 0;; ++attempt) {
        // (Appended piece by piece: GCC 12 at -O3 warns falsely on "-" + to_string.)
        path_ = base;
        if (attempt > 0)
            path_.append("-").append(std::to_string(attempt));
        path_ += '\\';
        if (CreateDirectoryA(path_.c_str(), nullptr))
            break;
        if (GetLastError() != ERROR_ALREADY_EXISTS || attempt == 100)
            throw std::runtime_error("cannot create " + path_);
    }
    temp_ = std::string(temp, length);
}

TBenchFolder::~TBenchFolder()
{
    // The form made the folder the current directory (the last list lives
    // there); a current directory cannot be removed.
    SetCurrentDirectoryA(temp_.c_str());
    RemoveFolder(path_);
}

TBenchForm::TBenchForm(const std::function<void(const std::string& programFolder)>& prepare)
    : TBenchForm(desktop_, prepare)
{
}

TBenchForm::TBenchForm(IDesktop& desktop,
                       const std::function<void(const std::string& programFolder)>& prepare)
{
    if (prepare)
        prepare(folder_.Path());
    application_.Title = "Tessivo";
    application_.OnShowError = [this](const std::string&, const std::string& text) {
        errors_.push_back(text);
    };
    PlatformServices services;
    services.Clock = &clock_;
    services.Desktop = &desktop;
    services.Registry = &registry_;
    services.NotifyIcon = &notifyIcon_;
    services.ProgramFolder = folder_.Path();
    services.LastListFolder = folder_.Path();
    services.OpenPictureDialog = &pictureDialog_;
    services.OpenDialog = &openDialog_;
    services.SaveDialog = &saveDialog_;
    const TStopwatch clock;
    const double cpu = ProcessCpuMilliseconds();
    form_ = std::make_unique<TMainForm>(nullptr, services);
    // The stored options may show the window; a benchmark starts hidden and
    // shows it when it asks for that.
    form_->Hide();
    Settle();
    creationMs_ = clock.Milliseconds();
    creationCpuMs_ = ProcessCpuMilliseconds() - cpu;
}

TBenchForm::~TBenchForm()
{
    form_.reset();
}

void TBenchForm::Settle()
{
    // A wallpaper change is drawn, and a preview's picture read, on a
    // worker thread: its end is a message still to come.
    while (form_ && (form_->ChangeBusy() || form_->PreviewBusy())) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_POSTMESSAGE);
        Application->ProcessMessages();
    }
    // Handling messages can make more (a repaint after a change, the
    // paint itself once nothing else waits): go on until the queue has none.
    for (int round = 0; round < 1000; ++round) {
        Application->ProcessMessages();
        if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
            return;
    }
}

std::string WindowsPath(std::string path)
{
    if (!path.empty() && path.front() == '/') {
        for (char& c : path)
            if (c == '/')
                c = '\\';
        path = "Z:" + path;
    }
    return path;
}
