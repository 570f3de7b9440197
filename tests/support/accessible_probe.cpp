// A screen reader's first look at a window, from a process of its own: for
// the window given (a hexadecimal handle or a window class name) and every
// window inside it, what the accessible object of its client area says, one
// line each, UTF-8:
//   handle  result  role  state  name  value  description  default action
// The fields are tab-separated; only the handle and the result when the
// window gives no object.

#include <windows.h>

#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string Utf8(BSTR text)
{
    if (!text)
        return {};
    const int wide = static_cast<int>(SysStringLen(text));
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, wide, utf8.data(), size, nullptr, nullptr);
    SysFreeString(text);
    return utf8;
}

void Describe(HWND window, FILE* out)
{
    IAccessible* object = nullptr;
    const HRESULT result = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                      reinterpret_cast<void**>(&object));
    std::fprintf(out, "%llx\t%08lx", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(window)),
                 static_cast<unsigned long>(result));
    if (SUCCEEDED(result) && object) {
        VARIANT self{};
        self.vt = VT_I4;
        self.lVal = CHILDID_SELF;
        VARIANT role{}, state{};
        object->get_accRole(self, &role);
        object->get_accState(self, &state);
        BSTR name = nullptr, value = nullptr, description = nullptr, action = nullptr;
        object->get_accName(self, &name);
        object->get_accValue(self, &value);
        object->get_accDescription(self, &description);
        object->get_accDefaultAction(self, &action);
        std::fprintf(out, "\t%ld\t%ld\t%s\t%s\t%s\t%s", role.vt == VT_I4 ? role.lVal : -1L,
                     state.vt == VT_I4 ? state.lVal : -1L, Utf8(name).c_str(), Utf8(value).c_str(),
                     Utf8(description).c_str(), Utf8(action).c_str());
        object->Release();
    }
    std::fputc('\n', out);
}

BOOL CALLBACK DescribeChild(HWND window, LPARAM out)
{
    Describe(window, reinterpret_cast<FILE*>(out));
    return TRUE;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    // A handle in hexadecimal, or the class name of a top-level window.
    char* end = nullptr;
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(argv[1], &end, 16)));
    if (*end != '\0')
        window = FindWindowA(argv[1], nullptr);
    // Written under another name and renamed once complete, so that a
    // reader waiting for the file never reads it half written.
    const std::string partial = std::string(argv[2]) + ".part";
    FILE* out = std::fopen(partial.c_str(), "wb");
    if (!out)
        return 3;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Describe(window, out);
    EnumChildWindows(window, DescribeChild, reinterpret_cast<LPARAM>(out));
    CoUninitialize();
    std::fclose(out);
    return MoveFileExA(partial.c_str(), argv[2], MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
