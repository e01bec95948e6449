#include "LoomState.h"

#include "LoomBookmarks.h"
#include "PatternDocument.h"
#include "engine/Band.h"

namespace tessaly {

LoomState::LoomState(const PatternDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    for (auto changed : {&PatternDocument::bandReplaced, &PatternDocument::bandRecoloured})
        connect(&document_, changed, this, &LoomState::BandChanged);
    for (auto changed : {&PatternDocument::rowAdded, &PatternDocument::rowRemoved})
        connect(&document_, changed, this, &LoomState::BandChanged);
    connect(&document_, &PatternDocument::rowsReplaced, this, &LoomState::BandChanged);
    connect(&document_, &PatternDocument::patternLoaded, this, [this] {
        bookmark_.clear();
        pick_ = 1;
        BandChanged();
    });
}

void LoomState::SetFollowing(bool following) {
    if (following_ == following) return;
    following_ = following;
    emit followingChanged(following);
}

void LoomState::BandChanged() {
    // rebuilt when next asked for: a band woven pick by pick while nobody follows it does
    // not count the twist anew for every pick
    position_.reset();
    if (following_) emit pickChanged(Position().Pick());
}

const LoomPosition& LoomState::Position() {
    // a band traded or grown before its signal reached here is another band already
    const Band& band = document_.CurrentBand();
    if (position_ && (positionBand_ != &band || positionRows_ != band.Count())) position_.reset();
    if (!position_) {
        positionBand_ = &band;
        positionRows_ = band.Count();
        const auto repeat =
            static_cast<std::int32_t>(SequenceLetters(document_.WovenSequence()).size());
        position_.emplace(band, repeat);
        position_->GoTo(pick_);
        pick_ = position_->Pick();
    }
    return *position_;
}

LoomPosition::Move LoomState::Moved(LoomPosition::Move move) {
    pick_ = position_->Pick();
    if (move == LoomPosition::Move::Moved) {
        LoomBookmarks::RememberAt(bookmark_, pick_);
        emit pickChanged(pick_);
    }
    return move;
}

LoomPosition::Move LoomState::Next() {
    Position();
    return Moved(position_->Next());
}

LoomPosition::Move LoomState::Previous() {
    Position();
    return Moved(position_->Previous());
}

LoomPosition::Move LoomState::GoTo(std::int32_t pick) {
    const std::int32_t before = Position().Pick();
    const LoomPosition::Move move = position_->GoTo(pick);
    // a pick held at an end still moves when it was elsewhere
    return Moved(position_->Pick() != before ? LoomPosition::Move::Moved : move);
}

void LoomState::TieToFile(const QString& path, bool restore) {
    bookmark_ = LoomBookmarks::KeyOf(path);
    if (!restore) {
        LoomBookmarks::RememberAt(bookmark_, pick_);
        return;
    }
    const std::optional<std::int32_t> kept = LoomBookmarks::RecallAt(bookmark_);
    if (kept) GoTo(*kept);
}

}  // namespace tessaly
