#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "Card.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

// The most cards a band may have: the design window's limit, every command's and every
// reader's; the display, the files and the printed tables all handle this many.
constexpr std::int32_t kMostCards = 1000;

// An ordered deck of cards addressed from 1. Item hands out the stored card itself, so a
// caller that changes it changes the deck; a pointer from Item stays valid until the deck
// grows or shrinks. Only Copy makes an independent deck.
class Cards {
  public:
    // The card as Card::Make builds it (its position as its key).
    Card* Add(std::int32_t turn, std::int16_t position, const HoleColors& colors,
              ThreadDirection thread, std::int32_t holeOrder, std::int16_t pack);
    // Appends a field-exact copy of the card.
    Card* Add(const Card& card) {
        Card* added = nullptr;
        Trap("Cards", "Add", [&] { added = &cards_.emplace_back(card); });
        return added;
    }

    // Reporting accessors: an index outside 1..Count is reported, and no card is returned.
    Card* Item(std::int32_t index);
    const Card* Item(std::int32_t index) const;
    std::int32_t Count() const { return static_cast<std::int32_t>(cards_.size()); }
    void Remove(std::int32_t index);
    void Clear() { cards_.clear(); }
    // Appends a copy of every card of the other deck; a missing deck is reported.
    void Copy(const Cards* other);

    // For procedures with a trap of their own: raises error 9 instead of reporting.
    Card& At(std::int32_t index);
    const Card& At(std::int32_t index) const;

    void Reserve(std::int32_t count) { cards_.reserve(static_cast<std::size_t>(count)); }

    auto begin() { return cards_.begin(); }
    auto end() { return cards_.end(); }
    auto begin() const { return cards_.begin(); }
    auto end() const { return cards_.end(); }

    friend bool operator==(const Cards&, const Cards&) = default;

  private:
    std::vector<Card> cards_;
};

}  // namespace tessaly
