#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "Directions.h"

namespace tessaly {

// The holes of a card, A to H, numbered from 0 in the order they are named. A pattern's
// cards have from two to eight holes; square cards, four, are the usual ones.
constexpr int kMinHoles = 2;
constexpr int kMaxHoles = 8;
constexpr int kHoles = 4;  // square cards
constexpr int kHoleA = 0;
constexpr int kHoleB = 1;
constexpr int kHoleC = 2;
constexpr int kHoleD = 3;

// A thread colour (0x00BBGGRR, or Card::kNoThread) for each hole, indexed by hole; a card uses
// as many as it has holes.
using HoleColors = std::array<std::int32_t, kMaxHoles>;

// The colours of holes E to H of the cards that have them, kept once for each different set
// (a band's cards share a few), so a card of up to four holes stays small: a card holds the
// number of its set. Safe to read from any thread; sets are added under a lock.
class MoreHoleColors {
  public:
    using Set = std::array<std::int32_t, kMaxHoles - kHoles>;
    // The number of this set, added when new; 0 is every hole empty. Raises AppError when
    // more sets than it can hold were asked for.
    static std::uint32_t Number(const Set& colors);
    static const Set& Of(std::uint32_t number);
};

// One weaving card: the thread colour in each hole (0x00BBGGRR, or kNoThread for an empty
// hole), its threading, its place in the deck, its rotation state, the direction it was
// turned in this pick (or Idle) and the direction it last turned.
class Card {
  public:
    static constexpr std::int32_t kNoThread = -1;

    // A card with these fields and its Position as key. The turn is written first, through
    // SetTurn, and the hole order after it, so the card keeps exactly the hole order given.
    // A card of `holes` holes (kMinHoles to kMaxHoles) whose hole order is taken as given,
    // even outside 0 to holes - 1 (a file's reader checks it).
    static Card Make(std::int32_t turn, std::int16_t position, const HoleColors& colors,
                     ThreadDirection thread, std::int32_t holeOrder, std::int16_t pack,
                     int holes = kHoles) {
        Card card;
        card.holes_ = static_cast<std::int8_t>(holes);
        card.SetTurn(turn);
        card.position_ = position;
        card.SetColors(colors);
        card.thread_ = static_cast<std::int8_t>(thread);
        card.SetHoleOrder(holeOrder);
        card.pack_ = pack;
        card.SetKey(position);
        return card;
    }

    int Holes() const { return holes_; }
    // Changes the number of holes: new holes take this colour, holes beyond the new count go,
    // and the hole order is brought within the new count.
    void SetHoles(int holes, std::int32_t newHoleColor);
    // A hole beyond the card's own has no thread.
    std::int32_t Color(int hole) const;
    void SetColor(int hole, std::int32_t color);
    HoleColors Colors() const;
    void SwapColors(int hole, int other) {
        const std::int32_t color = Color(hole);
        SetColor(hole, Color(other));
        SetColor(other, color);
    }
    void SetColors(const HoleColors& colors);
    ThreadDirection Thread() const { return static_cast<ThreadDirection>(thread_); }
    void SetThread(ThreadDirection thread) { thread_ = static_cast<std::int8_t>(thread); }
    // Where the card's holes stand: 0 to Holes() - 1, one step on for each forward turn.
    std::int32_t HoleOrder() const { return holeOrder_; }
    void SetHoleOrder(std::int32_t holeOrder) { holeOrder_ = static_cast<std::int8_t>(holeOrder); }
    // The card's place in the deck, from 1.
    std::int16_t Position() const { return position_; }
    void SetPosition(std::int16_t position) { position_ = position; }
    // The pack (1 to 3) the weaving assistant holds it in.
    std::int16_t Pack() const { return pack_; }
    void SetPack(std::int16_t pack) { pack_ = pack; }

    std::int32_t Turn() const { return turn_; }
    // Turning the card rotates its hole order: forward one step up, backward one step down,
    // on every write, also when the same direction is written again. Idle leaves it, and the
    // way the card faces, as they were.
    void SetTurn(std::int32_t turn) {
        turn_ = static_cast<std::int8_t>(turn);
        if (turn == Forward) {
            holeOrder_ = static_cast<std::int8_t>(holeOrder_ >= holes_ - 1 ? 0 : holeOrder_ + 1);
            facing_ = static_cast<std::int8_t>(Forward);
        } else if (turn == Backward) {
            holeOrder_ = static_cast<std::int8_t>(holeOrder_ <= 0 ? holes_ - 1 : holeOrder_ - 1);
            facing_ = static_cast<std::int8_t>(Backward);
        }
    }
    // The direction the card last turned: its own turn, or for an idle card the turn it kept
    // from the picks before. Which hole shows, and whether the next turn reverses, follow it.
    std::int32_t Facing() const { return facing_; }
    // A card turned over (a vertical twist) turns the other way round relative to its threads:
    // after forward, flip, backward the thread that stood behind comes over the top, a new
    // thread as after forward, forward. So the way it last turned, seen in its own frame,
    // changes with the flip.
    void TurnFacingOver() { facing_ = static_cast<std::int8_t>(facing_ == Backward ? Forward : Backward); }
    // An idle card faces as it did in the pick before (the same card one row below), the other
    // way when it was turned over in between (its threading changed); a file stores only the
    // turn, so a band read from one takes this from the row under it.
    void FaceAsBefore(const Card& before) {
        if (turn_ != Idle) return;
        facing_ = before.facing_;
        if (thread_ != before.thread_) TurnFacingOver();
    }

    // The card's number, which names its column of the draft; none on a new card.
    std::optional<std::int16_t> Key() const {
        return hasKey_ ? std::optional<std::int16_t>(key_) : std::nullopt;
    }
    void SetKey(std::int16_t key) {
        key_ = key;
        hasKey_ = true;
    }

    friend bool operator==(const Card&, const Card&) = default;

  private:
    // a band keeps a card for every card of every pick: holes A to D in place, the rest as the
    // number of their set, the small fields packed together
    std::array<std::int32_t, kHoles> colors_{};
    std::uint32_t moreColors_ = 0;
    std::int16_t position_ = 0;
    std::int16_t pack_ = 0;
    std::int16_t key_ = 0;
    std::int8_t holeOrder_ = 0;
    std::int8_t turn_ = 0;
    std::int8_t facing_ = Forward;
    std::int8_t thread_ = ZThread;
    std::int8_t holes_ = kHoles;
    bool hasKey_ = false;
};
// a band of 10,000 picks of 200 cards holds two million of them
static_assert(sizeof(Card) <= 32, "a card of up to four holes stays this small");

}  // namespace tessaly
