#include "History.h"

#include <algorithm>

#include "PatternDocument.h"

namespace tessaly {

namespace {

// What a step costs besides what it keeps: the command, its text, the bookkeeping.
constexpr std::int64_t kStepOverhead = 256;

// Marks the history at work for as long as it lives.
class BusyScope {
  public:
    explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
    ~BusyScope() { busy_ = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

  private:
    bool& busy_;
};

}  // namespace

History::History(const PatternDocument& document, QObject* parent)
    : QObject(parent), document_(document) {}

History::~History() = default;

QString History::UndoText() const {
    return CanUndo() ? steps_[static_cast<std::size_t>(index_ - 1)].command->Text() : QString();
}

QString History::RedoText() const {
    return CanRedo() ? steps_[static_cast<std::size_t>(index_)].command->Text() : QString();
}

int History::FileChangesBefore(int index) const {
    return index <= 0 ? forgottenFileChanges_
                      : steps_[static_cast<std::size_t>(index - 1)].fileChangesThrough;
}

void History::Account(Step& step, int fileChangesBefore) {
    Forget(step);
    step.bytes = kStepOverhead + step.command->Bytes();
    heldBytes_ += step.bytes;
    step.bandHeld = step.command->BandBytesHeld();
    if (step.bandHeld > 0) bandsHeld_.insert(step.bandHeld);
    step.fileChangesThrough = fileChangesBefore + (step.command->ChangesFile() ? 1 : 0);
}

void History::Forget(Step& step) {
    heldBytes_ -= step.bytes;
    step.bytes = 0;
    if (step.bandHeld > 0) bandsHeld_.erase(bandsHeld_.find(step.bandHeld));
    step.bandHeld = 0;
}

void History::DropUndone() {
    while (Count() > index_) {
        Forget(steps_.back());
        steps_.pop_back();
    }
    // the saved state was among the steps undone: it is out of reach now
    if (saved_ && *saved_ > index_) saved_.reset();
}

bool History::Run(std::unique_ptr<PatternCommand> command) {
    if (busy_) return false;
    {
        const BusyScope busy(busy_);
        if (!command->Make()) return false;
    }
    DropUndone();
    // the next keystroke or the rest of a stroke joins the step before it, unless the
    // pattern was saved in between
    if (index_ > 0 && saved_ != index_ && command->MergeId() != -1) {
        Step& top = steps_.back();
        if (top.command->MergeId() == command->MergeId()) {
            switch (top.command->MergeWith(*command)) {
                case PatternCommand::Merged::Joined:
                    Account(top, FileChangesBefore(index_ - 1));
                    Sync();
                    emit stepsChanged();
                    return true;
                case PatternCommand::Merged::Cancelled:
                    Forget(top);
                    steps_.pop_back();
                    --index_;
                    Sync();
                    emit stepsChanged();
                    return true;
                case PatternCommand::Merged::No:
                    break;
            }
        }
    }
    Step& step = steps_.emplace_back();
    step.command = std::move(command);
    Account(step, FileChangesBefore(index_));
    ++index_;
    Trim();
    Sync();
    emit stepsChanged();
    return true;
}

void History::Undo() {
    if (busy_ || !CanUndo()) return;
    {
        const BusyScope busy(busy_);
        steps_[static_cast<std::size_t>(index_ - 1)].command->TakeBack();
    }
    --index_;
    Account(steps_[static_cast<std::size_t>(index_)], FileChangesBefore(index_));
    Sync();
    emit stepsChanged();
}

void History::Redo() {
    if (busy_ || !CanRedo()) return;
    bool made = false;
    {
        const BusyScope busy(busy_);
        made = steps_[static_cast<std::size_t>(index_)].command->Make();
    }
    if (made) {
        Account(steps_[static_cast<std::size_t>(index_)], FileChangesBefore(index_));
        ++index_;
    } else {
        // a step that can no longer be made (the views could not show it) goes
        Forget(steps_[static_cast<std::size_t>(index_)]);
        steps_.erase(steps_.begin() + index_);
        for (std::size_t i = static_cast<std::size_t>(index_); i < steps_.size(); ++i)
            Account(steps_[i], FileChangesBefore(static_cast<int>(i)));
        if (saved_ && *saved_ > index_) saved_.reset();
    }
    Sync();
    emit stepsChanged();
}

void History::Clear() {
    steps_.clear();
    bandsHeld_.clear();
    index_ = 0;
    forgottenFileChanges_ = 0;
    heldBytes_ = 0;
    SetChanged(false);
    emit stepsChanged();
}

void History::SetChanged(bool changed) {
    if (changed)
        saved_.reset();
    else
        saved_ = index_;
    Sync();
}

bool History::ChangedSinceSave() const {
    if (!saved_) return true;
    return FileChangesBefore(*saved_) != FileChangesBefore(index_);
}

bool History::BandChangedSinceSave() const {
    if (!changed_) return false;
    if (!saved_) return true;
    // the steps made since the save, or undone since it
    for (int i = std::min(*saved_, index_); i < std::max(*saved_, index_); ++i)
        if (steps_[static_cast<std::size_t>(i)].command->ChangesBand()) return true;
    return false;
}

void History::Sync() {
    const bool changed = saved_ != index_ && ChangedSinceSave();
    if (changed == changed_) return;
    changed_ = changed;
    emit changedChanged(changed);
}

std::int64_t History::Budget() const {
    // measured against the largest band the steps keep as well as the band shown: a long
    // band replaced by a short one (Simple Weave over hand weaving) stays in reach of undo
    const std::int64_t kept = bandsHeld_.empty() ? 0 : *bandsHeld_.rbegin();
    return std::max(kMinBudget, 2 * std::max(BandBytes(document_.CurrentBand()), kept));
}

void History::Trim() {
    const std::int64_t budget = Budget();
    // the oldest steps go first; the newest always stays
    while (heldBytes_ > budget && index_ > 1) {
        Step& oldest = steps_.front();
        forgottenFileChanges_ = oldest.fileChangesThrough;
        Forget(oldest);
        steps_.pop_front();
        --index_;
        // the saved state moves down with the steps, or is gone with the ones forgotten
        if (saved_) saved_ = *saved_ > 0 ? std::optional<int>(*saved_ - 1) : std::nullopt;
    }
}

}  // namespace tessaly
