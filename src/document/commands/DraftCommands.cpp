#include "DraftCommands.h"

#include <QObject>

#include "document/PatternDocument.h"
#include "errors/AppError.h"
#include "model/Directions.h"

namespace tessaly {

DraftCommand::DraftCommand(CommandTarget target, const QString& text)
    : PatternCommand(target, text), before_(target.document.Draft()), after_(before_) {}

bool DraftCommand::Redo() {
    // a change that leaves the draft as it was is no step
    if (after_ == Document().Draft()) return false;
    Document().SetDraft(after_);
    return true;
}

void DraftCommand::Undo() { Document().SetDraft(before_); }

std::int64_t DraftCommand::Bytes() const {
    return static_cast<std::int64_t>((before_.size() + after_.size()) * sizeof(DraftColumn));
}

PaintDraft::PaintDraft(CommandTarget target, const std::vector<DraftHole>& holes,
                       std::int32_t color, bool continuesStroke)
    : DraftCommand(target, QObject::tr("Paint")), continuesStroke_(continuesStroke) {
    for (const DraftHole& at : holes) {
        if (at.card < 1 || at.card > static_cast<std::int64_t>(after_.size()) || at.hole < 0 ||
            at.hole >= after_[static_cast<std::size_t>(at.card - 1)].holes)
            continue;
        after_[static_cast<std::size_t>(at.card - 1)].SetColor(at.hole, color);
    }
}

PatternCommand::Merged PaintDraft::MergeWith(const PatternCommand& next) {
    // the rest of a stroke joins the step its press began, which keeps the draft from before
    // the press
    const auto& rest = static_cast<const PaintDraft&>(next);
    if (!rest.continuesStroke_) return Merged::No;
    after_ = rest.after_;
    return Merged::Joined;
}

SetCardCount::SetCardCount(CommandTarget target, std::int32_t count)
    : DraftCommand(target, QObject::tr("Number of Cards")) {
    if (count < 1 || count > kMostCards)
        throw AppError(ErrorNumber::Overflow,
                       "The number of cards must be a whole number from 1 to " +
                           std::to_string(kMostCards) + ".");
    after_ = Document().DraftOfBand();
    if (after_.empty()) throw AppError(ErrorNumber::SubscriptOutOfRange, "The band has no cards.");
    // new cards copy the last card
    after_.resize(static_cast<std::size_t>(count), after_.back());
}

SetHoleCount::SetHoleCount(CommandTarget target, int holes, std::int32_t newHoleColor)
    : DraftCommand(target, QObject::tr("Holes")) {
    if (holes < kMinHoles || holes > kMaxHoles)
        throw AppError(ErrorNumber::Overflow, "A card has from " + std::to_string(kMinHoles) +
                                                  " to " + std::to_string(kMaxHoles) + " holes.");
    for (DraftColumn& column : after_) {
        for (int hole = column.holes; hole < holes; ++hole) column.SetColor(hole, newHoleColor);
        for (int hole = holes; hole < kMaxHoles; ++hole) column.SetColor(hole, Card::kNoThread);
        column.holes = holes;
    }
}

bool SetHoleCount::LosesThreads(const std::vector<DraftColumn>& draft, int holes) {
    for (const DraftColumn& column : draft)
        for (int hole = holes; hole < column.holes; ++hole)
            if (column.Color(hole) != Card::kNoThread) return true;
    return false;
}

ToggleThreading::ToggleThreading(CommandTarget target, std::int32_t card)
    : DraftCommand(target, QObject::tr("Change Threading")) {
    if (card < 1 || card > static_cast<std::int64_t>(after_.size())) return;
    DraftColumn& column = after_[static_cast<std::size_t>(card - 1)];
    column.SetThread(OtherThreading(column.Thread()));
}

ReloadDraft::ReloadDraft(CommandTarget target)
    : DraftCommand(target, QObject::tr("Threading from Band")) {
    after_ = Document().DraftOfBand();
}

}  // namespace tessaly
