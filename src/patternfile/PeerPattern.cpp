#include "PeerPattern.h"

#include <algorithm>

#include "errors/AppError.h"
#include "errors/Numeric.h"

namespace tessaly {

PatternData PatternFromPeer(const PeerPattern& peer) {
    const std::int32_t tablets = peer.Tablets();
    if (tablets < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The pattern has no tablets.");
    if (tablets > kMostPeerTablets)
        throw AppError(ErrorNumber::Overflow, std::to_string(tablets) + " tablets: Tessaly weaves " +
                                                  std::to_string(kMostPeerTablets) +
                                                  " cards at most.");
    CheckBandBudget(static_cast<std::int64_t>(peer.picks.size()) + 1, tablets);
    const auto colour = [&](std::int32_t index) {
        if (index < 0) return Card::kNoThread;
        if (static_cast<std::size_t>(index) >= peer.palette.size())
            throw AppError(ErrorNumber::SubscriptOutOfRange,
                           "A hole names colour " + std::to_string(index) +
                               ", which the palette does not have.");
        return peer.palette[static_cast<std::size_t>(index)];
    };
    WeavingSteps steps;
    for (std::int32_t t = 0; t < tablets; ++t) {
        const auto at = static_cast<std::size_t>(t);
        // the threading stands turned as the tablet's first pick turns it
        std::int32_t firstTurn = Forward;
        if (!peer.picks.empty() && peer.picks.front().at(at).turn == Backward) firstTurn = Backward;
        const std::int16_t pack = peer.picks.empty() ? std::int16_t{1} : peer.picks.front()[at].pack;
        steps.threading.Add(Card::Make(firstTurn, CheckedInt16(t + 1), colour(peer.holes[0].at(at)),
                                       colour(peer.holes[1].at(at)), colour(peer.holes[2].at(at)),
                                       colour(peer.holes[3].at(at)),
                                       peer.sThreaded[at] ? SThread : ZThread, 1, pack));
    }
    steps.picks = peer.picks;
    PatternData data;
    data.BandName = peer.name;
    *data.Rows = WeaveSteps(steps);
    return data;
}

PeerPattern PeerFromBand(const Band& band, const std::string& name) {
    if (band.Count() < 1) throw AppError(ErrorNumber::InvalidProcedureCall, "The band has no cards.");
    PeerPattern peer;
    peer.name = name;
    const Cards& threading = band.At(1).Cards();
    const auto index = [&](std::int32_t colour) -> std::int32_t {
        if (colour == Card::kNoThread) return -1;
        const auto found = std::find(peer.palette.begin(), peer.palette.end(), colour);
        if (found != peer.palette.end()) return static_cast<std::int32_t>(found - peer.palette.begin());
        peer.palette.push_back(colour);
        return static_cast<std::int32_t>(peer.palette.size() - 1);
    };
    for (const Card& card : threading) {
        // hole j of the card at hole order 1 is the hole j + 1 - h of the card at order h:
        // both then show the same hole after any number of turns
        const std::int32_t colours[4] = {card.AColor, card.BColor, card.CColor, card.DColor};
        const std::int32_t order = card.HoleOrder >= 0 && card.HoleOrder <= 3 ? card.HoleOrder : 1;
        for (int j = 0; j < 4; ++j)
            peer.holes[static_cast<std::size_t>(j)].push_back(
                index(colours[((j + 1 - order) % 4 + 4) % 4]));
        peer.sThreaded.push_back(card.Thread == SThread);
    }
    peer.picks = StepsFrom(band, 1);
    return peer;
}

}  // namespace tessaly
