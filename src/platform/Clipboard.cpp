#include "platform/Clipboard.h"

#include "core/Exceptions.h"
#include "platform/SystemError.h"
#include "platform/WideText.h"

#include <cstring>

namespace {

[[noreturn]] void RaiseClipboardError(DWORD errorCode)
{
    throw Exception("Cannot copy to the clipboard. " + SystemErrorMessage(errorCode));
}

// The clipboard opened for one window, closed when this object goes.
class TOpenClipboard {
public:
    explicit TOpenClipboard(HWND owner)
    {
        if (!OpenClipboard(owner))
            RaiseClipboardError(GetLastError());
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;
    ~TOpenClipboard() { CloseClipboard(); }
};

// Movable global memory, freed unless the clipboard took it over.
class TGlobalMemory {
public:
    explicit TGlobalMemory(size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes))
    {
        if (!memory_)
            RaiseClipboardError(GetLastError());
    }
    TGlobalMemory(const TGlobalMemory&) = delete;
    TGlobalMemory& operator=(const TGlobalMemory&) = delete;
    ~TGlobalMemory()
    {
        if (memory_)
            GlobalFree(memory_);
    }
    void Fill(const void* bytes, size_t count)
    {
        void* target = GlobalLock(memory_);
        if (!target)
            RaiseClipboardError(GetLastError());
        std::memcpy(target, bytes, count);
        GlobalUnlock(memory_);
    }
    HGLOBAL Get() const { return memory_; }
    void Release() { memory_ = nullptr; }

private:
    HGLOBAL memory_;
};

} // namespace

void CopyTextToClipboard(HWND owner, const std::string& text)
{
    const std::wstring wide = WideFromUtf8(text);
    const size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    TGlobalMemory memory(bytes);
    memory.Fill(wide.c_str(), bytes);
    const TOpenClipboard clipboard(owner);
    if (!EmptyClipboard() || !SetClipboardData(CF_UNICODETEXT, memory.Get()))
        RaiseClipboardError(GetLastError());
    // The clipboard owns the memory now.
    memory.Release();
}
