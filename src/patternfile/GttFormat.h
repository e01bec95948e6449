#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

#include "PeerPattern.h"

namespace tessaly {

// The XML patterns of Guntram's Tabletweaving Thingy (.gtt):
//   <TWData><Source>Guntram's Tabletweaving Thingy</Source><Version>1.17</Version>
//   <Pattern Type="Threaded-in">            (older files: "Threaded")
//     <Name>...</Name><Notes>...</Notes>
//     <Cards Count="n"><Card Number="1" Holes="4">
//       <Holes Count="4"><Colour>k</Colour> a hole each, A first</Holes>
//       <Threading>S or Z</Threading></Card>...</Cards>
//     <Palette Size="16"><Colour Index="k">R + 256 G + 65536 B</Colour>...</Palette>
//     <Packs><Pack Name="A"><Cards>1, 2, 5</Cards></Pack>...</Packs>
//     <Picks Count="r"><Pick Index="0"><Actions>
//       <Action Type="Turn" Target="Card|Pack" TargetID="3|A" Dir="F|B|I|V" Dist="1"/>
//     </Actions></Pick>...</Picks></Pattern></TWData>
// k is a palette index (without a palette, the 16 standard Windows colours); a card or a pack
// a pick does not name idles, "I" idles it too, and "V" flips it over (a vertical twist).
class GttFormat {
  public:
    // Raises PatternFileError naming the line and the element of what it cannot read, and of
    // what Tessaly does not weave: cards of other than four holes, chart pattern types, two
    // or three turns in one pick.
    // The file is read as it streams in, so a large one needs no more memory than its band.
    static PeerPattern Read(std::istream& in, std::string_view sourceName);
    static PeerPattern Read(std::string_view text, std::string_view sourceName);
    // A threaded-in pattern that turns each card by itself. Raises AppError for what the
    // format cannot hold: no picks, more than sixteen colours.
    static std::string Write(const PeerPattern& pattern);
    // What the format holds, for the writer's checks and for telling what it leaves out.
    static PeerLimits Limits();
};

}  // namespace tessaly
