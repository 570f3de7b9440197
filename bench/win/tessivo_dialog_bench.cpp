// The add dialog with many files chosen at once: the platform's bare open
// dialog against the program's picture dialog (its hook, preview pane and
// result handling), on the same folder, the same filter and options and the
// same selection. Each run opens the dialog, waits until the folder's files
// are listed, selects them all as Ctrl+A does (one selection change per
// file), confirms as Enter does and waits for the dialog to return.
//
//   tessivo_dialog_bench [--files=N] [--repetitions=N]
//
// The platform's dialog also runs with a hook that does nothing: Wine's
// dialog takes other paths when it is hooked (and is the faster for it with
// many files), so that is the fair measure of what the program adds. The
// dialogs run interleaved, taking turns at going first, and every figure is
// the median of the repetitions (use a multiple of 3). Goal: the program's
// dialog takes at most 10 % longer than the bare one. Beside the elapsed
// times it reports the processor time the process used during each dialog:
// on a shared machine that follows the work done much more closely than the
// elapsed time does. Exit status 1 when a dialog did not return every file.

#include "BenchMeasure.h"
#include "framework/Application.h"
#include "framework/dialogs/OpenPictureDialog.h"

#include <algorithm>
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>
#include <windows.h>

namespace {

const char* const kTitle = "Add image file ...";
const char* const kFilter =
    "All files (*.bmp;*.jpg)|*.bmp;*.jpg|JPEG Image File (*.jpg)|*.jpg|Bitmaps (*.bmp)|*.bmp";
constexpr double kGoalRatio = 1.10;
constexpr UINT kTickMs = 20;
// A dialog that has not finished after this long is cancelled.
constexpr double kGiveUpMs = 600000;

// A 16 x 16 blue 24-bit BMP.
std::string SmallBitmap()
{
    const int side = 16, stride = side * 3;
    const DWORD pixelBytes = stride * side;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;
    info.biSize = sizeof info;
    info.biWidth = side;
    info.biHeight = side;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biSizeImage = pixelBytes;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&info), sizeof info);
    for (DWORD i = 0; i < pixelBytes; i += 3)
        bytes.append("\xE0\x40\x10", 3);
    return bytes;
}

// N pictures in a folder of their own under the temporary folder, removed
// at the end.
class TPictureFolder {
public:
    explicit TPictureFolder(int count)
    {
        char temp[MAX_PATH + 1];
        const DWORD length = GetTempPathA(sizeof temp, temp);
        if (length == 0 || length > MAX_PATH)
            throw std::runtime_error("no temporary folder");
        // A name of its own: one left by an interrupted run stays untouched.
        const std::string base =
            std::string(temp, length) + "tessivo-dialog-bench-" + std::to_string(GetCurrentProcessId()) + "-";
        for (int attempt = 0; path_.empty(); ++attempt) {
            const std::string path = base + std::to_string(attempt);
            if (CreateDirectoryA(path.c_str(), nullptr))
                path_ = path;
            else if (GetLastError() != ERROR_ALREADY_EXISTS || attempt > 1000)
                throw std::runtime_error("cannot create " + path);
        }
        const std::string bytes = SmallBitmap();
        for (int i = 0; i < count; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "holiday picture %05d.bmp", i);
            const std::string file = path_ + "\\" + name;
            HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            const bool ok =
                handle != INVALID_HANDLE_VALUE &&
                WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
            if (handle != INVALID_HANDLE_VALUE)
                CloseHandle(handle);
            if (!ok)
                throw std::runtime_error("cannot write " + file);
            files_.push_back(file);
        }
    }
    ~TPictureFolder()
    {
        for (const std::string& file : files_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(path_.c_str());
    }
    TPictureFolder(const TPictureFolder&) = delete;
    TPictureFolder& operator=(const TPictureFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> files_;
};

struct Timings {
    double Open = 0;    // from the call until every file is listed
    double Select = 0;  // selecting them all
    double Confirm = 0; // from the confirmation until the dialog returned
    double Total = 0;
    double Cpu = 0; // processor time of the whole process meanwhile
};

// Drives whichever file dialog of this thread carries the title, from a
// thread timer that the dialog's modal loop dispatches.
class TDriver {
public:
    explicit TDriver(int count) : count_(count) { self_ = this; }
    ~TDriver()
    {
        if (timer_)
            KillTimer(nullptr, timer_);
        self_ = nullptr;
    }

    // Runs `show` (which shows the dialog and returns the number of files
    // it returned) and measures its phases.
    Timings Run(const std::function<int()>& show, int& returned)
    {
        step_ = 0;
        dialog_ = nullptr;
        clock_ = TStopwatch();
        const double cpuBefore = ProcessCpuMilliseconds();
        timer_ = SetTimer(nullptr, 0, kTickMs, &TDriver::Tick);
        returned = show();
        KillTimer(nullptr, timer_);
        timer_ = 0;
        times_.Total = clock_.Milliseconds();
        times_.Cpu = ProcessCpuMilliseconds() - cpuBefore;
        times_.Confirm = times_.Total - confirmedAt_;
        return times_;
    }

private:
    static BOOL CALLBACK FindDialog(HWND window, LPARAM found)
    {
        char text[64] = {};
        GetWindowTextA(window, text, sizeof text);
        if (std::strcmp(text, kTitle) == 0 && IsWindowVisible(window)) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static HWND FindList(HWND parent)
    {
        for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            char name[64] = {};
            GetClassNameA(child, name, sizeof name);
            if (lstrcmpiA(name, WC_LISTVIEWA) == 0)
                return child;
            if (HWND inner = FindList(child))
                return inner;
        }
        return nullptr;
    }

    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        if (self_)
            self_->Step();
    }

    void Step()
    {
        if (clock_.Milliseconds() > kGiveUpMs && dialog_) {
            PostMessageA(dialog_, WM_COMMAND, IDCANCEL, 0);
            return;
        }
        switch (step_) {
        case 0: {
            HWND found = nullptr;
            EnumThreadWindows(GetCurrentThreadId(), &TDriver::FindDialog, reinterpret_cast<LPARAM>(&found));
            dialog_ = found;
            HWND list = dialog_ ? FindList(dialog_) : nullptr;
            if (!list || SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) < count_)
                return;
            times_.Open = clock_.Milliseconds();
            // Every row at once, as Ctrl+A in the list does.
            LVITEMA item{};
            item.stateMask = LVIS_SELECTED;
            item.state = LVIS_SELECTED;
            TStopwatch select;
            SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
            times_.Select = select.Milliseconds();
            confirmedAt_ = clock_.Milliseconds();
            PostMessageA(dialog_, WM_COMMAND, IDOK, 0);
            step_ = 1;
            return;
        }
        default:
            return;
        }
    }

    static TDriver* self_;
    int count_;
    int step_ = 0;
    HWND dialog_ = nullptr;
    UINT_PTR timer_ = 0;
    TStopwatch clock_;
    double confirmedAt_ = 0;
    Timings times_;
};

TDriver* TDriver::self_ = nullptr;

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

UINT_PTR CALLBACK EmptyHook(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

// The platform's dialog with no template, and a buffer large enough for any
// selection here; with no hook, or with one that does nothing (Wine's dialog
// takes other paths when it is hooked). Returns the number of chosen files.
int ShowBareDialog(const std::string& folder, bool emptyHook)
{
    std::wstring filter = Wide(kFilter);
    std::replace(filter.begin(), filter.end(), L'|', L'\0');
    filter.append(2, L'\0');
    const std::wstring title = Wide(kTitle), initialDir = Wide(folder);
    std::vector<wchar_t> buffer(4 << 20, L'\0');
    OPENFILENAMEW record{};
    record.lStructSize = sizeof record;
    record.lpstrFilter = filter.c_str();
    record.nFilterIndex = 1;
    record.lpstrFile = buffer.data();
    record.nMaxFile = static_cast<DWORD>(buffer.size());
    record.lpstrInitialDir = initialDir.c_str();
    record.lpstrTitle = title.c_str();
    record.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT | OFN_ENABLESIZING;
    if (emptyHook) {
        record.Flags |= OFN_ENABLEHOOK;
        record.lpfnHook = &EmptyHook;
    }
    if (!GetOpenFileNameW(&record))
        return 0;
    int names = 0;
    for (const wchar_t* part = buffer.data() + record.nFileOffset; *part; part += wcslen(part) + 1)
        ++names;
    return names;
}

// The program's picture dialog, or its plain open dialog (the same hook,
// no preview pane).
int ShowProgramDialog(const std::string& folder, bool withPreview)
{
    std::unique_ptr<TOpenDialog> owned =
        withPreview ? std::make_unique<TOpenPictureDialog>(nullptr) : std::make_unique<TOpenDialog>(nullptr);
    TOpenDialog& dialog = *owned;
    dialog.SetTitle(kTitle);
    dialog.SetFilter(kFilter);
    dialog.SetOptions(TOpenOption::HideReadOnly | TOpenOption::AllowMultiSelect | TOpenOption::EnableSizing);
    dialog.SetInitialDir(folder);
    return dialog.Execute() ? static_cast<int>(dialog.Files().size()) : 0;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PrintRow(const char* what, const std::vector<Timings>& runs)
{
    std::vector<double> open, select, confirm, total, cpu;
    for (const Timings& t : runs) {
        open.push_back(t.Open);
        select.push_back(t.Select);
        confirm.push_back(t.Confirm);
        total.push_back(t.Total);
        cpu.push_back(t.Cpu);
    }
    std::printf("%-26s %10.0f %10.0f %10.0f %10.0f %10.0f\n", what, Median(open), Median(select),
                Median(confirm), Median(total), Median(cpu));
}

int Run(int count, int repetitions)
{
    TApplication application;
    application.Title = "Tessivo";
    std::vector<std::string> errors;
    application.OnShowError = [&](const std::string&, const std::string& text) { errors.push_back(text); };
    TPictureFolder folder(count);
    TDriver driver(count);
    std::vector<Timings> bare, hooked, program, plain;
    bool ok = true;
    auto run = [&](std::vector<Timings>& into, const char* what, const std::function<int()>& show) {
        int returned = 0;
        into.push_back(driver.Run(show, returned));
        if (returned != count) {
            std::printf("WRONG: %s returned %d files of %d\n", what, returned, count);
            ok = false;
        }
    };
    auto runBare = [&] {
        run(bare, "the bare dialog", [&] { return ShowBareDialog(folder.Path(), false); });
    };
    auto runHooked = [&] {
        run(hooked, "the bare dialog with an empty hook",
            [&] { return ShowBareDialog(folder.Path(), true); });
    };
    auto runProgram = [&] {
        run(program, "the program's dialog", [&] { return ShowProgramDialog(folder.Path(), true); });
        run(plain, "the program's plain dialog", [&] { return ShowProgramDialog(folder.Path(), false); });
    };
    // The order turns: the later dialogs of a round find some of the
    // system's caches warm.
    for (int r = 0; r < repetitions; ++r) {
        switch (r % 3) {
        case 0:
            runBare(), runHooked(), runProgram();
            break;
        case 1:
            runProgram(), runBare(), runHooked();
            break;
        default:
            runHooked(), runProgram(), runBare();
            break;
        }
    }
    std::printf("%d files chosen at once, median of %d runs each (ms):\n", count, repetitions);
    std::printf("%-26s %10s %10s %10s %10s %10s\n", "", "listed", "select", "confirm", "total", "cpu");
    PrintRow("bare system dialog", bare);
    PrintRow("bare, with an empty hook", hooked);
    PrintRow("the program's dialog", program);
    PrintRow("  the same without preview", plain);
    auto median = [](const std::vector<Timings>& runs, double Timings::*figure) {
        std::vector<double> values;
        for (const Timings& t : runs)
            values.push_back(t.*figure);
        return std::max(1.0, Median(values));
    };
    auto totals = [&](const std::vector<Timings>& runs) { return median(runs, &Timings::Total); };
    auto cpu = [&](const std::vector<Timings>& runs) { return median(runs, &Timings::Cpu); };
    const double ratio = totals(program) / totals(bare);
    const double ratioHooked = totals(program) / totals(hooked);
    std::printf("the program's dialog / bare: %.3f (%+.1f %%), goal <= %.2f %s\n", ratio, (ratio - 1) * 100,
                kGoalRatio, ratio <= kGoalRatio ? "met" : "MISSED");
    std::printf("the program's dialog / bare with an empty hook: %.3f (%+.1f %%), goal <= %.2f %s\n",
                ratioHooked, (ratioHooked - 1) * 100, kGoalRatio,
                ratioHooked <= kGoalRatio ? "met" : "MISSED");
    std::printf("processor time, the program's dialog / bare: %.3f, / bare with an empty hook: %.3f\n",
                cpu(program) / cpu(bare), cpu(program) / cpu(hooked));
    for (const std::string& error : errors) {
        std::printf("ERROR reported: %s\n", error.c_str());
        ok = false;
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    int count = 2000, repetitions = 3;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--files=", 8) == 0) {
            count = std::atoi(argv[i] + 8);
        } else if (std::strncmp(argv[i], "--repetitions=", 14) == 0) {
            repetitions = std::atoi(argv[i] + 14);
        } else {
            std::fprintf(stderr, "usage: tessivo_dialog_bench [--files=N] [--repetitions=N]\n");
            return 2;
        }
    }
    if (count < 1 || repetitions < 1) {
        std::fprintf(stderr, "tessivo_dialog_bench: --files and --repetitions need at least 1\n");
        return 2;
    }
    try {
        return Run(count, repetitions);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "tessivo_dialog_bench: %s\n", error.what());
        return 1;
    }
}
