#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/Band.h"
#include "engine/DrawingGeometry.h"
#include "engine/Threading.h"
#include "engine/TurningInstructions.h"
#include "model/PatternExtras.h"
#include "model/Twips.h"

namespace tessaly {

class PageComposer;

// How the turning instructions are printed for the loom.
struct PrintOptions {
    bool pickOneAtBottom = false;  // the last pick on top, as the band grows
    bool tickColumn = false;       // a column to tick each pick off
    bool textLines = false;        // a line per pick ("12: F 1–6 · B 7–8") instead of tables
};

// Everything the printout is made from. The band is only read: it is drawn on the page with
// the page's own geometry and instruction grid, so the screen's are never touched.
struct PrintSource {
    std::string bandName;
    std::string turnSequence;        // empty: the band was woven by hand, its instructions print
    std::vector<DraftColumn> draft;  // the threading tables; its size is the card count
    PatternExtras extras;            // the notes after the title; the palette's names
    const Band* band = nullptr;
    std::shared_ptr<const Band> keptBand;  // holds the band when the source drew its own copy
    std::int32_t screenBlockSize = DrawingGeometry::kStartBlockSize;  // the display's zoom
    std::int16_t screenBandMargin = DrawingGeometry::kStartBlockSize;
    double twipsPerScreenPixel = kTwipsPerPixel;
    PrintOptions options;
};

// The printed pattern: title, card count and turning sequence, threading tables, colour
// legend, the band picture and, for a band woven by hand, the turning instructions.
//
// Each step runs under the error trap: a failure is reported and the document goes on with
// its next step. Callers that must not leave half a document check Unprintable first and
// count the reports.
class PatternPrinter {
  public:
    static constexpr std::int32_t kCardsPerThreadingTable = 40;
    static constexpr std::int32_t kCardsPerInstructionTable = 32;
    // from this many cards the band needs a page of its own
    static constexpr std::int32_t kCardsBesideTables = 26;
    static constexpr std::int32_t kTwistColor = 0x0000FF;     // red
    static constexpr std::int32_t kBackwardColor = 0xC0C0C0;  // light grey
    static constexpr std::int32_t kIdleColor = 0xF5E1C8;      // pale blue

    PatternPrinter(PageComposer& page, const PrintSource& source);

    // Why this pattern gives no printout (a band of one row or none), or nothing.
    static std::optional<std::string> NothingToPrint(const PrintSource& source);
    // Why the pattern cannot be laid out on this page, or nothing: checked before printing so
    // that a document is never left half made.
    static std::optional<std::string> Unprintable(const PrintSource& source,
                                                  const PageComposer& page);

    // The whole document, from its start to its end. A band of one row prints nothing.
    void PrintPage();

    // The instructions as lines of text, a line a pick in the order and with the tick boxes
    // the options ask for: "[  ]  12: F 1–6, 9–12 · B 7–8".
    static std::vector<std::string> InstructionLines(const TurningInstructions& instructions,
                                                     const PrintOptions& options);

    // Where the band goes on the current page: page values for block size, margin, top and
    // bottom. Raises error 6 when the page is too large for the margin's range.
    static DrawingGeometry BandGeometry(const PrintSource& source, const PageComposer& page,
                                        bool ownPage);

  private:
    void PageFormat();
    void PrintTitle();
    void PrintDesign();
    // A table of a first column and one column per card from first to last, headed by the
    // cards' numbers; colourCells colours its cells once it is laid out.
    struct CardTable {
        double firstColumnInches;
        double cardColumnInches;
        std::string firstHeader;
        std::string lastHeader = {};  // a last column after the cards', when not empty
    };
    void AddCardTable(const CardTable& table, std::int16_t first, std::int16_t last,
                      std::string body, const std::function<void()>& colourCells);
    void PrintInstructionLines(const TurningInstructions& instructions);
    void BuildDesignGrid(std::int16_t first, std::int16_t last);
    void PrintBand();
    void PrintInstructions();
    void BuildInstructionTable(const TurningInstructions& instructions, std::int16_t first,
                               std::int16_t last);

    // ", yarn 79.20 m" for so many threads of a colour, when the pattern has a warp length.
    std::string YarnText(std::int32_t threads) const;
    std::int32_t CardCount() const { return static_cast<std::int32_t>(source_.draft.size()); }

    PageComposer& page_;
    const PrintSource& source_;
    // the instructions as the page pass writes them; the instruction tables print from it
};

}  // namespace tessaly
