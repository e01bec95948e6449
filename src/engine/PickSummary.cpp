#include "PickSummary.h"

#include <algorithm>
#include <array>

#include "TurningInstructions.h"
#include "model/Directions.h"

namespace tessaly {

namespace {

constexpr const char* kEnDash = "\u2013";
constexpr const char* kEmDash = "\u2014";
constexpr const char* kDot = " \u00B7 ";

// The cards of a pick by what is done with them: forward, backward, idle, flipped first.
struct PickGroups {
    std::array<std::vector<std::int32_t>, 3> byTurn;  // indexed by Forward, Backward, Idle
    std::vector<std::int32_t> flipped;
};

PickGroups GroupsOf(const TurningInstructions& instructions, std::int32_t pick) {
    PickGroups groups;
    for (std::int32_t column = 1; column <= instructions.Cards(); ++column) {
        const std::optional<CardStep> step = instructions.At(pick, column);
        if (!step) continue;
        const std::int32_t card = instructions.CardNumber(column);
        if (step->turn >= Forward && step->turn <= Idle)
            groups.byTurn[static_cast<std::size_t>(step->turn)].push_back(card);
        if (step->flip) groups.flipped.push_back(card);
    }
    // on the reverse face the columns count down: the groups are read from card 1 up
    for (auto& cards : groups.byTurn) std::sort(cards.begin(), cards.end());
    std::sort(groups.flipped.begin(), groups.flipped.end());
    return groups;
}

}  // namespace

std::string CardRanges(const std::vector<std::int32_t>& cards) {
    if (cards.empty()) return kEmDash;
    std::string text;
    for (std::size_t i = 0; i < cards.size();) {
        std::size_t last = i;
        while (last + 1 < cards.size() && cards[last + 1] == cards[last] + 1) ++last;
        if (!text.empty()) text += ", ";
        text += std::to_string(cards[i]);
        if (last > i) text += kEnDash + std::to_string(cards[last]);
        i = last + 1;
    }
    return text;
}

std::string PickSummary(const TurningInstructions& instructions, std::int32_t pick) {
    if (pick < 1 || pick > instructions.Picks()) return {};
    const PickGroups groups = GroupsOf(instructions, pick);
    return "Turn F: " + CardRanges(groups.byTurn[Forward]) + kDot +
           "Turn B: " + CardRanges(groups.byTurn[Backward]) + kDot +
           "Idle: " + CardRanges(groups.byTurn[Idle]) + kDot +
           "Flip first: " + CardRanges(groups.flipped);
}

std::string PickLine(const TurningInstructions& instructions, std::int32_t pick) {
    if (pick < 1 || pick > instructions.Picks()) return {};
    const PickGroups groups = GroupsOf(instructions, pick);
    std::string line;
    const auto add = [&line](const char* label, const std::vector<std::int32_t>& cards) {
        if (cards.empty()) return;
        if (!line.empty()) line += kDot;
        line += std::string(label) + " " + CardRanges(cards);
    };
    add("F", groups.byTurn[Forward]);
    add("B", groups.byTurn[Backward]);
    add("I", groups.byTurn[Idle]);
    add("flip", groups.flipped);
    return std::to_string(pick) + ": " + line;
}

}  // namespace tessaly
