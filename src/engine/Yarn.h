#pragma once

#include <cstdint>
#include <vector>

#include "Threading.h"
#include "model/PatternExtras.h"

namespace tessaly {

// How much yarn of one colour the warp takes: a thread for each hole that holds the colour,
// each as long as the warp and the take-up together.
struct YarnNeed {
    std::int32_t color = 0;  // 0x00BBGGRR
    std::int32_t threads = 0;
    double length = 0;  // in the warp's unit

    friend bool operator==(const YarnNeed&, const YarnNeed&) = default;
};

// The yarn so many threads take: each as long as the warp and its take-up.
double YarnLength(std::int32_t threads, const WarpLength& warp);
// The yarn each colour of the draft needs, in the order the colours are first met.
std::vector<YarnNeed> YarnNeeds(const std::vector<DraftColumn>& draft, const WarpLength& warp);

}  // namespace tessaly
