#include "core/RandomSource.h"

uint32_t TSeededRandom::Below(uint32_t bound)
{
    if (bound == 0)
        return 0;
    // Draws under this threshold would make the low numbers more likely.
    const uint32_t threshold = (0u - bound) % bound;
    for (;;) {
        const uint32_t value = static_cast<uint32_t>(engine_());
        if (value >= threshold)
            return value % bound;
    }
}
