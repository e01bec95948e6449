#include "PatternPrinter.h"

#include <QString>
#include <algorithm>
#include <charconv>
#include <cstdio>

#include "PageCanvas.h"
#include "PageComposer.h"
#include "engine/Palette.h"
#include "engine/PickSummary.h"
#include "engine/Yarn.h"
#include "errors/AppError.h"
#include "errors/ErrorReporter.h"
#include "errors/Numeric.h"
#include "model/Directions.h"
#include "render/ColorNames.h"

namespace tessaly {

namespace {

constexpr std::string_view kModule = "frmPrint";
constexpr std::string_view kNormalFormat = "Normal";
constexpr std::string_view kPageMargin = ".5in";
constexpr double kTableFontPoints = 8;
constexpr double kTitleFontPoints = 20;
// column widths in inches: threading cells, instruction cells and the pick-number column
constexpr double kThreadingColumn = 0.18;
constexpr double kInstructionColumn = 0.23;
constexpr double kPickColumn = 0.3;
// legend: a square of this size, then the text this far right of where the square starts
constexpr std::int32_t kLegendSquareTwips = 150;
constexpr std::int32_t kLegendTextTwips = 300;
// the band's left margin on a page of its own, in printer pixels besides the screen's margin
constexpr double kOwnPageMarginPixels = 150;
constexpr double kBandTopShare = 0.1;
constexpr double kBandBottomShare = 0.98;
constexpr double kBesideTablesShare = 0.66;

// "^+0.18in|": a centred column of that width
std::string ColumnFormat(double inches) {
    char number[32];
    const auto result = std::to_chars(number, number + sizeof number, inches);
    return "^+" + std::string(number, result.ptr) + "in|";
}

void DropLastCharacter(std::string& text) {
    if (!text.empty()) text.pop_back();
}

// Cards first to last cut into tables of at most perTable cards.
template <class Print>
void ForEachTable(std::int32_t cards, std::int32_t perTable, Print&& print) {
    const std::int32_t tables = cards % perTable == 0 ? cards / perTable : cards / perTable + 1;
    for (std::int32_t k = 1; k <= tables; ++k) {
        const std::int32_t first = (k - 1) * perTable + 1;
        print(CheckedInt16(first), CheckedInt16(std::min(k * perTable, cards)));
    }
}

// The picks in the order the instructions print them.
std::vector<std::int32_t> PickOrder(std::int32_t picks, const PrintOptions& options) {
    std::vector<std::int32_t> order(static_cast<std::size_t>(std::max(picks, 0)));
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<std::int32_t>(i + 1);
    if (options.pickOneAtBottom) std::reverse(order.begin(), order.end());
    return order;
}

}  // namespace

PatternPrinter::PatternPrinter(PageComposer& page, const PrintSource& source)
    : page_(page), source_(source) {}

std::optional<std::string> PatternPrinter::NothingToPrint(const PrintSource& source) {
    if (source.band == nullptr || source.band->Count() <= 1)
        return "The band has no picks yet: weave it before printing.";
    return std::nullopt;
}

std::optional<std::string> PatternPrinter::Unprintable(const PrintSource& source,
                                                       const PageComposer& page) {
    if (auto nothing = NothingToPrint(source)) return nothing;
    if (source.draft.empty()) return "The threading has no cards.";
    if (source.draft.size() > static_cast<std::size_t>(INT16_MAX))
        return "The threading has more cards than a printed table can number.";
    if (source.screenBlockSize < 1) return "The band's zoom gives blocks of no size.";
    if (page.PageWidthTwips() <= 0 || page.PageHeightTwips() <= 0)
        return "The printer reports a page of no size.";
    try {
        for (const bool ownPage : {false, true}) BandGeometry(source, page, ownPage);
    } catch (const AppError&) {
        return "The page is too large to place the band on at this zoom.";
    }
    return std::nullopt;
}

void PatternPrinter::PrintPage() {
    if (NothingToPrint(source_)) return;
    if (!Trap(kModule, "PrintPage", [&] { page_.StartDoc(); })) return;
    Trap(kModule, "PageFormat", [&] { PageFormat(); });
    Trap(kModule, "PrintDesign", [&] { PrintDesign(); });
    Trap(kModule, "PrintBand", [&] { PrintBand(); });
    // a band woven from a repeating sequence is described by the sequence
    if (source_.turnSequence.empty())
        Trap(kModule, "PrintInstructions", [&] { PrintInstructions(); });
    Trap(kModule, "PrintPage", [&] { page_.EndDoc(); });
}

void PatternPrinter::PageFormat() {
    page_.SetMargins(kPageMargin);
    page_.SaveFormat(std::string(kNormalFormat));
}

void PatternPrinter::PrintTitle() {
    Trap(kModule, "PrintTitle", [&] {
        if (!source_.bandName.empty()) {
            page_.SetFontSize(kTitleFontPoints);
            page_.SetFontBold(true);
            page_.Paragraph(source_.bandName);
        } else {
            page_.Paragraph("");
        }
        page_.Paragraph("");
        page_.ApplyFormat(std::string(kNormalFormat));
        // the weaver's notes, line by line, after the title
        if (!source_.extras.notes.empty()) {
            for (const std::string_view line : source_.extras.NoteLines())
                page_.Paragraph(std::string(line));
            page_.Paragraph("");
        }
    });
}

void PatternPrinter::PrintDesign() {
    PrintTitle();
    page_.Paragraph("Number of Cards:  " + std::to_string(CardCount()));
    page_.Paragraph("");
    // a hand-woven band has no sequence: its instructions follow
    if (!source_.turnSequence.empty()) {
        page_.Paragraph("Turn Sequence:  " +
                        QString::fromStdString(source_.turnSequence).toUpper().toStdString());
        const auto length = static_cast<std::int32_t>(SequenceLetters(source_.turnSequence).size());
        const std::int32_t picks = source_.band->Count() - 1;
        // a band of whole repeats says how many; one woven otherwise is described by its sequence
        if (length > 0 && picks >= length && picks % length == 0)
            page_.Paragraph("Repeated:  " + std::to_string(picks / length) +
                            (picks / length == 1 ? " time, " : " times, ") + std::to_string(picks) +
                            (picks == 1 ? " pick" : " picks"));
        page_.Paragraph("");
    }

    ForEachTable(CardCount(), kCardsPerThreadingTable,
                 [&](std::int16_t first, std::int16_t last) { BuildDesignGrid(first, last); });
    page_.Paragraph("");

    // the palette is counted afresh, so the legend is the draft being printed; colour names
    // read back from the PDF as written
    const bool named = !source_.extras.palette.empty();
    if (named) {
        page_.SaveFormat("before legend");
        page_.SetLettersApart();
    }
    for (const BandColor& color : CountColors(source_.draft)) {
        const std::int32_t x = page_.CurrentX();
        const std::int32_t y = page_.CurrentY();
        page_.SetFillColor(color.ColorCode);
        page_.DrawRectangle(x, y, x + kLegendSquareTwips, y + kLegendSquareTwips);
        page_.SetCurrentX(x + kLegendTextTwips);
        // a pattern whose palette the weaver used names its colours
        const std::string name =
            !named ? std::string()
                   : ColorName({color.ColorCode, source_.extras.NameOf(color.ColorCode)})
                             .toStdString() +
                         ", ";
        page_.Paragraph(std::to_string(color.HoleCount) + " " + name + "RGB( " +
                        std::to_string(color.Red) + ", " + std::to_string(color.Green) + ", " +
                        std::to_string(color.Blue) + ")" + YarnText(color.HoleCount));
    }
    if (named) page_.ApplyFormat("before legend");
    if (const std::int32_t empty = CountEmptyHoles(source_.draft); empty > 0)
        page_.Paragraph(std::to_string(empty) + (empty == 1 ? " hole" : " holes") +
                        " empty (no thread)");
}

std::string PatternPrinter::YarnText(std::int32_t threads) const {
    // with the warp's length, each colour says how much yarn its threads take
    if (!source_.extras.warp) return {};
    char length[32];
    std::snprintf(length, sizeof length, "%.2f", YarnLength(threads, *source_.extras.warp));
    return ", yarn " + std::string(length) + " " + source_.extras.warp->unit;
}

void PatternPrinter::AddCardTable(const CardTable& table, std::int16_t first, std::int16_t last,
                                  std::string body, const std::function<void()>& colourCells) {
    page_.StartTable();
    page_.SetFontSize(kTableFontPoints);
    std::string format = ColumnFormat(table.firstColumnInches);
    std::string header = table.firstHeader + "|";
    for (std::int32_t i = first; i <= last; ++i) {
        format += ColumnFormat(table.cardColumnInches);
        header += std::to_string(i) + "|";
    }
    if (!table.lastHeader.empty()) {
        format += ColumnFormat(table.firstColumnInches);
        header += table.lastHeader + "|";
    }
    DropLastCharacter(format);
    DropLastCharacter(header);
    DropLastCharacter(body);
    page_.AddTable(format, header, body);
    colourCells();
    page_.EndTable();
    page_.Paragraph("");
}

void PatternPrinter::BuildDesignGrid(std::int16_t first, std::int16_t last) {
    Trap(kModule, "BuildDesignGrid", [&] {
        // a row for each hole, A down to the last, then the threading
        const int holes = source_.draft.front().holes;
        std::string body;
        for (int hole = 0; hole < holes; ++hole) body += static_cast<char>('A' + hole) + std::string(";");
        body += "T|";
        for (std::int32_t i = first; i <= last; ++i)
            body +=
                source_.draft.at(static_cast<std::size_t>(i - 1)).Thread() == SThread ? "S|" : "Z|";
        AddCardTable({kThreadingColumn, kThreadingColumn, "#"}, first, last, std::move(body), [&] {
            std::int32_t column = 2;
            for (std::int32_t i = first; i <= last; ++i, ++column) {
                const DraftColumn& card = source_.draft.at(static_cast<std::size_t>(i - 1));
                // an empty hole is an empty, white cell
                const auto shown = [](std::int32_t color) {
                    return color == Card::kNoThread ? 0xFFFFFF : color;
                };
                for (int hole = 0; hole < holes; ++hole)
                    page_.SetCellBackground(hole + 1, column, shown(card.Color(hole)));
            }
        });
    });
}

DrawingGeometry PatternPrinter::BandGeometry(const PrintSource& source, const PageComposer& page,
                                             bool ownPage) {
    // printer pixels per screen pixel, so the band prints as large as the screen shows it
    const double ratio = source.twipsPerScreenPixel / page.TwipsPerPixelX();
    DrawingGeometry geometry;
    geometry.BlockSize = RoundToInt32(ratio * source.screenBlockSize);
    geometry.BandTop = RoundToInt32(kBandTopShare * page.PageHeightTwips() / page.TwipsPerPixelY());
    // measured on the page being printed, whatever paper the print dialog chose
    geometry.FixedBottom =
        RoundToInt32(kBandBottomShare * page.PageHeightTwips() / page.TwipsPerPixelY());
    const double margin = ownPage
                              ? ratio * source.screenBandMargin + kOwnPageMarginPixels
                              : kBesideTablesShare * page.PageWidthTwips() / page.TwipsPerPixelX();
    geometry.BandMargin = CheckedInt16(RoundToInt32(margin));
    return geometry;
}

void PatternPrinter::PrintBand() {
    const bool ownPage = CardCount() >= kCardsBesideTables;
    DrawingGeometry geometry = BandGeometry(source_, page_, ownPage);
    if (ownPage) {
        page_.NewPage();
        PrintTitle();
        // a title of several lines pushes the band down: it starts below the title
        geometry.BandTop =
            std::max(geometry.BandTop, RoundToInt32(page_.CurrentY() / page_.TwipsPerPixelY()));
    }
    // the band adds no page: a pass that counts them does not draw it
    if (page_.Measuring()) return;
    PageCanvas canvas(page_);
    canvas.SetWeft(source_.extras.weft.value_or(Card::kNoThread));
    source_.band->WeaveBand(&canvas, geometry);
}

void PatternPrinter::PrintInstructions() {
    // the band printed is already the face shown: its instructions are read as the front's
    const TurningInstructions instructions(*source_.band);
    if (source_.options.textLines) {
        page_.NewPage();
        PrintTitle();
        PrintInstructionLines(instructions);
    } else {
        ForEachTable(instructions.Cards(), kCardsPerInstructionTable,
                     [&](std::int16_t first, std::int16_t last) {
                         page_.NewPage();
                         PrintTitle();
                         BuildInstructionTable(instructions, first, last);
                     });
    }
    page_.Paragraph(source_.options.textLines
                        ? "F = forward, B = backward, I = idle, flip = turn the card over first"
                        : "F = forward, B = backward (grey), I = idle (blue), * and red = turn "
                          "the card over first");
}

std::vector<std::string> PatternPrinter::InstructionLines(const TurningInstructions& instructions,
                                                          const PrintOptions& options) {
    const std::string box = options.tickColumn ? "[  ]  " : "";
    std::vector<std::string> lines;
    for (const std::int32_t pick : PickOrder(instructions.Picks(), options))
        lines.push_back(box + PickLine(instructions, pick));
    return lines;
}

void PatternPrinter::PrintInstructionLines(const TurningInstructions& instructions) {
    Trap(kModule, "PrintInstructionLines", [&] {
        for (const std::string& line : InstructionLines(instructions, source_.options))
            page_.Paragraph(line);
        page_.Paragraph("");
    });
}

void PatternPrinter::BuildInstructionTable(const TurningInstructions& instructions,
                                           std::int16_t first, std::int16_t last) {
    Trap(kModule, "BuildInstructionGrid", [&] {
        const std::vector<std::int32_t> order = PickOrder(instructions.Picks(), source_.options);
        const bool tick = source_.options.tickColumn;
        std::string body;
        body.reserve(order.size() * (static_cast<std::size_t>(last - first + 1) * 2 + 8));
        for (const std::int32_t pick : order) {
            body += std::to_string(pick) + "|";
            for (std::int32_t i = first; i <= last; ++i) {
                const std::string text = instructions.Text(pick, i);
                if (!text.empty()) body += text.front();
                body += '|';
            }
            if (tick) body += '|';  // an empty cell to tick
            body += ';';
        }
        const CardTable table{kPickColumn, kInstructionColumn, "", tick ? "Done" : ""};
        AddCardTable(table, first, last, std::move(body), [&] {
            std::int32_t row = 1;
            for (const std::int32_t pick : order) {
                std::int32_t column = 2;
                for (std::int32_t i = first; i <= last; ++i, ++column) {
                    const std::optional<CardStep> step = instructions.At(pick, i);
                    if (!step) continue;
                    // a twist shows in red whichever way the card turns
                    if (step->flip)
                        page_.SetCellBackground(row, column, kTwistColor);
                    else if (step->turn == Backward)
                        page_.SetCellBackground(row, column, kBackwardColor);
                    else if (step->turn == Idle)
                        page_.SetCellBackground(row, column, kIdleColor);
                }
                ++row;
            }
        });
    });
}

}  // namespace tessaly
