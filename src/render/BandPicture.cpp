#include "BandPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <algorithm>

#include "errors/AppError.h"

namespace tessaly {

// Draws on several canvases at once, so the SVG and the PNG come from one pass.
class BandPicture::FanOut : public Canvas {
  public:
    FanOut(std::vector<Canvas*> targets, std::int32_t height)
        : targets_(std::move(targets)), height_(height) {}
    double ScaleHeight() const override { return height_; }
    void SetFillColor(std::int32_t color) override {
        for (Canvas* c : targets_) c->SetFillColor(color);
    }
    void SetWeft(std::int32_t color) override {
        for (Canvas* c : targets_) c->SetWeft(color);
    }
    bool ShowsWeft() const override {
        return std::any_of(targets_.begin(), targets_.end(),
                           [](const Canvas* c) { return c->ShowsWeft(); });
    }
    void Polygon(const Outline& points) override {
        for (Canvas* c : targets_) c->Polygon(points);
    }
    void Clear() override {
        for (Canvas* c : targets_) c->Clear();
    }

  private:
    std::vector<Canvas*> targets_;
    std::int32_t height_;
};

void BandPicture::CheckImageBudget(std::int32_t width, std::int32_t height) {
    if (std::int64_t{width} * height * 4 > kMaxImageBytes)
        throw AppError(ErrorNumber::OutOfMemory,
                       "the band's picture is " + std::to_string(width) + " by " +
                           std::to_string(height) + " pixels: it would need more than the " +
                           std::to_string(kMaxImageBytes >> 20) + " MB a picture may use");
}

BandPicture::BandPicture(std::int32_t width, bool svg, bool png, std::int32_t height) {
    std::vector<Canvas*> targets;
    if (svg) {
        svg_ = std::make_unique<SvgCanvas>(width, height);
        targets.push_back(svg_.get());
    }
    if (png) {
        CheckImageBudget(width, height);
        raster_ = std::make_unique<RasterCanvas>(width, height);
        targets.push_back(raster_.get());
    }
    target_ = std::make_unique<FanOut>(std::move(targets), height);
}

BandPicture::~BandPicture() = default;

Canvas& BandPicture::Target() { return *target_; }

std::string BandPicture::Svg() const { return svg_ ? svg_->ToSvg() : std::string(); }

std::string BandPicture::Png() const {
    if (!raster_) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!raster_->Image().save(&buffer, "PNG"))
        throw AppError(ErrorNumber::PathFileAccessError, "the picture cannot be encoded as PNG");
    return std::string(png.constData(), static_cast<std::size_t>(png.size()));
}

}  // namespace tessaly
