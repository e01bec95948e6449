#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <memory>

namespace tessaly {

class BandViews;
class PatternDocument;

// What a command works on: the pattern, and the views' side for the face shown and the zoom.
struct CommandTarget {
    PatternDocument& document;
    BandViews& views;
};

// One change of the pattern that can be undone and made again. Its first redo() makes the
// change; undo() takes it back exactly and redo() makes it again. A request that cannot be
// granted is refused (AppError) by the constructor, before anything changes; a change that
// fails inside (reported there) leaves the pattern as it was and the command off the stack.
//
// A new operation is one new class: derive from MovableCommand<TheClass> (or from one of the
// kinds, ReplaceBand or DraftCommand), make the change in Redo(), take it back in
// Undo(), say what it keeps and whether a file would hold the change, and run it with
// PatternSession::Run<TheClass>(...).
class PatternCommand : public QUndoCommand {
  public:
    PatternCommand(CommandTarget target, const QString& text);

    void redo() final;
    void undo() final;
    int id() const final { return mergeable_ ? MergeId() : -1; }

    // Memory the command keeps to go back and forth, for the history's budget.
    virtual std::int64_t Bytes() const = 0;
    // The bytes of a whole band the command keeps, which the budget is measured against.
    virtual std::int64_t BandBytesHeld() const { return 0; }
    // Whether the pattern's file would differ: the face shown and the draft not yet applied
    // are not stored, so they leave the pattern unchanged.
    virtual bool ChangesFile() const { return true; }
    // Whether the band (its rows, cards and colours) changes, beside its name and sequence.
    virtual bool ChangesBand() const { return ChangesFile(); }

    // True while a command makes, takes back or makes again its change: a window that hears
    // of the change must not start another command then (the stack is between two states).
    static bool Running() { return running_ > 0; }

    // Says whether the first redo() made its change, once the command is pushed.
    void ReportOutcomeTo(bool* made) { outcome_ = made; }
    // The same command, holding what this one held, for a stack rebuilt after the oldest
    // steps were forgotten: it is pushed as made already, so its first redo() does nothing.
    virtual std::unique_ptr<PatternCommand> Successor() = 0;

  protected:
    // Moves what the command holds into a successor (see Successor()).
    PatternCommand(PatternCommand&& other) noexcept;

    // The change; false when it failed or changed nothing, which takes the command off the
    // stack.
    virtual bool Redo() = 0;
    virtual void Undo() = 0;
    // Commands of one kind that follow each other may become one step (typing, a stroke).
    virtual int MergeId() const { return -1; }

    PatternDocument& Document() const { return target_.document; }
    BandViews& Views() const { return target_.views; }
    CommandTarget Target() const { return target_; }

  private:
    CommandTarget target_;
    bool madeAlready_ = false;
    bool mergeable_ = true;
    bool* outcome_ = nullptr;
    static inline int running_ = 0;
    friend class RunningCommand;
};

// Successor() for a command class that can be moved: the one line each class needs.
template <class Derived, class Base = PatternCommand>
class MovableCommand : public Base {
  public:
    using Base::Base;
    std::unique_ptr<PatternCommand> Successor() override {
        return std::unique_ptr<PatternCommand>(
            new Derived(std::move(static_cast<Derived&>(*this))));
    }
};

// Ids of the commands that merge.
enum CommandMergeId { kDraftStrokeMerge = 1, kBandNameMerge, kTurnSequenceMerge, kReverseMerge };

// Bytes of what commands keep.
class Band;
class Cards;
std::int64_t BandBytes(const Band& band);
std::int64_t DeckBytes(const Cards& deck);

}  // namespace tessaly
