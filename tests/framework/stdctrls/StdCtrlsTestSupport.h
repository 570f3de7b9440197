#pragma once
// Shared by the standard-control tests: a host form, rendering into a
// bitmap, a scratch folder and driving modal loops from timer ticks.

#include "framework/Form.h"
#include "framework/graphics/Bitmap.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTimer;

// A borderless form at a known place. Shown forms get real focus and mouse
// positions; hidden ones are enough for messages and painting.
class HostForm : public TForm {
public:
    HostForm(int width, int height, bool shown);
};

// The control painted into a 24-bit bitmap of its size, as on screen.
std::unique_ptr<TBitmap> Snapshot(TWinControl& control);
// 0x00BBGGRR of a pixel.
COLORREF PixelOf(TBitmap& bitmap, int x, int y);

// A new empty folder under the temporary folder, removed with its files.
class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Creates a file with the given bytes.
    void Write(const std::string& name, const std::string& bytes = "") const;

private:
    std::string path_;
};

// Steps run one per timer tick while some modal loop (a menu, a dialog)
// holds the thread; the loop dispatches the ticks. A step that returns false
// is tried again at the next tick.
class TickScript {
public:
    explicit TickScript(unsigned intervalMs = 50);
    ~TickScript();
    void Then(std::function<bool()> step);
    void Start();
    bool Finished() const { return next_ >= steps_.size(); }

private:
    std::unique_ptr<TTimer> timer_;
    std::vector<std::function<bool()>> steps_;
    size_t next_ = 0;
};

// The first descendant window of the given class, or nullptr.
HWND FindDescendant(HWND parent, const char* className);
