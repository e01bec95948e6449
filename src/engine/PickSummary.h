#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly {

class TurningInstructions;

// Card numbers as a weaver writes them: runs joined with an en dash, "1–6, 9–12, 15"; an
// empty list is "—". The numbers are taken in the order given, which must be ascending.
std::string CardRanges(const std::vector<std::int32_t>& cards);

// What to do in one pick, grouped as a weaver says it, each card by its own number and
// turned as the face shown sees it: "Turn F: 1–6, 9–12 · Turn B: 7–8 · Idle: — · Flip
// first: 4". Empty outside the band.
std::string PickSummary(const TurningInstructions& instructions, std::int32_t pick);

// The same pick as one short line of a printed list: "12: F 1–6, 9–12 · B 7–8", with "I" for
// idle cards and "flip" for the cards flipped first; a group without cards is left out.
std::string PickLine(const TurningInstructions& instructions, std::int32_t pick);

}  // namespace tessaly
