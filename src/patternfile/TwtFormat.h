#pragma once

#include <iosfwd>
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
//    "Pattern type": "individual" | "allTogether" | a chart type,
//    "Pattern design": {"weavingInstructions": ...}}
// An individual pattern gives each row a list of {"direction": "F"|"B", "numberOfTurns": 0-3}
// a tablet (0 turns: the tablet idles); an allTogether pattern gives each row one direction.
class TwtFormat {
  public:
    // Raises PatternFileError naming the line, or the key and the element, for what it cannot
    // read, and for what Tessaly does not weave: tablets of other than four holes, chart
    // pattern types, two or three turns in one pick.
    // The design's turns are kept as they stream in, so a large file needs no more memory than
    // its band.
    static PeerPattern Read(std::istream& in, std::string_view sourceName);
    static PeerPattern Read(std::string_view text, std::string_view sourceName);
    // An individual pattern. Raises AppError for what the format cannot hold: no picks,
    // vertical twists, more than sixteen colours.
    static std::string Write(const PeerPattern& pattern);
    // What the format holds, for the writer's checks and for telling what it leaves out.
    static PeerLimits Limits();
};

}  // namespace tessaly
