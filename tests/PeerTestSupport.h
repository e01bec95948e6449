#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/Blocks.h"
#include "patternfile/PatternError.h"
#include "patternfile/PeerPattern.h"

namespace tessaly::test {

constexpr std::int32_t kRed = 0x0000FF, kGreen = 0x00FF00, kBlue = 0xFF0000, kWhite = 0xFFFFFF;

// The colour each pick of the band shows for a card (pick 1 is row 2).
inline std::vector<std::int32_t> Shown(const Band& band, std::int32_t card) {
    std::vector<std::int32_t> shown;
    for (std::int32_t r = 2; r <= band.Count(); ++r)
        shown.push_back(Blocks::DetermineColor(&band.At(r).Cards().At(card)));
    return shown;
}

// The colour the other programs draw for a tablet at each pick, worked out their way: the
// tablet's turns are counted (forward +1, backward -1), and of N holes the one shown is
// (N - turns) mod N when it last turned forward, (N - turns - 1) mod N when backward, and
// (N - turns) mod N either way on a two-hole tablet. A tablet that never turned faces as the
// file says. No vertical twists.
inline std::vector<std::int32_t> PeerDrawn(const PeerPattern& peer, std::size_t tablet) {
    std::vector<std::int32_t> drawn;
    int turns = 0;
    std::int32_t facing = FacingBeforeFirstPick(peer, tablet);
    for (const PickSteps& pick : peer.picks) {
        const std::int32_t turn = pick.at(tablet).turn;
        if (turn != Idle) facing = turn;
        turns += turn == Forward ? 1 : turn == Backward ? -1 : 0;
        const int holes = peer.Holes();
        const int net = ((turns % holes) + holes) % holes;
        const int hole =
            facing == Forward || holes == 2 ? (holes - net) % holes : (2 * holes - net - 1) % holes;
        const std::int32_t index = peer.holes[static_cast<std::size_t>(hole)].at(tablet);
        drawn.push_back(index < 0 ? Card::kNoThread : peer.palette.at(static_cast<std::size_t>(index)));
    }
    return drawn;
}

// The text with its first `from` (which it must hold) replaced by `to`.
inline std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

// The message a reader refuses a text with, or "read".
inline std::string RefusalOf(const std::function<void(const std::string&)>& read, const std::string& text) {
    try {
        read(text);
    } catch (const AppError& error) {
        return error.what();
    }
    return "read";
}

// A band of four cards in three colours and an empty hole, threaded S S Z Z at the given hole
// order, woven forward twice and backward twice.
inline Band SmallBand(std::int32_t holeOrder) {
    Cards deck;
    for (int i = 1; i <= 4; ++i)
        deck.Add(Forward, static_cast<std::int16_t>(i),
                 {kRed, kGreen, i % 2 ? kRed : kWhite, Card::kNoThread}, i <= 2 ? SThread : ZThread,
                 holeOrder, 1);
    Band band;
    band.Add(deck, 1);
    for (const std::int32_t turn : {Forward, Forward, Backward, Backward}) {
        Cards next = band.At(band.Count()).Cards();
        for (Card& card : next) card.SetTurn(turn);
        band.Add(next, band.Count() + 1);
    }
    return band;
}

}  // namespace tessaly::test
