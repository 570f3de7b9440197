#pragma once
// Runs a clean-up step when a scope ends, whether it ends normally or by an
// error, for the odd step that has no scope type of its own. The step must
// not throw.

#include <utility>

template <class Step>
class ScopeExit {
public:
    explicit ScopeExit(Step step) : step_(std::move(step)) {}
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;
    ~ScopeExit() { step_(); }

private:
    Step step_;
};
