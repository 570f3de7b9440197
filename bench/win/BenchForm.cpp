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
    // One folder per form: the last folder may still be the process's
    // current directory, which cannot be removed.
    static int made = 0;
    path_ = std::string(temp, length) + "tessivo-bench-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++made) + "\\";
    if (!CreateDirectoryA(path_.c_str(), nullptr))
        throw std::runtime_error("cannot create " + path_);
}

TBenchFolder::~TBenchFolder()
{
    // The program makes its folder the current directory; leave it first.
    char current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    if (length > 0 && length <= MAX_PATH && std::string(current, length) + "\\" == path_) {
        char temp[MAX_PATH + 1];
        if (GetTempPathA(sizeof temp, temp))
            SetCurrentDirectoryA(temp);
    }
    RemoveFolder(path_);
}

TBenchForm::TBenchForm(const std::function<void(const std::string& programFolder)>& prepare)
{
    if (prepare)
        prepare(folder_.Path());
    application_.Title = "Tessivo";
    application_.OnShowError = [this](const std::string&, const std::string& text) { errors_.push_back(text); };
    PlatformServices services;
    services.Clock = &clock_;
    services.Desktop = &desktop_;
    services.Registry = &registry_;
    services.ProgramFolder = folder_.Path();
    services.OpenPictureDialog = &pictureDialog_;
    services.OpenDialog = &openDialog_;
    services.SaveDialog = &saveDialog_;
    const TStopwatch clock;
    const double cpu = ProcessCpuMilliseconds();
    form_ = std::make_unique<TForm1>(nullptr, services);
    Form1 = form_.get();
    Settle();
    creationMs_ = clock.Milliseconds();
    creationCpuMs_ = ProcessCpuMilliseconds() - cpu;
}

TBenchForm::~TBenchForm()
{
    Form1 = nullptr;
    form_.reset();
}

void TBenchForm::Settle()
{
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
