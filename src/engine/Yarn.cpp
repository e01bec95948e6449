#include "Yarn.h"

#include "Palette.h"

namespace tessaly {

double YarnLength(std::int32_t threads, const WarpLength& warp) {
    return threads * warp.length * (1 + warp.takeUpPercent / 100);
}

std::vector<YarnNeed> YarnNeeds(const std::vector<DraftColumn>& draft, const WarpLength& warp) {
    std::vector<YarnNeed> needs;
    for (const BandColor& color : CountColors(draft))
        needs.push_back({color.ColorCode, color.HoleCount, YarnLength(color.HoleCount, warp)});
    return needs;
}

}  // namespace tessaly
