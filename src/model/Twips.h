#pragma once

#include <cmath>

namespace tessaly {

// Window places are stored in twips; the screen has 15 twips to a logical pixel.
constexpr int kTwipsPerPixel = 15;

inline int TwipsToPixels(long long twips) {
    return static_cast<int>(std::llround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline long long PixelsToTwips(int pixels) {
    return static_cast<long long>(pixels) * kTwipsPerPixel;
}

}  // namespace tessaly
