#pragma once
// A number field: a system EDIT with up/down arrows (an UPDOWN child at its
// right edge) and the Up/Down keys stepping the value. The text may hold
// anything until the field loses the focus; then it is corrected into the
// range, or set to MinValue when it is not a number.

#include "framework/WinControl.h"
#include "framework/stdctrls/SpinValue.h"

class TSpinEdit : public TWinControl {
public:
    explicit TSpinEdit(TComponent* owner);

    int MinValue() const { return range_.MinValue; }
    void SetMinValue(int value) { range_.MinValue = value; }
    int MaxValue() const { return range_.MaxValue; }
    void SetMaxValue(int value) { range_.MaxValue = value; }
    int Increment() const { return increment_; }
    void SetIncrement(int increment) { increment_ = increment; }

    // The text read as a number, clamped into the range (MinValue when it is
    // not a number).
    int Value() const;
    // Writes the value, clamped into the range, as the text.
    void SetValue(int value);
    // The text as it stands, whatever it holds.
    std::string Text() const;
    // Sets the text unchecked; it is corrected when the field loses the focus.
    void SetText(const std::string& text);

    // Steps the value up or down by Increment, as the arrows do.
    void StepBy(int steps);

    // The text changed (typed, stepped or set).
    TNotifyEvent OnChange;

    void WndProc(TMessage& message) override;
    // A number that steps up and down, its text as the value.
    long AccessibleRole() const override;
    std::string AccessibleValue() const override { return Text(); }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void KeyDown(WORD& key, TShiftState shift) override;
    void KeyPress(wchar_t& key) override;

private:
    // The text as a clean number in the range, if it is not one already.
    void CorrectText();
    void PlaceArrows();
    bool HandleArrowsNotify(TMessage& message);

    SpinRange range_;
    int increment_ = 1;
    HWND arrows_ = nullptr; // a child window: it goes with the edit's window
};
