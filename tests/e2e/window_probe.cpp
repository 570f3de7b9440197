// Reads the running program's main window as the system sees it, from
// another process in the same desktop, and prints one line per fact:
//
//   awareness N        0 unaware, 1 system aware, 2 per-monitor aware
//                      (GetAwarenessFromDpiAwarenessContext of the window's
//                      context), -1 when the system cannot tell
//   dpi N              GetDpiForWindow
//   window W H         the window's size
//   control L T R B TEXT
//                      every child window with a text, in the main
//                      window's client coordinates
//   clipped TEXT       a button or check box whose text, in the layout's
//                      font at the window's DPI, does not fit beside its box
//                      or inside its border
//
// usage: window_probe CLASS
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

template <class Function>
Function User32(const char* name)
{
    return reinterpret_cast<Function>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

std::string Utf8(const std::wstring& text)
{
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(size > 0 ? size - 1 : 0, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), size, nullptr, nullptr);
    return out;
}

struct Probe {
    HWND main;
    int dpi;
};

// The width of `text` in the layout's bold 8-point MS Sans Serif made at
// `dpi` (another process's font handle cannot be used here); the buttons'
// plain face is never wider.
int TextWidth(const std::wstring& text, int dpi)
{
    HFONT font = CreateFontW(-MulDiv(11, dpi, 96), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0,
                             0, DEFAULT_QUALITY, 0, L"MS Sans Serif");
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    DeleteObject(font);
    return size.cx;
}

BOOL CALLBACK Child(HWND window, LPARAM parameter)
{
    const Probe& probe = *reinterpret_cast<const Probe*>(parameter);
    wchar_t text[256] = L"", className[64] = L"";
    GetWindowTextW(window, text, 256);
    GetClassNameW(window, className, 64);
    if (!*text || !IsWindowVisible(window))
        return TRUE;
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, probe.main, reinterpret_cast<POINT*>(&rect), 2);
    std::printf("control %ld %ld %ld %ld %s\n", rect.left, rect.top, rect.right, rect.bottom,
                Utf8(text).c_str());
    const bool checkBox = (GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK) == BS_AUTOCHECKBOX &&
                          lstrcmpiW(className, L"Button") == 0;
    // A check box's text follows its box; a button's lies inside its border.
    const int room =
        (rect.right - rect.left) - (checkBox ? MulDiv(13 + 4, probe.dpi, 96) : MulDiv(4, probe.dpi, 96));
    if ((checkBox || lstrcmpiW(className, L"Button") != 0) && TextWidth(text, probe.dpi) > room)
        std::printf("clipped %s\n", Utf8(text).c_str());
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return 2;
    std::wstring className(argv[1], argv[1] + std::strlen(argv[1]));
    HWND main = nullptr;
    for (int attempt = 0; attempt < 50 && !main; ++attempt, Sleep(100))
        main = FindWindowW(className.c_str(), nullptr);
    if (!main) {
        std::printf("no window\n");
        return 1;
    }
    auto windowContext = User32<HANDLE(WINAPI*)(HWND)>("GetWindowDpiAwarenessContext");
    auto awarenessOf = User32<int(WINAPI*)(HANDLE)>("GetAwarenessFromDpiAwarenessContext");
    auto dpiForWindow = User32<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    std::printf("awareness %d\n", windowContext && awarenessOf ? awarenessOf(windowContext(main)) : -1);
    Probe probe{main, dpiForWindow ? static_cast<int>(dpiForWindow(main)) : 0};
    std::printf("dpi %d\n", probe.dpi);
    RECT rect;
    GetWindowRect(main, &rect);
    std::printf("window %ld %ld\n", rect.right - rect.left, rect.bottom - rect.top);
    EnumChildWindows(main, Child, reinterpret_cast<LPARAM>(&probe));
    std::fflush(stdout);
    return 0;
}
