#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "PatternReader.h"
#include "engine/PickSteps.h"

namespace tessaly {

// A pattern as the other tablet-weaving programs keep it: tablets of four holes, each hole
// holding a palette colour or none, each tablet threaded S or Z, and what every pick does to
// every tablet. Their hole 1 to 4 is hole A to D; their pick 1 is the first pick woven.
struct PeerPattern {
    std::string name;
    std::vector<std::int32_t> palette;  // 0x00BBGGRR
    // holes[h][t]: the palette index of hole h (0 is A) of tablet t, or -1 for no thread
    std::array<std::vector<std::int32_t>, 4> holes;
    std::vector<bool> sThreaded;    // per tablet
    std::vector<PickSteps> picks;   // pick 1 first, a step per tablet
    // what the file holds that the pattern does not (notes, pack names...), for the weaver
    std::vector<std::string> notCarried;

    std::int32_t Tablets() const { return static_cast<std::int32_t>(sThreaded.size()); }
};

// The most cards a pattern from another program may have, as the design window allows.
constexpr std::int32_t kMostPeerTablets = 1000;

// The band the other program draws, stored row by row: row 1 is the threading at hole order
// 1, turned as each tablet's first pick turns it (as Apply turns a threading to the first
// letter of a sequence), so that pick 1 after a forward turn shows hole D, as they draw it;
// then every pick woven from its steps. Raises AppError for a pattern that cannot be woven.
PatternData PatternFromPeer(const PeerPattern& peer);

// The pattern another program needs to draw this band as Tessaly draws it from its second
// row on: each card's holes named again so that its first row stands at hole order 1, the
// colours gathered into a palette in the order met, and each pick's steps.
PeerPattern PeerFromBand(const Band& band, const std::string& name);

}  // namespace tessaly
