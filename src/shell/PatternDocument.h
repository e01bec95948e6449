#pragma once

#include <QObject>
#include <string>

#include "engine/AppState.h"
#include "engine/InstructionGrid.h"

namespace tessaly {

// The one current pattern and its turning instructions, shared by every window. Windows
// redraw from it when it says what changed; they do not poke each other.
class PatternDocument : public QObject {
    Q_OBJECT

  public:
    AppState& State() { return state_; }
    const AppState& State() const { return state_; }
    InstructionGrid& Grid() { return grid_; }
    const InstructionGrid& Grid() const { return grid_; }

    // The default turning sequence; the design window's box will hold it.
    std::string TurnSequence;

    // Number of cards of the band's first row; 0 for an empty band.
    std::int32_t CardCount() const;

    void NotifyInstructionsChanged() { emit instructionsChanged(); }

  signals:
    // The grid was rewritten (a weave, a redraw, a reverse).
    void instructionsChanged();

  private:
    AppState state_;
    InstructionGrid grid_;
};

}  // namespace tessaly
