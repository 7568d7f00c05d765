// The copy worker's wait, measured on the 32-bit millisecond tick count.
#pragma once

#include <cstdint>

namespace talvine {

class TickWait {
public:
    TickWait(uint32_t startTick, int32_t ms) : start_(startTick), ms_(ms) {}

    // A count of 0 or less needs no waiting at all.
    bool Needed() const { return ms_ > 0; }

    // True at the first reading past the deadline. Elapsed time is compared rather
    // than absolute ticks, so a wait that spans the counter's wrap (every 49.7 days)
    // still lasts its count.
    bool Over(uint32_t nowTick) const {
        return !Needed() || static_cast<uint32_t>(nowTick - start_) > static_cast<uint32_t>(ms_);
    }

private:
    uint32_t start_;
    int32_t ms_;
};

}  // namespace talvine
