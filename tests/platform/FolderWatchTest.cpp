// Watching a real folder tree: what the system tells comes out as changes
// with full paths, a burst costs one posted message until it is taken, and
// an idle watch posts nothing.

#include "platform/FolderWatch.h"

#include "core/Exceptions.h"
#include "platform/WideText.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

constexpr UINT ChangesMessage = WM_APP + 10;

// A message-only window whose posted messages the test counts.
class TMessageWindow {
public:
    TMessageWindow()
        : handle_(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
    {
    }
    ~TMessageWindow() { DestroyWindow(handle_); }
    HWND Handle() const { return handle_; }
    // The watch's messages that came within `ms`.
    int Posted(DWORD ms)
    {
        int count = 0;
        const ULONGLONG end = GetTickCount64() + ms;
        while (GetTickCount64() < end) {
            MSG message;
            while (PeekMessageW(&message, handle_, ChangesMessage, ChangesMessage, PM_REMOVE)) {
                EXPECT_EQ(message.wParam, 7u);
                ++count;
            }
            Sleep(10);
        }
        return count;
    }

private:
    HWND handle_;
};

void Touch(const std::string& path)
{
    const HANDLE file =
        CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    CloseHandle(file);
}

} // namespace

TEST(FolderWatch, TellsWhatCameWentAndWasRenamedInTheTreeWithOneMessagePerBurst)
{
    TTempFolder root;
    ASSERT_TRUE(CreateDirectoryA((root / "sub").c_str(), nullptr));
    Touch(root / "old.jpg");
    TMessageWindow window;
    TFolderWatch watch(root.Path(), window.Handle(), ChangesMessage, 7);
    EXPECT_EQ(window.Posted(300), 0);

    Touch(root / "caf\xc3\xa9.jpg");
    ASSERT_TRUE(MoveFileA((root / "old.jpg").c_str(), (root / "new.jpg").c_str()));
    ASSERT_TRUE(DeleteFileW(WideFromUtf8(root / "caf\xc3\xa9.jpg").c_str()));
    // Nothing taken: one message however many changes came.
    EXPECT_EQ(window.Posted(500), 1);
    const std::vector<TFolderChange> changes = watch.TakeChanges();
    const std::vector<std::pair<TFolderChangeKind, std::string>> expected{
        {TFolderChangeKind::Added, root / "caf\xc3\xa9.jpg"},
        {TFolderChangeKind::RenamedFrom, root / "old.jpg"},
        {TFolderChangeKind::RenamedTo, root / "new.jpg"},
        {TFolderChangeKind::Removed, root / "caf\xc3\xa9.jpg"}};
    std::vector<std::pair<TFolderChangeKind, std::string>> got;
    for (const TFolderChange& change : changes) {
        // The system may tell a folder's own change too; only names count here.
        if (change.Path != root / "sub")
            got.emplace_back(change.Kind, change.Path);
    }
    EXPECT_EQ(got, expected);
    EXPECT_FALSE(watch.Ended());
    // Taken: the next change is told again.
    Touch(root / "later.png");
    EXPECT_EQ(window.Posted(500), 1);
    EXPECT_EQ(watch.TakeChanges().size(), 1u);
}

TEST(FolderWatch, AFolderThatIsNotThereCannotBeWatched)
{
    TTempFolder root;
    TMessageWindow window;
    EXPECT_THROW(TFolderWatch(root / "gone", window.Handle(), ChangesMessage, 7), EInOutError);
}
