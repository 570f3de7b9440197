#include "support/ModalScript.h"

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
