#pragma once

#include <array>
#include <cstdint>

namespace tessaly {

// The state and place of one working window, in twips, as a pattern file stores it.
struct WindowValue {
    std::int16_t State = 0;  // 0 normal, 1 minimised, 2 maximised
    std::int32_t Top = 0;
    std::int32_t Left = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;

    friend bool operator==(const WindowValue&, const WindowValue&) = default;
};

// Main, design, display and weaving assistant windows, in the order the file stores them.
using WindowValues = std::array<WindowValue, 4>;

}  // namespace tessaly
