#include "PatternCommand.h"

#include <utility>

#include "document/BandPresentation.h"
#include "engine/Band.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

PatternCommand::PatternCommand(CommandTarget target, QString text)
    : target_(target), text_(std::move(text)) {}

bool PatternCommand::Make() {
    // a change that failed inside (the views could not show it) is taken back and the
    // pattern shown as it was: what the screen shows is always the pattern
    const ErrorCounter errors;
    const bool made = Redo();
    if (!made || errors.Count() == 0) return made;
    Undo();
    Presentation().Redraw();
    return false;
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
