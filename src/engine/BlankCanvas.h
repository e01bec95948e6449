#pragma once

#include "Canvas.h"

namespace tessaly {

// A canvas of a given height on which nothing is drawn: for passes that only want the rows'
// instructions, or that weave as if a view were there.
class BlankCanvas : public Canvas {
  public:
    explicit BlankCanvas(double scaleHeight) : scaleHeight_(scaleHeight) {}
    double ScaleHeight() const override { return scaleHeight_; }
    void SetFillColor(std::int32_t) override {}
    void Polygon(const Outline&) override {}
    void Clear() override {}

  private:
    double scaleHeight_;
};

}  // namespace tessaly
