#include "BandPicture.h"

#include <QBuffer>
#include <QByteArray>
#include <QPainter>
#include <algorithm>
#include <cstdio>

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

void BandPicture::SetMarks(std::optional<int> fellLine, std::optional<RulerScale> rulers) {
    fellLine_ = fellLine;
    rulers_ = rulers;
}

namespace {

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// A ruler's numbers as SVG text, each at its mark, the current pick's in bold red.
std::string SvgRuler(const std::vector<RulerMark>& marks, bool across, int left, int top,
                     int width) {
    std::string out;
    for (const RulerMark& mark : marks) {
        const int x = across ? left + mark.at : left + width - 6;
        const int y = across ? top + kCardRulerHeight / 2 + 4 : top + mark.at + 4;
        out += "<text x=\"" + Number(x) + "\" y=\"" + Number(y) +
               "\" font-family=\"sans-serif\" font-size=\"10\" text-anchor=\"" +
               (across ? "middle" : "end") + "\"" +
               (mark.current ? " font-weight=\"bold\" fill=\"#c00000\"" : " fill=\"#303030\"") +
               ">" + std::to_string(mark.number) + "</text>\n";
    }
    return out;
}

}  // namespace

std::string BandPicture::Svg() const {
    if (!svg_) return {};
    std::string svg = svg_->ToSvg();
    if (!fellLine_ && !rulers_) return svg;
    const int width = svg_->Width(), height = svg_->Height();
    std::string marks;
    if (fellLine_)
        marks += "<rect x=\"0\" y=\"" + Number(*fellLine_ - 1) + "\" width=\"" + Number(width) +
                 "\" height=\"2\" fill=\"#ffffff\"/>\n<line x1=\"0\" y1=\"" + Number(*fellLine_) +
                 "\" x2=\"" + Number(width) + "\" y2=\"" + Number(*fellLine_) +
                 "\" stroke=\"#000000\" stroke-width=\"2\" stroke-dasharray=\"6,4\"/>\n";
    const std::size_t bodyStart = svg.find('>', svg.find("<svg")) + 2;
    const std::size_t bodyEnd = svg.rfind("</svg>");
    std::string body = svg.substr(bodyStart, bodyEnd - bodyStart) + marks;
    if (!rulers_) return svg.substr(0, bodyStart) + body + "</svg>\n";
    // the band moves right and down by the rulers, which stand in the margins
    const int wide = width + kPickRulerWidth, tall = height + kCardRulerHeight;
    std::string out =
        svg.substr(0, svg.find("<svg")) + "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        Number(wide) + "\" height=\"" + Number(tall) + "\" viewBox=\"0 0 " + Number(wide) + " " +
        Number(tall) + "\">\n<rect x=\"0\" y=\"0\" width=\"" + Number(wide) + "\" height=\"" +
        Number(tall) + "\" fill=\"#f0f0f0\"/>\n<g transform=\"translate(" +
        Number(kPickRulerWidth) + "," + Number(kCardRulerHeight) + ")\">\n" + body + "</g>\n";
    out += SvgRuler(CardMarks(*rulers_), true, kPickRulerWidth, 0, width);
    out += SvgRuler(PickMarks(*rulers_), false, 0, kCardRulerHeight, kPickRulerWidth);
    return out + "</svg>\n";
}

QImage BandPicture::Image() const {
    if (!fellLine_ && !rulers_) return raster_->Image();
    const QImage& band = raster_->Image();
    const QPoint at = rulers_ ? QPoint(kPickRulerWidth, kCardRulerHeight) : QPoint(0, 0);
    QImage image(band.size() + QSize(at.x(), at.y()), QImage::Format_RGB32);
    image.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter painter(&image);
    painter.drawImage(at, band);
    if (fellLine_) {
        painter.save();
        painter.translate(at);
        PaintFellLine(painter, band.width(), *fellLine_);
        painter.restore();
    }
    if (rulers_) {
        PaintCardRuler(painter, *rulers_, QRect(at.x(), 0, band.width(), at.y()), 0);
        PaintPickRuler(painter, *rulers_, QRect(0, at.y(), at.x(), band.height()), 0);
    }
    return image;
}

std::string BandPicture::Png() const {
    if (!raster_) return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!Image().save(&buffer, "PNG"))
        throw AppError(ErrorNumber::PathFileAccessError, "the picture cannot be encoded as PNG");
    return std::string(png.constData(), static_cast<std::size_t>(png.size()));
}

}  // namespace tessaly
