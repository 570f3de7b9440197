#pragma once
// The main form as the program creates it, for the benchmark programs: the
// application object, the real clock, desktop and registry, a program folder
// of its own in the temporary folder (removed at the end), and scripted
// file dialogs that answer with the files the benchmark chose. Errors that
// reach the application's error handler are collected instead of shown.

#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/dialogs/DialogInterfaces.h"
#include "platform/NotifyIcon.h"
#include "platform/Registry.h"
#include "platform/SystemClock.h"
#include "platform/Win32Desktop.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A file dialog that is "confirmed" with the files it was given.
class TScriptedFileDialog : public virtual IFileDialog {
public:
    const std::string& Title() const override { return title_; }
    void SetTitle(const std::string& title) override { title_ = title; }
    TOpenOptions Options() const override { return options_; }
    void SetOptions(TOpenOptions options) override { options_ = options; }
    const std::string& InitialDir() const override { return initialDir_; }
    void SetInitialDir(const std::string& folder) override { initialDir_ = folder; }
    bool Execute() override { return true; }
    std::vector<std::string> Files() const override { return Answer; }
    std::string FileName() const override { return Answer.empty() ? std::string() : Answer.front(); }

    std::vector<std::string> Answer;

private:
    std::string title_;
    std::string initialDir_;
    TOpenOptions options_ = 0;
};

class TScriptedPictureDialog : public TScriptedFileDialog, public IOpenPictureDialog {};

// A folder of its own under the temporary folder, removed with everything
// in it at destruction. Path() ends in "\".
class TBenchFolder {
public:
    TBenchFolder();
    ~TBenchFolder();
    TBenchFolder(const TBenchFolder&) = delete;
    TBenchFolder& operator=(const TBenchFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::string temp_;
};

class TBenchForm {
public:
    // `prepare` runs on the empty program folder before the form is made,
    // e.g. to put a last list there.
    explicit TBenchForm(const std::function<void(const std::string& programFolder)>& prepare = {});
    // With another desktop in place of the real one (which must outlive the
    // form).
    explicit TBenchForm(IDesktop& desktop,
                        const std::function<void(const std::string& programFolder)>& prepare = {});
    ~TBenchForm();

    // The time from the start of the form's creation until the queue was
    // empty after it (the last list read and shown included).
    double CreationMs() const { return creationMs_; }
    // The processor time of the same span.
    double CreationCpuMs() const { return creationCpuMs_; }

    TMainForm& Form() { return *form_; }
    TScriptedPictureDialog& PictureDialog() { return pictureDialog_; }
    TScriptedFileDialog& OpenDialog() { return openDialog_; }
    const TBenchFolder& Folder() const { return folder_; }
    // Texts that reached the error handler, oldest first.
    const std::vector<std::string>& Errors() const { return errors_; }

    // Handles messages until none is waiting, paints included.
    void Settle();

private:
    TApplication application_;
    SystemClock clock_;
    TWin32Desktop desktop_;
    TRegistryFactory registry_;
    TWin32NotifyIcon notifyIcon_;
    TScriptedPictureDialog pictureDialog_;
    TScriptedFileDialog openDialog_;
    TScriptedFileDialog saveDialog_;
    TBenchFolder folder_;
    std::vector<std::string> errors_;
    std::unique_ptr<TMainForm> form_;
    double creationMs_ = 0;
    double creationCpuMs_ = 0;
};

// A Windows path for a path given on the command line: a Unix path (as the
// benchmark script passes them) is reached through Wine's Z: drive.
std::string WindowsPath(std::string path);
