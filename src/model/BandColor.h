#pragma once

#include <cstdint>
#include <vector>

namespace tessaly {

// One distinct colour of the draft and how many holes carry it.
struct BandColor {
    std::int32_t Color = 0;
    std::int32_t Count = 0;
};

using BandColors = std::vector<BandColor>;

}  // namespace tessaly
