#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <set>

#include "commands/PatternCommand.h"

namespace tessaly {

class PatternDocument;

// The pattern's undo history and what it says about saving, as a paint program keeps it: the
// steps made (and those undone, until a new step replaces them) within a byte budget of twice
// the largest band (the band shown or one a step keeps, and at least kMinBudget); the oldest
// steps are forgotten beyond it. It knows the saved state, where steps that change no file
// (the face shown, the draft) do not count.
class History : public QObject {
    Q_OBJECT

  public:
    static constexpr std::int64_t kMinBudget = std::int64_t{16} << 20;

    explicit History(const PatternDocument& document, QObject* parent = nullptr);
    ~History() override;

    // Makes the command's change and keeps it as a step; false when it made none (and then
    // the steps undone are kept for Redo). A command started while another is at work (a
    // window hearing of a change) is refused: the pattern is between two states then.
    bool Run(std::unique_ptr<PatternCommand> command);
    void Undo();
    void Redo();
    bool CanUndo() const { return index_ > 0; }
    bool CanRedo() const { return index_ < Count(); }
    // The names of the steps Undo and Redo would take; empty when there is none.
    QString UndoText() const;
    QString RedoText() const;
    // Steps kept, and how many of them are made.
    int Count() const { return static_cast<int>(steps_.size()); }
    int Index() const { return index_; }

    // Forgets every step; the pattern as it is now is the saved one.
    void Clear();
    // The pattern as it is now is saved (unchanged), or differs from any saved state.
    void SetChanged(bool changed);
    bool IsChanged() const { return changed_; }
    // Whether the band itself differs from the saved one (not only its name or sequence).
    bool BandChangedSinceSave() const;

    // The memory the steps hold.
    std::int64_t HeldBytes() const { return heldBytes_; }

  signals:
    void changedChanged(bool changed);
    // A step was made, undone, redone, merged or forgotten: Undo and Redo name other steps.
    void stepsChanged();

  private:
    struct Step {
        std::unique_ptr<PatternCommand> command;
        std::int64_t bytes = 0;        // the command's own, with its overhead
        std::int64_t bandHeld = 0;     // the band it keeps, as counted in bandsHeld_
        int fileChangesThrough = 0;    // steps that change a file, up to this one, ever made
    };
    // Counts what a step holds anew after a change: a step that trades bands holds the old
    // band once made and the new one once undone.
    void Account(Step& step, int fileChangesBefore);
    // Counts the step as holding nothing.
    void Forget(Step& step);
    // Steps that change a file among the first `index` steps.
    int FileChangesBefore(int index) const;
    // Drops the steps that were undone: a new step takes their place.
    void DropUndone();
    // Forgets the oldest steps until the rest fit the budget; the newest always stays.
    void Trim();
    std::int64_t Budget() const;
    bool ChangedSinceSave() const;
    void Sync();

    const PatternDocument& document_;
    std::deque<Step> steps_;
    int index_ = 0;               // steps made, from the bottom
    std::optional<int> saved_ = 0;  // the index of the saved state, if still in reach
    int forgottenFileChanges_ = 0;
    std::int64_t heldBytes_ = 0;
    std::multiset<std::int64_t> bandsHeld_;  // the bands the steps keep, largest last
    bool busy_ = false;
    bool changed_ = false;
};

}  // namespace tessaly
