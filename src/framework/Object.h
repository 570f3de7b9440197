#pragma once
// Root classes of the framework's objects and the event types handlers use.

#include <windows.h>

#include <cstdint>
#include <functional>

class TObject {
public:
    virtual ~TObject() = default;
};

// Objects whose properties can be copied from another of their kind.
class TPersistent : public TObject {};

enum class TMouseButton : uint8_t { Left, Right, Middle };
// The modifier keys and mouse buttons held down, as bits of a TShiftState.
struct TShiftFlag {
    enum : uint8_t { Shift = 1, Alt = 2, Ctrl = 4, Left = 8, Right = 16, Middle = 32 };
};
using TShiftState = uint8_t;

using TNotifyEvent = std::function<void(TObject* sender)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;
