#include "PickSteps.h"

#include <algorithm>
#include <utility>

#include "errors/AppError.h"
#include "errors/Numeric.h"

namespace tessaly {

void FlipOver(Card& card) {
    if (card.HoleOrder == 0 || card.HoleOrder == 2) {
        std::swap(card.AColor, card.BColor);
        std::swap(card.CColor, card.DColor);
    } else if (card.HoleOrder == 1 || card.HoleOrder == 3) {
        std::swap(card.AColor, card.DColor);
        std::swap(card.BColor, card.CColor);
    }
    card.Thread = card.Thread == SThread ? ZThread : SThread;
}

WeavingSteps StepsOf(const Band& band) {
    WeavingSteps steps;
    if (band.Count() == 0) return steps;
    steps.threading = band.At(1).Cards();
    steps.picks.reserve(static_cast<std::size_t>(band.Count() - 1));
    for (std::int32_t r = 2; r <= band.Count(); ++r) {
        const Cards& below = band.At(r - 1).Cards();
        const Cards& row = band.At(r).Cards();
        PickSteps pick;
        pick.reserve(static_cast<std::size_t>(row.Count()));
        auto under = below.begin();
        for (const Card& card : row) {
            const bool flipped = under != below.end() && card.Thread != under->Thread;
            pick.push_back({card.Turn(), flipped, card.Pack});
            if (under != below.end()) ++under;
        }
        steps.picks.push_back(std::move(pick));
    }
    return steps;
}

Cards NextRow(const Cards& below, const PickSteps& steps) {
    if (static_cast<std::size_t>(below.Count()) != steps.size())
        throw AppError(ErrorNumber::SubscriptOutOfRange,
                       "A pick names " + std::to_string(steps.size()) + " cards, but the band has " +
                           std::to_string(below.Count()) + ".");
    Cards next = below;
    auto step = steps.begin();
    for (Card& card : next) {
        if (step->flip) FlipOver(card);
        card.Pack = step->pack;
        card.SetTurn(step->turn);
        ++step;
    }
    return next;
}

Band WeaveSteps(const WeavingSteps& steps) {
    Band band;
    band.Add(Cards(steps.threading), 1);
    ReweaveFrom(band, steps, 0);
    return band;
}

void ReweaveFrom(Band& band, const WeavingSteps& steps, std::size_t firstChanged) {
    CheckBandBudget(static_cast<std::int64_t>(steps.picks.size()) + 1, steps.threading.Count());
    if (band.Count() == 0) band.Add(Cards(steps.threading), 1);
    const auto keep = static_cast<std::int32_t>(
        std::min<std::size_t>(firstChanged + 1, static_cast<std::size_t>(band.Count())));
    while (band.Count() > keep) band.Remove(band.Count());
    for (std::size_t p = static_cast<std::size_t>(keep) - 1; p < steps.picks.size(); ++p) {
        Cards next = NextRow(band.At(band.Count()).Cards(), steps.picks[p]);
        band.Add(std::move(next), CheckedInt32(std::int64_t{band.Count()} + 1));
    }
}

}  // namespace tessaly
