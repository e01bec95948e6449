#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "PeerPattern.h"

namespace tessaly {

// The text drafts of the web Tablet Weaving Draft Designer (.tdd):
//   # tdd v1.x
//   # name
//   (blank)
//   the turning diagram, a row per pick, the last pick first: one character per tablet,
//   "\" or "/"; a tablet turns forward where the character leans with its threading
//   ("\" and Z, "/" and S), backward otherwise
//   (blank)
//   the threading diagram: a row per hole (hole 1 first), one palette key per tablet
//   ("0" to "9", "a", "b"; a blank for an empty hole), a row of "S" and "Z", and from
//   v1.8 perhaps a row of "T", "O" and "E": a tablet that turns every pick, only on odd
//   picks (its forward cells; its backward cells only on even picks) or the reverse, idling
//   otherwise
//   (blank)
//   the palette, "k - #RRGGBB" a line; a key the file leaves out keeps its default colour.
class TddFormat {
  public:
    // Raises PatternFileError naming the line for what it cannot read: no header, a turning
    // row of other characters or another length, holes other than four, an unknown key.
    static PeerPattern Read(std::string_view text, std::string_view sourceName);
    // A draft lists its last pick first, so it is read whole.
    static PeerPattern Read(std::istream& in, std::string_view sourceName);
    // Raises AppError for what the format cannot hold: no picks, idle picks, vertical twists,
    // more than twelve colours.
    static std::string Write(const PeerPattern& pattern);
    // What the format holds, for the writer's checks and for telling what it leaves out.
    static PeerLimits Limits();
};

}  // namespace tessaly
