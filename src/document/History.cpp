#include "History.h"

#include <QUndoCommand>
#include <algorithm>

#include "PatternDocument.h"

namespace tessaly {

namespace {

// What a step costs besides what it keeps: the command, its text, the bookkeeping.
constexpr std::int64_t kStepOverhead = 256;

std::int64_t DeckBytes(const Cards& deck) {
    return static_cast<std::int64_t>(sizeof(Cards)) +
           std::int64_t{deck.Count()} * static_cast<std::int64_t>(sizeof(Card));
}

}  // namespace

std::int64_t BandBytes(const Band& band) {
    std::int64_t bytes = 0;
    for (const Row& row : band)
        bytes += static_cast<std::int64_t>(sizeof(Row)) + DeckBytes(row.Cards());
    return bytes;
}

// One change of the pattern that can be undone and redone; the document holds the state
// after it, the edit what is needed to go either way.
class History::Edit {
  public:
    explicit Edit(QString text) : text_(std::move(text)) {}
    virtual ~Edit() = default;
    virtual void Undo(PatternDocument& document) = 0;
    virtual void Redo(PatternDocument& document) = 0;
    virtual std::int64_t Bytes() const = 0;
    // The bytes of a whole band the edit keeps, for the budget.
    virtual std::int64_t BandBytesHeld() const { return 0; }
    // Edits of one kind that follow each other may become one step.
    virtual int MergeId() const { return -1; }
    virtual bool MergeWith(const Edit&) { return false; }
    // After merging: the steps together changed nothing (a face turned and back, a name
    // typed and rubbed out), so the step can go.
    virtual bool Cancelled(const PatternDocument&) const { return false; }
    // Whether the pattern's file would differ: the face shown and the draft not yet applied
    // are not stored, so they leave the pattern unchanged.
    virtual bool ChangesFile() const { return true; }
    const QString& Text() const { return text_; }

  private:
    QString text_;
};

namespace {

enum MergeIds { kDraftStroke = 1, kName, kSequence, kReverse };

}  // namespace

// A whole band replaced (Apply, Simple Weave, Replace Colors): the edit keeps the other band.
class History::BandEdit : public History::Edit {
  public:
    BandEdit(QString text, BandState other) : Edit(std::move(text)), other_(std::move(other)) {}
    void Undo(PatternDocument& document) override { document.SwapBandState(other_); }
    void Redo(PatternDocument& document) override { document.SwapBandState(other_); }
    std::int64_t Bytes() const override {
        return BandBytesHeld() + (other_.deck ? DeckBytes(*other_.deck) : 0);
    }
    std::int64_t BandBytesHeld() const override {
        return other_.band ? BandBytes(*other_.band) : 0;
    }

  private:
    BandState other_;
};

class History::PickEdit : public History::Edit {
  public:
    // woven: the pick was added (Weave); otherwise taken off (UnWeave).
    PickEdit(QString text, bool woven, Cards deck, PickFlags other)
        : Edit(std::move(text)), woven_(woven), deck_(std::move(deck)), other_(std::move(other)) {}
    void Undo(PatternDocument& document) override { Step(document, !woven_); }
    void Redo(PatternDocument& document) override { Step(document, woven_); }
    std::int64_t Bytes() const override {
        return DeckBytes(deck_) + static_cast<std::int64_t>(other_.sequence.size());
    }

  private:
    void Step(PatternDocument& document, bool weave) {
        if (weave)
            document.WeaveStoredPick(deck_);
        else
            document.TakeTopPick();
        document.SwapPickFlags(other_);
    }

    bool woven_;
    Cards deck_;
    PickFlags other_;
};

class History::FlagsEdit : public History::Edit {
  public:
    FlagsEdit(QString text, PickFlags other) : Edit(std::move(text)), other_(std::move(other)) {}
    void Undo(PatternDocument& document) override { document.SwapPickFlags(other_); }
    void Redo(PatternDocument& document) override { document.SwapPickFlags(other_); }
    std::int64_t Bytes() const override {
        return static_cast<std::int64_t>(other_.sequence.size());
    }

  private:
    PickFlags other_;
};

class History::ReverseEdit : public History::Edit {
  public:
    using Edit::Edit;
    void Undo(PatternDocument& document) override { document.TurnFace(); }
    void Redo(PatternDocument& document) override { document.TurnFace(); }
    std::int64_t Bytes() const override { return 0; }
    int MergeId() const override { return kReverse; }
    bool MergeWith(const Edit&) override {
        turnedBack_ = !turnedBack_;
        return true;
    }
    bool Cancelled(const PatternDocument&) const override { return turnedBack_; }
    bool ChangesFile() const override { return false; }

  private:
    bool turnedBack_ = false;
};

class History::DraftEdit : public History::Edit {
  public:
    DraftEdit(QString text, std::vector<DraftColumn> other, bool continues)
        : Edit(std::move(text)), other_(std::move(other)), continues_(continues) {}
    void Undo(PatternDocument& document) override { document.SwapDraft(other_); }
    void Redo(PatternDocument& document) override { document.SwapDraft(other_); }
    std::int64_t Bytes() const override {
        return static_cast<std::int64_t>(other_.size() * sizeof(DraftColumn));
    }
    int MergeId() const override { return kDraftStroke; }
    // the rest of a stroke joins the step its press began; this step keeps the draft from
    // before the press
    bool MergeWith(const Edit& next) override {
        const auto* later = dynamic_cast<const DraftEdit*>(&next);
        return later != nullptr && later->continues_ && later->Text() == Text();
    }
    bool ChangesFile() const override { return false; }

  private:
    std::vector<DraftColumn> other_;
    bool continues_;
};

// The band name or the turning sequence as typed; typing on merges into one step.
class History::TextEdit : public History::Edit {
  public:
    TextEdit(QString text, bool name, std::string other)
        : Edit(std::move(text)), name_(name), other_(std::move(other)) {}
    void Undo(PatternDocument& document) override { Swap(document); }
    void Redo(PatternDocument& document) override { Swap(document); }
    std::int64_t Bytes() const override { return static_cast<std::int64_t>(other_.size()); }
    int MergeId() const override { return name_ ? kName : kSequence; }
    bool MergeWith(const Edit& next) override { return next.MergeId() == MergeId(); }
    bool Cancelled(const PatternDocument& document) const override {
        return other_ == (name_ ? document.BandName() : document.TurnSequence());
    }

  private:
    void Swap(PatternDocument& document) {
        if (name_)
            document.SwapName(other_);
        else
            document.SwapSequence(other_);
    }
    bool name_;
    std::string other_;
};

// The command on the stack: an edit that was already made when it was pushed.
class History::Step : public QUndoCommand {
  public:
    Step(History& history, std::shared_ptr<Edit> edit)
        : QUndoCommand(edit->Text()), history_(history), edit_(std::move(edit)) {}
    void undo() override {
        if (!history_.replaying_) edit_->Undo(history_.document_);
    }
    void redo() override {
        // pushing a change that was just made does not make it again
        if (pushed_ && !history_.replaying_) edit_->Redo(history_.document_);
        pushed_ = true;
    }
    int id() const override { return history_.replaying_ ? -1 : edit_->MergeId(); }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const Step*>(other);
        if (next == nullptr || !edit_->MergeWith(*next->edit_)) return false;
        // a step that changed nothing leaves the stack
        setObsolete(edit_->Cancelled(history_.document_));
        return true;
    }
    const std::shared_ptr<Edit>& Held() const { return edit_; }

  private:
    History& history_;
    std::shared_ptr<Edit> edit_;
    bool pushed_ = false;
};

History::History(PatternDocument& document, QUndoStack& stack)
    : document_(document), stack_(stack) {}

History::~History() = default;

void History::Push(std::unique_ptr<Edit> edit) {
    stack_.push(new Step(*this, std::shared_ptr<Edit>(std::move(edit))));
    Trim();
}

void History::BandReplaced(const QString& text, BandState previous) {
    Push(std::make_unique<BandEdit>(text, std::move(previous)));
}

void History::PickWoven(const Cards& deck, std::int32_t pick, PickFlags before) {
    Push(std::make_unique<PickEdit>(QObject::tr("Weave pick %1").arg(pick), true, deck,
                                    std::move(before)));
}

void History::PickTaken(Cards deck, std::int32_t key, PickFlags before) {
    Push(std::make_unique<PickEdit>(QObject::tr("UnWeave pick %1").arg(key - 1), false,
                                    std::move(deck), std::move(before)));
}

void History::PickFlagsChanged(PickFlags before) {
    Push(std::make_unique<FlagsEdit>(QObject::tr("UnWeave"), std::move(before)));
}

void History::Reversed() { Push(std::make_unique<ReverseEdit>(QObject::tr("Reverse"))); }

void History::DraftChanged(const QString& text, std::vector<DraftColumn> before, bool continues) {
    Push(std::make_unique<DraftEdit>(text, std::move(before), continues));
}

void History::NameChanged(std::string before) {
    Push(std::make_unique<TextEdit>(QObject::tr("Band Name"), true, std::move(before)));
}

void History::SequenceChanged(std::string before) {
    Push(std::make_unique<TextEdit>(QObject::tr("Turn Sequence"), false, std::move(before)));
}

bool History::ChangedSinceSave() const {
    const int clean = stack_.cleanIndex();
    if (clean < 0) return true;
    const int index = stack_.index();
    for (int i = std::min(clean, index); i < std::max(clean, index); ++i) {
        const auto* step = dynamic_cast<const Step*>(stack_.command(i));
        if (step == nullptr || step->Held()->ChangesFile()) return true;
    }
    return false;
}

std::int64_t History::HeldBytes() const {
    std::int64_t bytes = 0;
    for (int i = 0; i < stack_.count(); ++i)
        if (const auto* step = dynamic_cast<const Step*>(stack_.command(i)))
            bytes += kStepOverhead + step->Held()->Bytes();
    return bytes;
}

std::int64_t History::Budget() const {
    // measured against the largest band the steps keep as well as the band shown: a long
    // band replaced by a short one (Simple Weave over hand weaving) stays in reach of undo
    std::int64_t largest = BandBytes(document_.CurrentBand());
    for (int i = 0; i < stack_.count(); ++i)
        if (const auto* step = dynamic_cast<const Step*>(stack_.command(i)))
            largest = std::max(largest, step->Held()->BandBytesHeld());
    return std::max(kMinBudget, 2 * largest);
}

void History::Trim() {
    const std::int64_t budget = Budget();
    std::int64_t held = HeldBytes();
    if (held <= budget) return;
    // the oldest steps that can still be undone go first; the newest always stays
    const int count = stack_.count();
    const int index = stack_.index();
    int drop = 0;
    while (held > budget && drop < index - 1) {
        const auto* step = dynamic_cast<const Step*>(stack_.command(drop));
        held -= kStepOverhead + (step != nullptr ? step->Held()->Bytes() : 0);
        ++drop;
    }
    if (drop == 0) return;

    // QUndoStack forgets only from its far end, so the steps kept are put back on an empty
    // stack as they stand, without being made again
    std::vector<std::shared_ptr<Edit>> kept;
    for (int i = drop; i < count; ++i)
        kept.push_back(static_cast<const Step*>(stack_.command(i))->Held());
    const int clean = stack_.cleanIndex();
    replaying_ = true;
    stack_.clear();
    for (auto& edit : kept) stack_.push(new Step(*this, std::move(edit)));
    if (clean >= drop) {
        stack_.setIndex(clean - drop);
        stack_.setClean();
    } else {
        stack_.resetClean();  // the saved state is no longer in reach
    }
    stack_.setIndex(index - drop);
    replaying_ = false;
    document_.SyncModified();
}

}  // namespace tessaly
