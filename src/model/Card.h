#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "Directions.h"

namespace tessaly {

// The holes of a card, A to D, numbered from 0 in the order they are named.
constexpr int kHoles = 4;
constexpr int kHoleA = 0;
constexpr int kHoleB = 1;
constexpr int kHoleC = 2;
constexpr int kHoleD = 3;

// A thread colour (0x00BBGGRR, or Card::kNoThread) for each hole, indexed by hole.
using HoleColors = std::array<std::int32_t, kHoles>;

// One weaving card: the thread colour in each hole (0x00BBGGRR, or kNoThread for an empty
// hole), its threading, its place in the deck, its rotation state, the direction it was
// turned in this pick (or Idle) and the direction it last turned.
class Card {
  public:
    static constexpr std::int32_t kNoThread = -1;

    // A card with these fields and its Position as key. The turn is written first, through
    // SetTurn, and the hole order after it, so the card keeps exactly the hole order given.
    static Card Make(std::int32_t turn, std::int16_t position, const HoleColors& colors,
                     ThreadDirection thread, std::int32_t holeOrder, std::int16_t pack) {
        Card card;
        card.SetTurn(turn);
        card.position_ = position;
        card.colors_ = colors;
        card.thread_ = thread;
        card.holeOrder_ = holeOrder;
        card.pack_ = pack;
        card.SetKey(position);
        return card;
    }

    std::int32_t Color(int hole) const { return colors_[static_cast<std::size_t>(hole)]; }
    void SetColor(int hole, std::int32_t color) { colors_[static_cast<std::size_t>(hole)] = color; }
    const HoleColors& Colors() const { return colors_; }
    void SwapColors(int hole, int other) {
        std::swap(colors_[static_cast<std::size_t>(hole)],
                  colors_[static_cast<std::size_t>(other)]);
    }
    void SetColors(const HoleColors& colors) { colors_ = colors; }
    ThreadDirection Thread() const { return thread_; }
    void SetThread(ThreadDirection thread) { thread_ = thread; }
    // Where the card's holes stand: 0 to 3, one step on for each forward turn.
    std::int32_t HoleOrder() const { return holeOrder_; }
    void SetHoleOrder(std::int32_t holeOrder) { holeOrder_ = holeOrder; }
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
        turn_ = turn;
        if (turn == Forward) {
            holeOrder_ = holeOrder_ >= kHoles - 1 ? 0 : holeOrder_ + 1;
            facing_ = static_cast<std::int8_t>(Forward);
        } else if (turn == Backward) {
            holeOrder_ = holeOrder_ <= 0 ? kHoles - 1 : holeOrder_ - 1;
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
    HoleColors colors_{};
    ThreadDirection thread_ = ZThread;
    std::int32_t holeOrder_ = 0;
    std::int16_t position_ = 0;
    std::int16_t pack_ = 0;
    // a band keeps a card for every card of every pick: the key, the facing and whether there
    // is a key share one word
    std::int32_t turn_ = 0;
    std::int16_t key_ = 0;
    std::int8_t facing_ = Forward;
    bool hasKey_ = false;
};

}  // namespace tessaly
