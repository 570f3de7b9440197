#include "StdCtrlsTestSupport.h"

#include "framework/Timer.h"

#include <cstdio>

HostForm::HostForm(int width, int height, bool shown) : TForm(nullptr)
{
    SetBorderStyle(TFormBorderStyle::bsNone);
    SetBounds(120, 120, width, height);
    SetColor(clWhite);
    if (shown)
        Show();
    else
        Handle();
}

std::unique_ptr<TBitmap> Snapshot(TWinControl& control)
{
    auto bitmap = std::make_unique<TBitmap>(control.Width(), control.Height());
    control.PaintTo(bitmap->Canvas().Handle(), 0, 0);
    GdiFlush();
    return bitmap;
}

COLORREF PixelOf(TBitmap& bitmap, int x, int y)
{
    return static_cast<COLORREF>(bitmap.Canvas().Pixel(x, y)) & 0xFFFFFF;
}

ScratchFolder::ScratchFolder()
{
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%sstdctrls-%lu-%d", temp, GetCurrentProcessId(), ++counter);
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder()
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA(File(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path_.c_str());
}

void ScratchFolder::Write(const std::string& name, const std::string& bytes) const
{
    HANDLE file = CreateFileA(File(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    if (!bytes.empty())
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

TickScript::TickScript(unsigned intervalMs) : timer_(std::make_unique<TTimer>(nullptr))
{
    timer_->SetEnabled(false);
    timer_->SetInterval(intervalMs);
    timer_->SetOnTimer([this](TObject*) {
        if (next_ < steps_.size() && steps_[next_]())
            ++next_;
        if (Finished())
            timer_->SetEnabled(false);
    });
}

TickScript::~TickScript() = default;

void TickScript::Then(std::function<bool()> step)
{
    steps_.push_back(std::move(step));
}

void TickScript::Start()
{
    timer_->SetEnabled(true);
}

HWND FindDescendant(HWND parent, const char* className)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        if (lstrcmpiA(name, className) == 0)
            return child;
        if (HWND inner = FindDescendant(child, className))
            return inner;
    }
    return nullptr;
}
