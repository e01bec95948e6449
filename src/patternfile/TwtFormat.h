#pragma once

#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "PeerPattern.h"

namespace tessaly {

// The JSON patterns Twisted Threads saves (.twt):
//   {"source": "Twisted Threads", "version": "2.0", "Name": ..., "Number of holes": 4,
//    "Number of tablets": n, "Number of weaving rows": r,
//    "Colour palette": ["#rrggbb", ...16], "Weft colour": k,
//    "Threading chart": [[palette index or -1 for an empty hole, a tablet each], a hole each],
//    "Tablet orientations": ["/" for S or "\\" for Z, ...],
//    "Pattern type": "individual" | "allTogether" | "doubleFaced" | "brokenTwill",
//    "Pattern design": {"weavingInstructions": ...}}
// An individual pattern gives each row a list of {"direction": "F"|"B", "numberOfTurns": 0-3}
// a tablet (0 turns: the tablet idles); an allTogether pattern gives each row one direction.
// A chart pattern's design is its chart, each row two picks, a cell "." (background) or "X"
// (foreground) per tablet: {"doubleFacedPatternChart": rows}, or {"twillDirection": "S"|"Z",
// "twillPatternChart": rows, "twillDirectionChangeChart": rows (the long floats),
// "weavingStartRow": n}, whose charts have a row more than the picks need.
class TwtFormat {
  public:
    // Raises PatternFileError naming the line, or the key and the element, for what it cannot
    // read, and for what Tessaly does not weave: tablets of other than 2 to 8 holes (4 for a
    // chart), two or three turns in one pick.
    // The design's turns are kept as they stream in, so a large file needs no more memory than
    // its band.
    static PeerPattern Read(std::istream& in, std::string_view sourceName);
    static PeerPattern Read(std::string_view text, std::string_view sourceName);
    // An individual pattern, or a chart pattern when the pattern's chart weaves its picks.
    // Raises AppError for what the format cannot hold: no picks,
    // vertical twists, more than sixteen colours.
    static std::string Write(const PeerPattern& pattern);
    // What the format holds, for the writer's checks and for telling what it leaves out.
    static PeerLimits Limits();

  private:
    // The "Pattern design" of a chart, and of picks turned one by one.
    static nlohmann::ordered_json ChartDesign(const TwoColourChart& chart);
    static nlohmann::ordered_json IndividualDesign(const PeerPattern& pattern);
};

}  // namespace tessaly
