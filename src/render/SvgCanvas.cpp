#include "SvgCanvas.h"

#include "model/Card.h"

namespace tessaly {

std::string SvgCanvas::ToSvg() const {
    const std::string w = std::to_string(width_);
    const std::string h = std::to_string(height_);
    std::string out =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
        w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n";
    out.reserve(out.size() + Polygons().size() * 96);
    const auto stroke = HexRgb(kOutlineColor);
    for (const FilledPolygon& polygon : Polygons()) {
        out += "<polygon points=\"";
        for (std::size_t i = 0; i < polygon.points.size(); ++i) {
            if (i > 0) out += ' ';
            out += std::to_string(polygon.points[i].x);
            out += ',';
            out += std::to_string(polygon.points[i].y);
        }
        // an empty hole shows the background, standing for the weft, with no edges
        if (polygon.fillColor == Card::kNoThread) {
            out += "\" fill=\"";
            out += weft_ == Card::kNoThread ? "#ffffff" : HexRgb(weft_).data();
            out += "\" stroke=\"none\"/>\n";
            continue;
        }
        out += "\" fill=\"";
        out += HexRgb(polygon.fillColor).data();
        out += "\" stroke=\"";
        out += stroke.data();
        out += "\"/>\n";
    }
    out += "</svg>\n";
    return out;
}

}  // namespace tessaly
