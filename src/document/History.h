#pragma once

#include <QObject>
#include <QUndoStack>
#include <cstdint>
#include <memory>
#include <vector>

#include "commands/PatternCommand.h"

namespace tessaly {

class PatternDocument;

// The pattern's undo history and what it says about saving. Commands are pushed here; the
// history keeps at most twice what the largest band takes (the band shown or one a command
// keeps, and at least kMinBudget), forgetting the oldest steps beyond that, and says whether
// the pattern differs from what was saved: the stack's clean state, where steps that change
// no file (the face shown, the draft) do not count.
class History : public QObject {
    Q_OBJECT

  public:
    static constexpr std::int64_t kMinBudget = std::int64_t{16} << 20;

    explicit History(const PatternDocument& document, QObject* parent = nullptr);
    ~History() override;

    QUndoStack& Stack() { return stack_; }
    const QUndoStack& Stack() const { return stack_; }

    // Makes the command's change and keeps it as a step; false when it made none.
    bool Run(std::unique_ptr<PatternCommand> command);
    // Forgets every step; the pattern as it is now is the saved one.
    void Clear();
    // The pattern as it is now is saved (unchanged), or differs from any saved state.
    void SetChanged(bool changed);
    bool IsChanged() const { return changed_; }
    // Whether the band itself differs from the saved one (not only its name or sequence).
    bool BandChangedSinceSave() const;

    // The memory the steps hold.
    std::int64_t HeldBytes() const;

  signals:
    void changedChanged(bool changed);

  private:
    const PatternCommand& At(int index) const;
    // What the steps hold and change, summed from the bottom of the stack up, so that a push
    // costs the same however long the history is. Only the top step changes on a push (a new
    // step, or one that merged); steps above the index go when a new one is pushed.
    struct Ledger {
        std::int64_t bytes;        // the step's own, with its overhead
        std::int64_t bytesBelow;   // this step's and every step's below it
        std::int64_t largestBand;  // the largest band this step or one below keeps
        int fileChanges;           // steps up to this one that change what a file holds
    };
    void UpdateLedger() const;
    // Steps that change a file among the first `index` steps.
    int FileChangesBefore(int index) const;
    // What the steps may hold with the band as it is.
    std::int64_t Budget() const;
    // Whether a step between the saved state and now changes what the file holds.
    bool ChangedSinceSave() const;
    void Sync();
    // Forgets the oldest steps until the rest fit the budget.
    void Trim();

    const PatternDocument& document_;
    QUndoStack stack_;
    bool changed_ = false;
    bool rebuilding_ = false;
    mutable std::vector<Ledger> ledger_;
};

}  // namespace tessaly
