#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "PickSteps.h"

namespace tessaly {

// A step as the instructions write it: "F", "B" or "I"; a flip first adds " *".
std::string InstructionText(const CardStep& step);

// The turning instructions of a band, read from it as they are asked for: a pick's step for
// a card compares the card in the pick's row with the same card in the row below. Nothing is
// kept, so they can never disagree with the band, and a band of 10,000 picks by 200 cards
// costs nothing more to list.
//
// Pick p is the band's row p + 1 (row 1 is the threading). Columns run from 1 as the face
// shown has the cards: on the reverse face the cards stand mirrored and every turn goes the
// other way.
class TurningInstructions {
  public:
    TurningInstructions() = default;
    // The band must outlive these instructions.
    explicit TurningInstructions(const Band& band, bool reverseFace = false)
        : band_(&band), reverseFace_(reverseFace) {}

    std::int32_t Picks() const;
    std::int32_t Cards() const;
    // The number of the card heading a column.
    std::int32_t CardNumber(std::int32_t column) const;
    // The step of the card in this column in this pick; nothing outside the band.
    std::optional<CardStep> At(std::int32_t pick, std::int32_t column) const;
    // The step as text; empty outside the band.
    std::string Text(std::int32_t pick, std::int32_t column) const;

  private:
    const Card* CardIn(std::int32_t row, std::int32_t column) const;

    const Band* band_ = nullptr;
    bool reverseFace_ = false;
};

}  // namespace tessaly
