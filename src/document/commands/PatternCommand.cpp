#include "PatternCommand.h"

#include <utility>

#include "document/BandViews.h"
#include "engine/Band.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

PatternCommand::PatternCommand(CommandTarget target, const QString& text)
    : QUndoCommand(text), target_(target) {}

PatternCommand::PatternCommand(PatternCommand&& other) noexcept
    : QUndoCommand(other.text()), target_(other.target_), madeAlready_(true), mergeable_(false) {}

// Marks a command at work for as long as it lives.
class RunningCommand {
  public:
    RunningCommand() { ++PatternCommand::running_; }
    ~RunningCommand() { --PatternCommand::running_; }
    RunningCommand(const RunningCommand&) = delete;
    RunningCommand& operator=(const RunningCommand&) = delete;
};

void PatternCommand::undo() {
    const RunningCommand running;
    Undo();
}

void PatternCommand::redo() {
    if (std::exchange(madeAlready_, false)) return;
    const RunningCommand running;
    // a change that failed inside (the views could not show it) is taken back and the
    // pattern shown as it was: what the screen shows is always the pattern
    const ErrorCounter errors;
    bool made = Redo();
    if (made && errors.Count() > 0) {
        Undo();
        Views().Redraw();
        made = false;
    }
    if (outcome_ != nullptr) *std::exchange(outcome_, nullptr) = made;
    // the stack drops a command that made no change
    if (!made) setObsolete(true);
}

std::int64_t DeckBytes(const Cards& deck) {
    return static_cast<std::int64_t>(sizeof(Cards)) +
           std::int64_t{deck.Count()} * static_cast<std::int64_t>(sizeof(Card));
}

std::int64_t BandBytes(const Band& band) {
    if (band.Count() == 0) return 0;
    // every row of a band holds as many cards as its first
    return std::int64_t{band.Count()} *
           (static_cast<std::int64_t>(sizeof(Row)) + DeckBytes(band.At(1).Cards()));
}

}  // namespace tessaly
