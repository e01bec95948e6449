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
// A chart pattern (Type "DoubleFace", also spelt "Doubleface", or "BrokenTwill") has no picks
// but its chart, a row of cells ("." background, "X" foreground) an element, the first woven
// first, each two picks: <Data><P1>..X..</P1>...</Data>; broken twill adds its long floats
// (<LongFloats><P1>...</LongFloats>; older files: <Reversals>, last row first) and
// <BackgroundTwill>S or Z</BackgroundTwill> (S when missing).
class GttFormat {
  public:
    // Raises PatternFileError naming the line and the element of what it cannot read, and of
    // what Tessaly does not weave: cards of other than 2 to 8 holes (4 for a chart), two or
    // three turns in one pick.
    // The file is read as it streams in, so a large one needs no more memory than its band.
    static PeerPattern Read(std::istream& in, std::string_view sourceName);
    static PeerPattern Read(std::string_view text, std::string_view sourceName);
    // A threaded-in pattern that turns each card by itself, or a chart pattern when the
    // pattern's chart weaves its picks (and, for broken twill, its row after the last is the
    // background's, which the file does not keep). Raises AppError for what the
    // format cannot hold: no picks, more than sixteen colours.
    static std::string Write(const PeerPattern& pattern);
    // What the format holds, for the writer's checks and for telling what it leaves out.
    static PeerLimits Limits();
};

}  // namespace tessaly
