#pragma once

#include <QString>
#include <cstdint>

#include "engine/AppState.h"

namespace tessaly {

// The band display's zoom: the block size and margin of the pattern state, and the ratio
// the caption shows. One step changes the block size by one pixel; at most one side of the
// ratio differs from 1, and the block size is always 10 plus the steps in minus the steps out.
class Zoom {
  public:
    static constexpr std::int32_t kStartSize = 10;
    static constexpr std::int32_t kMinBlockSize = 1;
    static constexpr std::int32_t kMaxBlockSize = 100;
    // A wider canvas would cost more memory than a band display is worth.
    static constexpr std::int32_t kMaxCanvasWidth = 16384;

    explicit Zoom(AppState& state) : state_(state) {}

    // Each returns false, changing nothing, at its limit.
    bool StepIn(std::int32_t cardCount);
    bool StepOut();
    // Block size and margin back to 10, the ratio to 1:1.
    void Reset();

    std::int16_t In() const { return in_; }
    std::int16_t Out() const { return out_; }
    void SetIn(std::int16_t in) { in_ = in; }
    void SetOut(std::int16_t out) { out_ = out; }
    QString Ratio() const { return QString("%1:%2").arg(in_).arg(out_); }

  private:
    void SetSize(std::int32_t size);

    AppState& state_;
    std::int16_t in_ = 1;
    std::int16_t out_ = 1;
};

}  // namespace tessaly
