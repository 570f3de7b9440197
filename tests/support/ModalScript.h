#pragma once
// Driving a modal loop (a menu, a dialog) from inside: steps run one per
// timer tick while the loop holds the thread, since the loop dispatches the
// ticks. A step that returns false is tried again at the next tick.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TTimer;

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

// A question box (Yes/No) as the user saw it: its text and the button
// Enter would press.
struct Question {
    std::string Text;
    int DefaultButton = 0;
};

// Runs `act` and answers each question box it opens with the next of
// `answers` (IDYES, IDNO), noting what each box asked.
std::vector<Question> AnsweringQuestions(const std::function<void()>& act, std::vector<int> answers);
