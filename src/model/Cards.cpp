#include "Cards.h"

#include "OneBased.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

Card* Cards::Add(std::int32_t turn, std::int16_t position, const HoleColors& colors,
                 ThreadDirection thread, std::int32_t holeOrder, std::int16_t pack) {
    return Add(Card::Make(turn, position, colors, thread, holeOrder, pack));
}

Card& Cards::At(std::int32_t index) { return OneBasedAt(cards_, index); }

const Card& Cards::At(std::int32_t index) const { return OneBasedAt(cards_, index); }

Card* Cards::Item(std::int32_t index) { return OneBasedItem(cards_, index, "Cards"); }

const Card* Cards::Item(std::int32_t index) const { return OneBasedItem(cards_, index, "Cards"); }

void Cards::Remove(std::int32_t index) {
    Trap("Cards", "Remove", [&] {
        At(index);
        cards_.erase(cards_.begin() + (index - 1));
    });
}

void Cards::Copy(const Cards* other) {
    Trap("Cards", "Copy", [&] {
        const Cards& source = Require(other);
        if (&source == this) {
            const std::vector<Card> snapshot = cards_;
            cards_.insert(cards_.end(), snapshot.begin(), snapshot.end());
            return;
        }
        cards_.insert(cards_.end(), source.cards_.begin(), source.cards_.end());
    });
}

}  // namespace tessaly
