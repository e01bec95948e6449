#include "Card.h"

#include <algorithm>
#include <map>
#include <memory>
#include <mutex>

#include "Directions.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

// Sets are kept in blocks that never move, so a set can be read while another is added.
constexpr std::size_t kBlockSets = 4096;
constexpr std::size_t kMostBlocks = 4096;

struct SetStore {
    std::mutex adding;
    std::map<MoreHoleColors::Set, std::uint32_t> numbers;
    std::array<std::unique_ptr<std::array<MoreHoleColors::Set, kBlockSets>>, kMostBlocks> blocks;
    std::uint32_t count = 0;

    SetStore() {
        MoreHoleColors::Set empty;
        empty.fill(Card::kNoThread);
        Add(empty);
    }
    std::uint32_t Add(const MoreHoleColors::Set& colors) {
        const std::size_t block = count / kBlockSets;
        if (block >= kMostBlocks)
            throw AppError(ErrorNumber::OutOfMemory,
                           "too many different threadings of cards with more than four holes");
        if (!blocks[block])
            blocks[block] = std::make_unique<std::array<MoreHoleColors::Set, kBlockSets>>();
        (*blocks[block])[count % kBlockSets] = colors;
        numbers.emplace(colors, count);
        return count++;
    }
};

SetStore& Store() {
    static SetStore store;
    return store;
}

}  // namespace

std::uint32_t MoreHoleColors::Number(const Set& colors) {
    SetStore& store = Store();
    const std::lock_guard lock(store.adding);
    const auto found = store.numbers.find(colors);
    return found != store.numbers.end() ? found->second : store.Add(colors);
}

const MoreHoleColors::Set& MoreHoleColors::Of(std::uint32_t number) {
    const SetStore& store = Store();
    return (*store.blocks[number / kBlockSets])[number % kBlockSets];
}

std::int32_t Card::Color(int hole) const {
    if (hole < 0 || hole >= holes_) return kNoThread;
    if (hole < kHoles) return colors_[static_cast<std::size_t>(hole)];
    return MoreHoleColors::Of(moreColors_)[static_cast<std::size_t>(hole - kHoles)];
}

void Card::SetColor(int hole, std::int32_t color) {
    if (hole < 0 || hole >= holes_) return;
    if (hole < kHoles) {
        colors_[static_cast<std::size_t>(hole)] = color;
        return;
    }
    MoreHoleColors::Set more = MoreHoleColors::Of(moreColors_);
    more[static_cast<std::size_t>(hole - kHoles)] = color;
    moreColors_ = MoreHoleColors::Number(more);
}

HoleColors Card::Colors() const {
    HoleColors colors;
    for (int hole = 0; hole < kMaxHoles; ++hole)
        colors[static_cast<std::size_t>(hole)] = Color(hole);
    return colors;
}

void Card::SetColors(const HoleColors& colors) {
    moreColors_ = 0;
    if (holes_ == kHoles) {
        std::copy_n(colors.begin(), kHoles, colors_.begin());
        return;
    }
    // slots beyond a small card's holes hold 0, so equal cards compare equal
    for (int hole = 0; hole < kHoles; ++hole)
        colors_[static_cast<std::size_t>(hole)] =
            hole < holes_ ? colors[static_cast<std::size_t>(hole)] : 0;
    moreColors_ = 0;
    if (holes_ <= kHoles) return;
    MoreHoleColors::Set more;
    more.fill(kNoThread);
    for (int hole = kHoles; hole < holes_; ++hole)
        more[static_cast<std::size_t>(hole - kHoles)] = colors[static_cast<std::size_t>(hole)];
    moreColors_ = MoreHoleColors::Number(more);
}

void Card::SetHoles(int holes, std::int32_t newHoleColor) {
    HoleColors colors = Colors();
    for (int hole = holes_; hole < holes; ++hole)
        colors[static_cast<std::size_t>(hole)] = newHoleColor;
    holes_ = static_cast<std::int8_t>(holes);
    moreColors_ = 0;
    SetColors(colors);
    if (holeOrder_ >= holes) holeOrder_ = static_cast<std::int8_t>(holeOrder_ % holes);
}

std::int32_t FindTurn(std::string_view letter) noexcept {
    if (letter == "B" || letter == "b") return Backward;
    return Forward;
}

}  // namespace tessaly
