#pragma once

#include <QImage>
#include <climits>
#include <functional>
#include <vector>

#include "engine/Canvas.h"

namespace tessaly {

// The band drawn into an in-memory image at one canvas unit per pixel.
//
// A band is drawn bottom row first and every block reaches up to the top limit, so most of
// what a redraw paints is painted over again by the rows above it. Blocks of that shape are
// therefore queued and painted when the picture is next looked at, last block first, each
// pixel once: the result is what painting them in order would give.
class RasterCanvas : public Canvas {
  public:
    static constexpr QRgb kBackground = 0xFFFFFFFF;
    // Blocks queued at most before they are painted.
    static constexpr std::size_t kMaxQueued = std::size_t{1} << 16;

    RasterCanvas(int width, int height);

    // Painting every block at once, in drawing order, gives the same picture more slowly.
    void SetDeferred(bool deferred) { deferred_ = deferred; }

    double ScaleHeight() const override { return image_.height(); }
    void SetFillColor(std::int32_t color) override { fillColor_ = color; }
    void SetWeft(std::int32_t color) override;
    bool ShowsWeft() const override { return showsWeft_; }
    void Polygon(const Outline& points) override;
    void Clear() override;
    // Tells whoever shows the picture that it changed.
    void Refresh() override {
        if (refreshHandler_) refreshHandler_();
    }
    void SetRefreshHandler(std::function<void()> handler) { refreshHandler_ = std::move(handler); }

    // Until Unrestrict, drawing reaches only columns left to right (inclusive), which are
    // cleared: a pass drawing the whole band again then paints a few cards' columns only,
    // each pixel as the whole redraw would.
    void RestrictColumns(int left, int right);
    void Unrestrict();

    // Keeps the drawing where the new size overlaps the old one, as a resized picture does.
    void Resize(int width, int height);
    const QImage& Image() const;
    // The part of the picture drawn on since it was last asked, for a view that repaints only
    // what changed; empty when nothing was.
    QRect TakeChanged();

    // 0x00BBGGRR to a Qt colour.
    static QColor ToQColor(std::int32_t color);

  private:
    // A block: vertical sides at left and right, a top edge on the top limit and a straight
    // bottom edge from (left, leftY) to (right, rightY).
    struct QueuedBlock {
        int left;
        int right;
        int top;
        int leftY;
        int rightY;
        QRgb fill;
        bool outlined;  // an empty hole's block paints the background inside it, and no edges
    };

    void Flush() const;
    void PaintPolygon(const Outline& points);

    mutable QImage image_;
    mutable std::vector<QueuedBlock> queued_;
    std::int32_t fillColor_ = 0;
    QRgb emptyFill_ = kBackground;  // what an empty hole shows: the weft, or the background
    bool showsWeft_ = false;
    bool deferred_ = true;
    std::function<void()> refreshHandler_;
    QRect changed_;
    int clipLeft_ = 0;
    int clipRight_ = INT_MAX;
};

}  // namespace tessaly
