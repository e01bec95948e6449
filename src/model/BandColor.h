#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

// One distinct colour of the draft and how many holes carry it.
struct BandColor {
    std::int32_t ColorCode = 0;  // 0x00BBGGRR
    std::int16_t Red = 0;
    std::int16_t Green = 0;
    std::int16_t Blue = 0;
    std::string RGBText;  // "255, 0, 0"
    std::int32_t HoleCount = 0;

    friend bool operator==(const BandColor&, const BandColor&) = default;
};

// The palette in the order the colours were first met; entry 0 is the first colour.
using BandColors = std::vector<BandColor>;

}  // namespace tessaly
