// The control tree: enter/leave forwarding, focus notification, dialog keys,
// alignment inside an adjusted client area, the application-wide cursor.

#include "framework/CustomControl.h"
#include "framework/Form.h"
#include "support/TestApplication.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the framework messages it receives, in order, into a shared log.
class RecordingControl : public TCustomControl {
public:
    RecordingControl(TComponent* owner, std::string tag, std::vector<std::string>& log)
        : TCustomControl(owner), tag_(std::move(tag)), log_(log)
    {
        SetControlStyle(ControlStyle() | TControlStyleFlag::AcceptsControls);
    }
    void WndProc(TMessage& message) override
    {
        TCustomControl::WndProc(message);
        switch (message.Msg) {
        case CM_MOUSEENTER:
            log_.push_back(tag_ + ":enter");
            break;
        case CM_MOUSELEAVE:
            log_.push_back(tag_ + ":leave");
            break;
        case CM_FOCUSCHANGED:
            log_.push_back(tag_ + ":focus");
            break;
        case CM_DIALOGKEY:
            log_.push_back(tag_ + ":dialogkey");
            if (handlesDialogKey)
                message.Result = 1;
            break;
        }
    }
    bool handlesDialogKey = false;

protected:
    void AdjustClientRect(RECT& rect) override { InflateRect(&rect, -inset, -inset); }

public:
    int inset = 0;

private:
    std::string tag_;
    std::vector<std::string>& log_;
};

struct Tree {
    std::vector<std::string> log;
    TForm form{nullptr};
    RecordingControl* outer;
    RecordingControl* inner;
    RecordingControl* sibling;
    Tree()
    {
        form.SetBorderStyle(TFormBorderStyle::None);
        form.SetBounds(50, 50, 300, 200);
        outer = new RecordingControl(&form, "outer", log);
        outer->SetParent(&form);
        outer->SetBounds(10, 10, 200, 150);
        inner = new RecordingControl(&form, "inner", log);
        inner->SetParent(outer);
        inner->SetBounds(20, 20, 50, 30);
        sibling = new RecordingControl(&form, "sibling", log);
        sibling->SetParent(&form);
        sibling->SetBounds(220, 10, 50, 30);
        form.Handle();
    }
};

} // namespace

TEST(ControlTree, MouseEnterIsForwardedToParentsBeforeTheControlReacts)
{
    Tree tree;
    Application->SetMouseControl(tree.outer);
    EXPECT_EQ(tree.log, (std::vector<std::string>{"outer:enter"}));
    tree.log.clear();

    // Onto the child: the parent hears the leave, then the child's enter
    // reaches the parent first.
    Application->SetMouseControl(tree.inner);
    EXPECT_EQ(tree.log, (std::vector<std::string>{"outer:leave", "outer:enter", "inner:enter"}));
    tree.log.clear();
    Application->SetMouseControl(nullptr);
    EXPECT_EQ(tree.log, (std::vector<std::string>{"outer:leave", "inner:leave"}));
}

TEST(ControlTree, MouseMoveMessagesTrackTheControlUnderThePointer)
{
    Tree tree;
    Application->SetMouseControl(nullptr);
    tree.log.clear();
    SendMessageA(tree.outer->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Application->MouseControl(), tree.outer);
    SendMessageA(tree.inner->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(Application->MouseControl(), tree.inner);

    // While a control holds the capture, a move outside it is a leave, and
    // nothing else becomes hot.
    SetCapture(tree.inner->Handle());
    tree.log.clear();
    SendMessageA(tree.inner->Handle(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(500, 500));
    EXPECT_EQ(Application->MouseControl(), nullptr);
    EXPECT_EQ(tree.log, (std::vector<std::string>{"outer:leave", "inner:leave"}));
    ReleaseCapture();
    Application->SetMouseControl(nullptr);
}

TEST(ControlTree, FocusChangeIsToldToEveryControlOfTheForm)
{
    Tree tree;
    tree.form.Show();
    tree.log.clear();
    tree.sibling->SetFocus();
    EXPECT_EQ(tree.form.ActiveControl(), tree.sibling);
    EXPECT_NE(std::find(tree.log.begin(), tree.log.end(), "outer:focus"), tree.log.end());
    EXPECT_NE(std::find(tree.log.begin(), tree.log.end(), "inner:focus"), tree.log.end());
    EXPECT_NE(std::find(tree.log.begin(), tree.log.end(), "sibling:focus"), tree.log.end());
}

TEST(ControlTree, DialogKeyIsOfferedUntilAControlTakesIt)
{
    Tree tree;
    tree.inner->handlesDialogKey = true;
    EXPECT_EQ(tree.form.Perform(CM_DIALOGKEY, VK_RETURN, 0), 1);
    // Offered to outer, which passes it to its child inner, which takes it;
    // the sibling after them never sees it.
    EXPECT_EQ(tree.log, (std::vector<std::string>{"inner:dialogkey", "outer:dialogkey"}));

    tree.log.clear();
    tree.inner->handlesDialogKey = false;
    EXPECT_EQ(tree.form.Perform(CM_DIALOGKEY, VK_ESCAPE, 0), 0);
    EXPECT_EQ(tree.log,
              (std::vector<std::string>{"inner:dialogkey", "outer:dialogkey", "sibling:dialogkey"}));
}

TEST(ControlTree, AlignedChildrenFillTheAdjustedClientArea)
{
    std::vector<std::string> log;
    TForm form(nullptr);
    auto* panel = new RecordingControl(&form, "panel", log);
    panel->inset = 3;
    panel->SetParent(&form);
    panel->SetBounds(0, 0, 100, 80);
    auto* top = new RecordingControl(&form, "top", log);
    top->SetParent(panel);
    top->SetHeight(10);
    top->SetAlign(TAlign::Top);
    auto* left = new RecordingControl(&form, "left", log);
    left->SetParent(panel);
    left->SetWidth(20);
    left->SetAlign(TAlign::Left);
    auto* client = new RecordingControl(&form, "client", log);
    client->SetParent(panel);
    client->SetAlign(TAlign::Client);
    form.Handle();

    EXPECT_EQ(top->BoundsRect().left, 3);
    EXPECT_EQ(top->BoundsRect().top, 3);
    EXPECT_EQ(top->Width(), 94);
    EXPECT_EQ(left->BoundsRect().top, 13);
    EXPECT_EQ(left->Height(), 64);
    EXPECT_EQ(client->Left(), 23);
    EXPECT_EQ(client->Top(), 13);
    EXPECT_EQ(client->Width(), 74);
    EXPECT_EQ(client->Height(), 64);

    // Resizing the parent lays the children out again.
    panel->SetBounds(0, 0, 120, 100);
    EXPECT_EQ(client->Width(), 94);
    EXPECT_EQ(client->Height(), 84);
}

TEST(ApplicationCursor, HourglassWinsOverTheWindowsOwnCursor)
{
    Tree tree;
    HWND window = tree.inner->Handle();
    Application->SetCursor(crHourGlass);
    EXPECT_EQ(SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              1);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_WAIT));
    Application->SetCursor(crDefault);
    // Back to the window's own choice: the default handling decides.
    EXPECT_EQ(Application->Cursor(), crDefault);
}
