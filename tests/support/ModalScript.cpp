#include "support/ModalScript.h"

#include "framework/Application.h"
#include "framework/Timer.h"

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

namespace {

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found)
{
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    if (std::string(name) != "#32770" || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

BOOL CALLBACK LongestStaticText(HWND child, LPARAM text)
{
    char name[16] = {};
    GetClassNameA(child, name, sizeof name);
    char buffer[512] = {};
    if (lstrcmpiA(name, "Static") == 0 && GetWindowTextA(child, buffer, sizeof buffer) > 0) {
        auto& longest = *reinterpret_cast<std::string*>(text);
        if (std::string(buffer).size() > longest.size())
            longest = buffer;
    }
    return TRUE;
}

} // namespace

std::vector<Question> AnsweringQuestions(const std::function<void()>& act, std::vector<int> answers)
{
    std::vector<Question> asked;
    TickScript script(20);
    for (const int answer : answers) {
        script.Then([&asked, answer] {
            HWND box = nullptr;
            EnumThreadWindows(GetCurrentThreadId(), FindMessageBox, reinterpret_cast<LPARAM>(&box));
            if (!box)
                return false;
            Question question;
            EnumChildWindows(box, LongestStaticText, reinterpret_cast<LPARAM>(&question.Text));
            for (const int button : {IDYES, IDNO})
                if (HWND item = GetDlgItem(box, button);
                    item && (GetWindowLongA(item, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
                    question.DefaultButton = button;
            asked.push_back(question);
            PostMessageA(box, WM_COMMAND, answer, 0);
            return true;
        });
    }
    script.Start();
    Application->Guarded(act);
    return asked;
}
