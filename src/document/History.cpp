#include "History.h"

#include <algorithm>
#include <vector>

#include "PatternDocument.h"

namespace tessaly {

namespace {

// What a step costs besides what it keeps: the command, its text, the bookkeeping.
constexpr std::int64_t kStepOverhead = 256;

}  // namespace

History::History(const PatternDocument& document, QObject* parent)
    : QObject(parent), document_(document) {
    // undoing back to the saved state leaves nothing to save
    connect(&stack_, &QUndoStack::cleanChanged, this, &History::Sync);
    connect(&stack_, &QUndoStack::indexChanged, this, &History::Sync);
}

History::~History() {
    // the stack is emptied as the history goes; there is no changed mark left to keep
    stack_.disconnect(this);
}

const PatternCommand& History::At(int index) const {
    // only pattern commands are ever pushed
    return *static_cast<const PatternCommand*>(stack_.command(index));
}

bool History::Run(std::unique_ptr<PatternCommand> command) {
    // a command started while another is at work would change the stack under it
    if (PatternCommand::Running()) return false;
    bool made = false;
    command->ReportOutcomeTo(&made);
    stack_.push(command.release());
    if (made) Trim();
    return made;
}

void History::Clear() {
    stack_.clear();
    ledger_.clear();
    SetChanged(false);
}

void History::UpdateLedger() const {
    const auto count = static_cast<std::size_t>(stack_.count());
    if (ledger_.size() > count) ledger_.resize(count);
    // the top step may have merged with the one pushed after it
    if (!ledger_.empty() && ledger_.size() == count) ledger_.pop_back();
    while (ledger_.size() < count) {
        const PatternCommand& step = At(static_cast<int>(ledger_.size()));
        const Ledger below = ledger_.empty() ? Ledger{0, 0, 0, 0} : ledger_.back();
        const std::int64_t bytes = kStepOverhead + step.Bytes();
        ledger_.push_back({bytes, below.bytesBelow + bytes,
                           std::max(below.largestBand, step.BandBytesHeld()),
                           below.fileChanges + (step.ChangesFile() ? 1 : 0)});
    }
}

int History::FileChangesBefore(int index) const {
    return index <= 0 ? 0 : ledger_[static_cast<std::size_t>(index - 1)].fileChanges;
}

void History::SetChanged(bool changed) {
    if (changed)
        stack_.resetClean();
    else
        stack_.setClean();
    Sync();
}

bool History::ChangedSinceSave() const {
    const int clean = stack_.cleanIndex();
    if (clean < 0) return true;
    UpdateLedger();
    return FileChangesBefore(clean) != FileChangesBefore(stack_.index());
}

bool History::BandChangedSinceSave() const {
    if (!changed_) return false;
    const int clean = stack_.cleanIndex();
    if (clean < 0) return true;
    // the steps made since the save, or undone since it
    for (int i = std::min(clean, stack_.index()); i < std::max(clean, stack_.index()); ++i)
        if (At(i).ChangesBand()) return true;
    return false;
}

void History::Sync() {
    if (rebuilding_) return;
    const bool changed = !stack_.isClean() && ChangedSinceSave();
    if (changed == changed_) return;
    changed_ = changed;
    emit changedChanged(changed);
}

std::int64_t History::HeldBytes() const {
    UpdateLedger();
    return ledger_.empty() ? 0 : ledger_.back().bytesBelow;
}

std::int64_t History::Budget() const {
    // measured against the largest band the steps keep as well as the band shown: a long
    // band replaced by a short one (Simple Weave over hand weaving) stays in reach of undo
    UpdateLedger();
    const std::int64_t kept = ledger_.empty() ? 0 : ledger_.back().largestBand;
    return std::max(kMinBudget, 2 * std::max(BandBytes(document_.CurrentBand()), kept));
}

void History::Trim() {
    const std::int64_t budget = Budget();
    std::int64_t held = HeldBytes();
    if (held <= budget) return;
    // the oldest steps go first; the newest always stays. A step was just pushed, so every
    // step on the stack is made and none waits to be redone.
    const int count = stack_.count();
    const int index = stack_.index();
    int drop = 0;
    while (held > budget && drop < index - 1) {
        held -= ledger_[static_cast<std::size_t>(drop)].bytes;
        ++drop;
    }
    if (drop == 0) return;

    // QUndoStack forgets only from its far end, so the steps kept go onto an empty stack as
    // successors holding what they held, made already
    std::vector<std::unique_ptr<PatternCommand>> kept;
    for (int i = drop; i < count; ++i)
        kept.push_back(const_cast<PatternCommand&>(At(i)).Successor());
    // the saved state moves down with the steps, or is gone with the ones forgotten
    const int clean = stack_.cleanIndex() - drop;
    rebuilding_ = true;
    stack_.clear();
    ledger_.clear();
    for (std::size_t k = 0; k <= kept.size(); ++k) {
        if (static_cast<std::size_t>(clean) == k) stack_.setClean();
        if (k < kept.size()) stack_.push(kept[k].release());
    }
    if (clean < 0) stack_.resetClean();
    rebuilding_ = false;
    Sync();
}

}  // namespace tessaly
