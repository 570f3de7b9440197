#pragma once
// What the main form needs from outside, handed to it at construction: the
// program passes the real services, tests pass fakes where the real thing
// cannot be observed or made to fail.

class IClock;

struct PlatformServices {
    IClock* Clock = nullptr;
};
