#include "ExportCommand.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <ostream>

#include "engine/Threading.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "patternfile/AtomicFile.h"
#include "patternfile/PatternFile.h"
#include "render/RasterCanvas.h"
#include "render/SvgCanvas.h"

namespace tessaly {

namespace {

constexpr std::int32_t kCanvasHeight = 1000;  // 15000 twips at 15 twips per pixel
constexpr std::int64_t kMaxRasterPixels = std::int64_t{1} << 28;

// A canvas that draws on several at once, so the SVG and the PNG come from one weave.
class FanOutCanvas : public Canvas {
  public:
    explicit FanOutCanvas(std::vector<Canvas*> targets) : targets_(std::move(targets)) {}
    double ScaleHeight() const override { return kCanvasHeight; }
    void SetFillColor(std::int32_t color) override {
        for (Canvas* c : targets_) c->SetFillColor(color);
    }
    void Polygon(const Outline& points) override {
        for (Canvas* c : targets_) c->Polygon(points);
    }
    void Clear() override {
        for (Canvas* c : targets_) c->Clear();
    }

  private:
    std::vector<Canvas*> targets_;
};

bool ReadValue(const std::vector<std::string>& args, std::size_t& i, std::string& value,
               std::string& error) {
    if (i + 1 >= args.size()) {
        error = args[i] + " needs a value";
        return false;
    }
    value = args[++i];
    return true;
}

}  // namespace

std::string ExportUsage() {
    return "usage: tessaly-export PATTERN.kst [--sequence SEQ] [--reverse] [--block-size N]\n"
           "                      [--svg OUT.svg] [--png OUT.png] [--instructions OUT.csv]\n";
}

std::optional<ExportOptions> ParseExportArguments(const std::vector<std::string>& args,
                                                  std::string& error) {
    ExportOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--reverse") {
            options.reverse = true;
        } else if (arg == "--sequence") {
            if (!ReadValue(args, i, value, error)) return std::nullopt;
            options.sequence = value;
        } else if (arg == "--block-size") {
            if (!ReadValue(args, i, value, error)) return std::nullopt;
            const auto size = ParseRoundedInteger(value);
            if (!size || value.find('.') != std::string::npos || *size < 1 || *size > 32767) {
                error = "--block-size takes a whole number from 1 to 32767, not '" + value + "'";
                return std::nullopt;
            }
            options.blockSize = static_cast<std::int32_t>(*size);
        } else if (arg == "--svg") {
            if (!ReadValue(args, i, options.svgPath, error)) return std::nullopt;
        } else if (arg == "--png") {
            if (!ReadValue(args, i, options.pngPath, error)) return std::nullopt;
        } else if (arg == "--instructions") {
            if (!ReadValue(args, i, options.instructionsPath, error)) return std::nullopt;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else if (options.patternPath.empty()) {
            options.patternPath = arg;
        } else {
            error = "only one pattern file can be exported at a time";
            return std::nullopt;
        }
    }
    if (options.patternPath.empty()) {
        error = "no pattern file given";
        return std::nullopt;
    }
    return options;
}

std::string InstructionsCsv(const InstructionGrid& grid) {
    std::string out = "Pick";
    for (std::int32_t col = 1; col < grid.Cols(); ++col) out += "," + std::to_string(col);
    out += "\n";
    for (std::int32_t row = 0; row < grid.Rows(); ++row) {
        out += grid.Cols() > 0 ? grid.TextAt(row, 0) : std::string();
        for (std::int32_t col = 1; col < grid.Cols(); ++col) {
            out += ',';
            out += grid.TextAt(row, col);
        }
        out += '\n';
    }
    return out;
}

int RunExport(const ExportOptions& options, std::ostream& out) {
    AppState state;
    state.BlockSize = options.blockSize;
    state.BandMargin = static_cast<std::int16_t>(options.blockSize);
    state.PatternPath = options.patternPath;

    const ErrorCounter errors;
    std::optional<std::string> sequence = ProcessFile(state);
    if (!sequence) return kExitBadInput;
    if (options.sequence) sequence = options.sequence;

    std::int32_t width = 0;
    if (!Trap("basMain", "main", [&] {
            width = BandCanvasWidth(state.CurrentBand->At(1).Cards().Count(), state.Geometry());
        }))
        return kExitBadInput;

    SvgCanvas svg(width, kCanvasHeight);
    std::optional<RasterCanvas> raster;
    std::vector<Canvas*> targets{&svg};
    if (!options.pngPath.empty()) {
        if (std::int64_t{width} * kCanvasHeight > kMaxRasterPixels) {
            StdErrHandler(
                "basMain", "main",
                AppError(ErrorNumber::OutOfMemory, "the band is " + std::to_string(width) +
                                                       " pixels wide, too wide for a PNG picture"));
            return kExitBadInput;
        }
        raster.emplace(width, kCanvasHeight);
        targets.push_back(&*raster);
    }
    FanOutCanvas canvas(targets);
    InstructionGrid grid;

    WeaveOpenedPattern(state, *sequence, canvas, grid);
    if (options.reverse) state.CurrentBand->WeaveReverse(&canvas, &grid, state.Geometry());
    if (errors.Count() > 0) return kExitBadInput;

    const bool written = Trap("basMain", "main", [&] {
        if (!options.svgPath.empty()) WriteFileAtomically(options.svgPath, svg.ToSvg());
        if (!options.instructionsPath.empty())
            WriteFileAtomically(options.instructionsPath, InstructionsCsv(grid));
        if (!options.pngPath.empty()) {
            QByteArray png;
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            if (!raster->Image().save(&buffer, "PNG"))
                throw AppError(ErrorNumber::PathFileAccessError,
                               "cannot encode the picture for " + options.pngPath);
            WriteFileAtomically(options.pngPath, std::string_view(png.constData(), png.size()));
        }
    });
    if (!written) return kExitBadInput;

    out << "Exported " << options.patternPath << ": " << state.CurrentBand->Count() << " rows of "
        << state.CurrentBand->At(1).Cards().Count() << " cards";
    for (const std::string* path : {&options.svgPath, &options.pngPath, &options.instructionsPath})
        if (!path->empty()) out << "\n  " << *path;
    out << "\n";
    return kExitOk;
}

}  // namespace tessaly
