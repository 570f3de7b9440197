#pragma once
// Where random choices come from. The program seeds a generator from the
// clock; tests pass a seed of their own, so a shuffled run can be repeated.
//
// Portable: no Windows header.

#include <cstdint>
#include <random>

class IRandomSource {
public:
    virtual ~IRandomSource() = default;
    // A number from 0 to bound - 1, every one as likely; 0 when bound is 0.
    virtual uint32_t Below(uint32_t bound) = 0;
};

// A Mersenne twister drawn without modulo bias, so the same seed gives the
// same choices with every standard library.
class TSeededRandom : public IRandomSource {
public:
    explicit TSeededRandom(uint32_t seed) : engine_(seed) {}
    uint32_t Below(uint32_t bound) override;

private:
    std::mt19937 engine_;
};
