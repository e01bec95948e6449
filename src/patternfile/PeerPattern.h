#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PatternReader.h"
#include "engine/PickSteps.h"
#include "model/TwoColourChart.h"

namespace tessaly {

// A pattern as the other tablet-weaving programs keep it: tablets of 2 to 8 holes, all alike,
// each hole holding a palette colour or none, each tablet threaded S or Z, and what every pick
// does to every tablet. Their hole 1, 2 ... is hole A, B ...; their pick 1 is the first pick
// woven.
struct PeerPattern {
    std::string name;
    std::string notes;                  // lines separated by '\n'
    std::optional<std::int32_t> weft;   // 0x00BBGGRR; none: the format keeps no weft
    std::vector<std::int32_t> palette;  // 0x00BBGGRR
    // the program's own colours, place by place: a place that still holds its own is not the
    // weaver's choice, and no hole holding it, it does not join the pattern's palette
    std::vector<std::int32_t> standardColours;
    // colours of the weaver's palette that no hole holds, which a format's palette keeps in
    // the places the threading leaves
    std::vector<std::int32_t> spareColours;
    // holes[h][t]: the palette index of hole h (0 is A) of tablet t, or -1 for no thread; a
    // row for each hole
    std::vector<std::vector<std::int32_t>> holes = std::vector<std::vector<std::int32_t>>(kHoles);
    std::vector<bool> sThreaded;    // per tablet
    std::vector<PickSteps> picks;   // pick 1 first, a step per tablet
    // The way each tablet faces before pick 1 (Forward or Backward), which shows when its
    // first picks idle; empty, or a real first turn, and the tablet faces as pick 1 turns it.
    std::vector<std::int32_t> firstFacing;
    // what the file holds that the pattern does not (notes, pack names...), for the weaver
    std::vector<std::string> notCarried;
    // a pattern drawn as a two-colour chart: picks are the chart's turns
    std::optional<TwoColourChart> chart;

    std::int32_t Tablets() const { return static_cast<std::int32_t>(sThreaded.size()); }
    int Holes() const { return static_cast<int>(holes.size()); }
};

// What every reader of another program's files refuses, in the same words.
// "9-hole tablets: Tessaly weaves cards of 2 to 8 holes"; a format's own limit can be named
// instead ("of 2, 4 or 6 holes").
std::string UnweavableHoles(std::int64_t holes, std::string_view weaves = "of 2 to 8 holes");
// Whether Tessaly weaves cards of so many holes.
bool WeavableHoles(std::int64_t holes);
std::string TooManyTablets(std::int64_t tablets);
std::string OneTurnAPick(std::int64_t turns, std::int64_t pick, std::int64_t tablet);

// Gives the pattern the picks its chart weaves: every card turns every pick, pack 1. Raises
// AppError for a chart that is not the tablets' width or a pattern of other than four holes.
void WeaveChart(PeerPattern& pattern);
// Whether the pattern's chart weaves exactly its picks, so that a writer may keep the chart
// in their place.
bool ChartWeavesPicks(const PeerPattern& pattern);

// A new chart pattern: its cards threaded as the chart's kind needs them (ChartThreading)
// with the foreground and background colours, and the picks the chart weaves.
PeerPattern ChartPeer(const TwoColourChart& chart, std::int32_t foreground,
                      std::int32_t background);
// The band a chart weaves from the threading of the band's first row: its cards keep their
// colours and threading; cards the chart adds are threaded as the chart's kind needs them in
// the colours of the first card's hole A (foreground) and hole C; cards it leaves out go.
// Raises AppError for cards of other than four holes. pairSThreaded, when given, threads every
// card anew, the first of each pair as [0] says and the second as [1] (S when true).
std::unique_ptr<Band> ChartBand(const Band& band, const TwoColourChart& chart,
                                std::optional<std::array<bool, 2>> pairSThreaded = std::nullopt);

// "#rrggbb" (or "#rgb", any case) as 0x00BBGGRR; nullopt for anything else.
std::optional<std::int32_t> ColourFromHex(std::string_view text);
// 0x00BBGGRR as "#RRGGBB".
std::string HexOfColour(std::int32_t colour);

// What a format can hold, for its writer's first checks.
struct PeerLimits {
    std::string_view kind;   // "a .tdd draft", "a Twisted Threads pattern"...
    std::size_t colours;     // the palette's size
    bool idles;              // whether a card can idle in a pick
    bool flips;              // whether a card can be flipped over (a vertical twist)
    std::size_t mostTablets = kMostCards;
    std::size_t mostPicks = std::numeric_limits<std::size_t>::max();
    // the hole counts it holds
    std::function<bool(int)> holes = [](int count) { return count == kHoles; };
    std::string_view holeCounts = "of 4 holes";
    bool notes = false;  // whether it keeps free text with the pattern
    // whether it keeps this pattern's chart as a chart (otherwise it keeps the chart's picks)
    std::function<bool(const PeerPattern&)> keepsChart = [](const PeerPattern&) { return false; };
    bool weft = false;   // whether it keeps a weft colour (in a place of its palette)
};
// Raises AppError, naming the pick or the limit, for a band the format cannot hold: no picks,
// more cards or picks than the program opens, more colours than its palette, an idle card or
// a flipped one where it has none.
void CheckFits(const PeerPattern& pattern, const PeerLimits& limits);

// The colours of a format's palette, at most its size when the threading's fit: those the holes
// name, the weft's (for a format that keeps one) if it is not among them, then the spare
// colours while places are left. The program's own colours fill the places after these.
std::vector<std::int32_t> PaletteOfFormat(const PeerPattern& pattern, const PeerLimits& limits);
// What of the pattern a format has no place for, in words ("the colour names", "the notes",
// "2 colours of the palette"), for the weaver to be told; empty when all of it goes.
std::vector<std::string> LeftOutOf(const PeerPattern& pattern, const PatternExtras& extras,
                                   const PeerLimits& limits);
// "a", "a and b", "a, b and c".
std::string ListInWords(const std::vector<std::string>& items);

// The way a tablet faces before pick 1: as the file says, else as pick 1 turns it, else
// forward.
std::int32_t FacingBeforeFirstPick(const PeerPattern& peer, std::size_t tablet);
// The way a tablet first turns (forward when it never does).
std::int32_t FirstTurnOf(const std::vector<PickSteps>& picks, std::size_t tablet);
// A writer's check that the other program will draw each card that idles in pick 1 as Tessaly
// does: drawnFacing(tablet) is the way the program will take it to face. Raises AppError
// naming the first card it would draw otherwise.
void CheckFirstIdles(const PeerPattern& peer, const std::function<std::int32_t(std::size_t)>& drawnFacing,
                     std::string_view program);

// The band the other program draws, stored row by row: row 1 is the threading at hole order
// 1, turned as each tablet's first pick turns it (as Apply turns a threading to the first
// letter of a sequence), so that pick 1 after a forward turn shows hole D, as they draw it;
// then every pick woven from its steps. Raises AppError for a pattern that cannot be woven.
PatternData PatternFromPeer(const PeerPattern& peer);

// The pattern another program needs to draw this band as Tessaly draws it from its second
// row on: each card's holes named again so that its first row stands at hole order 1, the
// colours gathered into a palette in the order met, the way each card faces in its first row,
// and each pick's steps; the name, the notes, the weft and the palette's other colours go with
// it.
PeerPattern PeerFromBand(const Band& band, const std::string& name,
                         const PatternExtras& extras = {});

}  // namespace tessaly
