#pragma once

#include <QString>
#include <cstdint>

namespace tessaly {

class BandPresentation;
class PatternDocument;

// What a command works on: the pattern, and its presentation (the face shown and the zoom).
struct CommandTarget {
    PatternDocument& document;
    BandPresentation& presentation;
};

// One change of the pattern that can be undone and made again.
//
// The constructor checks the request and works out the change: a request that cannot be
// granted is refused there (AppError), before anything changes. Make() then makes the change,
// TakeBack() takes it back exactly and Make() makes the same change again. A change that
// fails inside (reported there) is taken back at once, so the pattern stays as it was.
//
// A new operation is one new class: derive from PatternCommand (or from one of the kinds,
// ReplaceBand or DraftCommand), work out the change in the constructor, make it in Redo(),
// take it back in Undo(), say what it keeps and whether a file would hold the change, and run
// it with PatternSession::Run<TheClass>(...).
class PatternCommand {
  public:
    PatternCommand(CommandTarget target, QString text);
    virtual ~PatternCommand() = default;
    PatternCommand(const PatternCommand&) = delete;
    PatternCommand& operator=(const PatternCommand&) = delete;

    // The step's name in the Edit menu ("Weave pick 37").
    const QString& Text() const { return text_; }

    // Makes the change, the first time or again; false when it made none.
    bool Make();
    void TakeBack() { Undo(); }

    // Memory the command keeps to go back and forth, for the history's budget.
    virtual std::int64_t Bytes() const = 0;
    // The bytes of a whole band the command keeps, which the budget is measured against.
    virtual std::int64_t BandBytesHeld() const { return 0; }
    // Whether the pattern's file would differ: the face shown and the draft not yet applied
    // are not stored, so they leave the pattern unchanged.
    virtual bool ChangesFile() const { return true; }
    // Whether the band (its rows, cards and colours) changes, beside its name and sequence.
    virtual bool ChangesBand() const { return ChangesFile(); }

    // Commands of one kind that follow each other may become one step (typing, a stroke):
    // they share a merge id, and the step made first takes in the next one's change.
    virtual int MergeId() const { return -1; }
    enum class Merged {
        No,        // the next change stays a step of its own
        Joined,    // this step now makes both changes
        Cancelled  // together they change nothing: the step goes
    };
    virtual Merged MergeWith(const PatternCommand& /*next*/) { return Merged::No; }

  protected:
    // The change; false when it failed or changed nothing.
    virtual bool Redo() = 0;
    virtual void Undo() = 0;

    PatternDocument& Document() const { return target_.document; }
    BandPresentation& Presentation() const { return target_.presentation; }
    CommandTarget Target() const { return target_; }

  private:
    CommandTarget target_;
    QString text_;
};

// Ids of the commands that merge.
enum CommandMergeId {
    kDraftStrokeMerge = 1,
    kBandNameMerge,
    kTurnSequenceMerge,
    kReverseMerge,
    kNotesMerge
};

// Bytes of what commands keep.
class Band;
class Cards;
std::int64_t BandBytes(const Band& band);
std::int64_t DeckBytes(const Cards& deck);

}  // namespace tessaly
