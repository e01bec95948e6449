#include "ExportCommand.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include "engine/Threading.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "patternfile/PatternFile.h"
#include "patternfile/SafeFile.h"
#include "print/PrintedPattern.h"
#include "render/BandPicture.h"

namespace tessaly {

namespace {

// The outputs that are the pattern written in another program's format.
struct PeerOutput {
    const char* option;
    PatternFormat format;
    const std::string* path;
};
std::vector<PeerOutput> PeerOutputs(const ExportOptions& options) {
    return {{"--tdd", PatternFormat::Tdd, &options.tddPath},
            {"--twt", PatternFormat::Twt, &options.twtPath},
            {"--gtt", PatternFormat::Gtt, &options.gttPath}};
}

// Every output, by its option.
std::vector<std::pair<std::string, const std::string*>> Outputs(const ExportOptions& options) {
    std::vector<std::pair<std::string, const std::string*>> outputs = {
        {"--svg", &options.svgPath},
        {"--png", &options.pngPath},
        {"--instructions", &options.instructionsPath},
        {"--pdf", &options.pdfPath},
        {"--text", &options.textPath},
        {"--kst", &options.kstPath}};
    for (const PeerOutput& peer : PeerOutputs(options)) outputs.emplace_back(peer.option, peer.path);
    return outputs;
}

// The value of an option that takes a file name or a value. An option is not a value: a file
// whose name starts with "-" can be given as "./-name".
bool ReadValue(const std::vector<std::string>& args, std::size_t& i, std::string& value,
               std::string& error, bool emptyAllowed = false) {
    const std::string& option = args[i];
    if (i + 1 >= args.size()) {
        error = option + " needs a value";
        return false;
    }
    const std::string& next = args[i + 1];
    if (next.empty() && !emptyAllowed) {
        error = option + " needs a value, not an empty one";
        return false;
    }
    if (next.size() > 1 && next[0] == '-' && next[1] == '-') {
        error = option + " needs a value, not the option " + next +
                " (a file of that name can be given as ./" + next + ")";
        return false;
    }
    value = args[++i];
    return true;
}

}  // namespace

std::string ExportUsage() {
    return "usage: tessaly-export PATTERN[.kst|.tdd|.twt|.gtt] [--sequence SEQ] [--reverse]\n"
           "                      [--whole-band] [--block-size N] [--fell-line] [--rulers]\n"
           "                      [--svg OUT.svg] [--png OUT.png] [--instructions OUT.csv]\n"
           "                      [--pdf OUT.pdf [--page-size A4|Letter]] [--text OUT.txt]\n"
           "                      [--pick-1-at-bottom] [--tick-column] [--text-lines]\n"
           "                      [--kst OUT.kst] [--tdd OUT.tdd] [--twt OUT.twt] [--gtt OUT.gtt]\n"
           "       tessaly-export --help | --version\n"
           "  PATTERN          read as its extension says: Tessaly's .kst, a .tdd draft of the\n"
           "                   Tablet Weaving Draft Designer, a Twisted Threads pattern (.twt)\n"
           "                   or a Guntram's Tabletweaving Thingy pattern (.gtt)\n"
           "  --kst, --tdd, --twt, --gtt\n"
           "                   the pattern written in that format (the front face, whatever\n"
           "                   --reverse draws)\n"
           "  --block-size N   block size and margin in pixels, 1 to " +
           std::to_string(kMaxExportBlockSize) +
           " (default 10); the PDF prints the band as large as the screen shows it\n"
           "  --pdf OUT.pdf    the printed pattern: threading, colours, band and, for a band\n"
           "                   without a turning sequence, its turning instructions\n"
           "  --page-size      paper of the PDF, A4 (default) or Letter\n"
           "  --text OUT.txt   the turning instructions, a line a pick: \"12: F 1-6 · B 7-8\"\n"
           "  --pick-1-at-bottom, --tick-column, --text-lines\n"
           "                   how the PDF and the text give the instructions: the last pick\n"
           "                   first, as the band grows; a box to tick each pick off; in the\n"
           "                   PDF, text lines instead of tables\n"
           "  --whole-band     the picture shows every row: 2 x block size x (rows + 2) pixels\n"
           "                   high (at least 1000), as View > Whole Band shows it\n"
           "  --fell-line      the pictures mark the top of the last pick with a dashed line,\n"
           "                   as the display does\n"
           "  --rulers         the pictures number the cards above the band and every 5th pick\n"
           "                   at its left, in margins of 16 and 36 pixels, as the display does\n"
           "Exit status: 0 done, 1 the pattern or an output could not be read or written,\n"
           "2 a bad command line.\n";
}

std::optional<ExportOptions> ParseExportArguments(const std::vector<std::string>& args,
                                                  std::string& error) {
    ExportOptions options;
    std::vector<std::string> seen;
    const auto once = [&](const std::string& option) {
        if (std::find(seen.begin(), seen.end(), option) != seen.end()) {
            error = option + " is given twice";
            return false;
        }
        seen.push_back(option);
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::string value;
        if (arg == "--reverse") {
            if (!once(arg)) return std::nullopt;
            options.reverse = true;
        } else if (arg == "--pick-1-at-bottom" || arg == "--tick-column" || arg == "--text-lines") {
            if (!once(arg)) return std::nullopt;
            bool& flag = arg == "--pick-1-at-bottom" ? options.printOptions.pickOneAtBottom
                         : arg == "--tick-column"    ? options.printOptions.tickColumn
                                                     : options.printOptions.textLines;
            flag = true;
        } else if (arg == "--whole-band") {
            if (!once(arg)) return std::nullopt;
            options.wholeBand = true;
        } else if (arg == "--fell-line" || arg == "--rulers") {
            if (!once(arg)) return std::nullopt;
            (arg == "--fell-line" ? options.fellLine : options.rulers) = true;
        } else if (arg == "--sequence") {
            // an empty sequence is a sequence: draw the stored rows as they are
            if (!once(arg) || !ReadValue(args, i, value, error, true)) return std::nullopt;
            options.sequence = value;
        } else if (arg == "--block-size") {
            if (!once(arg) || !ReadValue(args, i, value, error)) return std::nullopt;
            const auto size = ParseRoundedInteger(value);
            if (!size || value.find('.') != std::string::npos || *size < 1 ||
                *size > kMaxExportBlockSize) {
                error = "--block-size takes a whole number from 1 to " +
                        std::to_string(kMaxExportBlockSize) + ", not '" + value + "'";
                return std::nullopt;
            }
            options.blockSize = static_cast<std::int32_t>(*size);
        } else if (arg == "--page-size") {
            if (!once(arg) || !ReadValue(args, i, value, error)) return std::nullopt;
            if (!PageSizeNamed(value)) {
                error = "--page-size takes A4 or Letter, not '" + value + "'";
                return std::nullopt;
            }
            options.pageSize = value;
        } else if (arg == "--svg" || arg == "--png" || arg == "--instructions" || arg == "--pdf" ||
                   arg == "--text" || arg == "--kst" || arg == "--tdd" || arg == "--twt" ||
                   arg == "--gtt") {
            std::string& path = arg == "--svg"            ? options.svgPath
                                : arg == "--png"          ? options.pngPath
                                : arg == "--instructions" ? options.instructionsPath
                                : arg == "--kst"          ? options.kstPath
                                : arg == "--tdd"          ? options.tddPath
                                : arg == "--twt"          ? options.twtPath
                                : arg == "--gtt"          ? options.gttPath
                                : arg == "--text"         ? options.textPath
                                                          : options.pdfPath;
            if (!once(arg) || !ReadValue(args, i, path, error)) return std::nullopt;
            if (path.back() == '/') {
                error = arg + " names a folder, not a file: " + path;
                return std::nullopt;
            }
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
    if (options.pdfPath.empty() &&
        std::find(seen.begin(), seen.end(), "--page-size") != seen.end()) {
        error = "--page-size is the paper of the PDF: it needs --pdf";
        return std::nullopt;
    }
    for (const char* flag : {"--pick-1-at-bottom", "--tick-column", "--text-lines"})
        if (options.pdfPath.empty() && options.textPath.empty() &&
            std::find(seen.begin(), seen.end(), flag) != seen.end()) {
            error = std::string(flag) + " is how the instructions print: it needs --pdf or --text";
            return std::nullopt;
        }
    return options;
}

std::optional<std::string> CheckExportFiles(const ExportOptions& options) {
    const auto outputs = Outputs(options);
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const std::string& path = *outputs[i].second;
        if (path.empty()) continue;
        if (FileTransaction::SameFile(path, options.patternPath))
            return outputs[i].first + " " + path + " is the pattern file itself";
        for (std::size_t j = i + 1; j < outputs.size(); ++j)
            if (!outputs[j].second->empty() && FileTransaction::SameFile(path, *outputs[j].second))
                return outputs[i].first + " and " + outputs[j].first + " name the same file, " +
                       path;
    }
    return std::nullopt;
}

std::string InstructionsCsv(const TurningInstructions& instructions) {
    const std::int32_t cards = instructions.Cards();
    std::string out = "Pick";
    for (std::int32_t column = 1; column <= cards; ++column) out += "," + std::to_string(column);
    out += "\n";
    // the threading's line, pick 0, has no steps
    if (cards > 0) out += "0" + std::string(static_cast<std::size_t>(cards), ',') + "\n";
    for (std::int32_t pick = 1; pick <= instructions.Picks(); ++pick) {
        out += std::to_string(pick);
        for (std::int32_t column = 1; column <= cards; ++column) {
            out += ',';
            out += instructions.Text(pick, column);
        }
        out += '\n';
    }
    return out;
}

int RunExport(const ExportOptions& options, std::ostream& out) {
    // every output is checked before anything is read or drawn
    for (const auto& output : Outputs(options)) {
        const std::string& path = *output.second;
        if (!path.empty() &&
            !Trap("tessaly-export", "outputs", [&] { FileTransaction::CheckWritable(path); }))
            return kExitBadInput;
    }

    const DrawingGeometry geometry = DrawingGeometry::AtBlockSize(options.blockSize);
    const ErrorCounter errors;
    std::optional<PatternData> read = ReadPatternFile(options.patternPath);
    if (!read) return kExitBadInput;
    // a band woven again from another sequence is no longer its chart's
    if (options.sequence) read->Extras.chart.reset();
    const std::string sequence = options.sequence ? *options.sequence : read->TurnSequence;

    std::int32_t width = 0;
    if (!Trap("tessaly-export", "band", [&] {
            const Band& band = *read->Rows;
            const std::int32_t cards = band.At(1).Cards().Count();
            width = BandCanvasWidth(cards, geometry);
            // stored rows are all drawn; a woven band is measured by the weave itself
            if (sequence.empty()) CheckBandBudget(band.Count(), cards);
            if (!options.pngPath.empty()) BandPicture::CheckImageBudget(width);
        }))
        return kExitBadInput;

    // the band is woven on the picture's canvas, as the display draws it; the whole band's
    // picture is drawn once the weave has said how tall it is
    const bool svg = !options.svgPath.empty();
    const bool png = !options.pngPath.empty();
    auto picture =
        std::make_unique<BandPicture>(width, svg && !options.wholeBand, png && !options.wholeBand);
    Canvas& canvas = picture->Target();
    const std::int32_t weft = read->Extras.weft.value_or(Card::kNoThread);
    canvas.SetWeft(weft);

    const std::unique_ptr<Band> woven =
        WeaveOpenedPattern(std::move(read->Rows), sequence, geometry).band;
    if (errors.Count() > 0) return kExitBadInput;
    Band& band = *woven;
    // the threading tables show the band's first row as opening the file gives it
    const std::vector<DraftColumn> draft = DraftFromDeck(band.At(1).Cards());
    // the pattern files are written from the front face, before any turning over
    std::string kst;
    std::vector<std::string> peerTexts;
    const std::vector<PeerOutput> peers = PeerOutputs(options);
    // what each format has no place for, told beside its file
    std::vector<std::string> leftOut(peers.size());
    if (!options.kstPath.empty() && !Trap("tessaly-export", "kst", [&] {
            kst = PatternWriter::FormatForSaving({read->BandName, sequence, read->Windows}, band,
                                                 read->Extras);
        }))
        return kExitBadInput;
    for (std::size_t i = 0; i < peers.size(); ++i)
        if (!peers[i].path->empty() && !Trap("tessaly-export", peers[i].option + 2, [&] {
                peerTexts.push_back(
                    PeerText(peers[i].format, band, read->BandName, read->Extras, &leftOut[i]));
            }))
            return kExitBadInput;
    canvas.Clear();
    band.WeaveBand(&canvas, geometry);
    // the reverse face is drawn over the front, row by row, as the band turns over
    if (options.reverse) band.WeaveReverse(&canvas, geometry);
    if (errors.Count() > 0) return kExitBadInput;
    if (options.wholeBand && (svg || png) && !Trap("tessaly-export", "band", [&] {
            picture = std::make_unique<BandPicture>(width, svg, png,
                                                    WholeBandHeight(band.Count(), geometry));
            picture->Target().SetWeft(weft);
            band.DrawPicture(picture->Target(), geometry);
        }))
        return kExitBadInput;

    // the marks the display shows beside and over the band, when asked for
    if (picture && (options.fellLine || options.rulers)) {
        const std::int32_t height =
            options.wholeBand ? WholeBandHeight(band.Count(), geometry) : BandPicture::kHeight;
        std::optional<int> fell;
        if (options.fellLine)
            fell = FellLineY(height, geometry.BlockSize, band.Count() + std::int64_t{1});
        std::optional<RulerScale> rulers;
        if (options.rulers) {
            const std::int32_t picks = band.Count() - 1;
            rulers = RulerScale{geometry.BlockSize,
                                band.At(1).Cards().Count(),
                                options.reverse,
                                height,
                                picks,
                                picks};
        }
        picture->SetMarks(fell, rulers);
    }

    std::string pdf;
    if (!options.pdfPath.empty() && !Trap("tessaly-export", "pdf", [&] {
            PrintSource source;
            source.bandName = read->BandName;
            source.turnSequence = sequence;
            source.draft = draft;
            source.extras = read->Extras;
            source.band = &band;
            source.screenBlockSize = geometry.BlockSize;
            source.screenBandMargin = geometry.BandMargin;
            source.options = options.printOptions;
            pdf = PrintPatternToPdf(source, *PageSizeNamed(options.pageSize));
        }))
        return kExitBadInput;

    // everything is drawn before any file is touched; then all are written, or none
    const bool written = Trap("tessaly-export", "outputs", [&] {
        FileTransaction files;
        if (svg) files.Add(options.svgPath, picture->Svg());
        if (!options.instructionsPath.empty())
            files.Add(options.instructionsPath, InstructionsCsv(TurningInstructions(band)));
        if (!options.pdfPath.empty()) files.Add(options.pdfPath, pdf);
        if (!options.textPath.empty()) {
            std::string text;
            for (const std::string& line :
                 PatternPrinter::InstructionLines(TurningInstructions(band), options.printOptions))
                text += line + "\n";
            files.Add(options.textPath, text);
        }
        if (!options.kstPath.empty()) files.Add(options.kstPath, kst);
        auto peerText = peerTexts.begin();
        for (const PeerOutput& output : PeerOutputs(options))
            if (!output.path->empty()) files.Add(*output.path, *peerText++);
        if (png) files.Add(options.pngPath, picture->Png());
        files.Commit();
    });
    if (!written) return kExitBadInput;

    // an output written to standard output must not be mixed with the report
    const auto outputs = Outputs(options);
    for (const auto& [option, path] : outputs)
        if (!path->empty() && FileTransaction::SameFile(*path, "/dev/stdout")) return kExitOk;
    out << "Exported " << options.patternPath << ": " << band.Count() << " rows of "
        << band.At(1).Cards().Count() << " cards";
    for (const auto& [option, path] : outputs) {
        if (path->empty()) continue;
        out << "\n  " << *path;
        for (std::size_t i = 0; i < peers.size(); ++i)
            if (peers[i].path == path && !leftOut[i].empty()) out << " (" << leftOut[i] << ")";
    }
    out << "\n";
    return kExitOk;
}

}  // namespace tessaly
