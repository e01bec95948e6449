#pragma once

#include <optional>
#include <string>

#include "engine/AppState.h"

namespace tessaly {

// What reading and writing a pattern needs from the windows; the desktop program fills it,
// tests answer it without a screen.
class PatternFileHost {
  public:
    virtual ~PatternFileHost() = default;
    // The save dialog: a chosen path, or nullopt when the user cancelled.
    virtual std::optional<std::string> AskSavePath() = 0;
    virtual void SetMainCaption(const std::string& caption) = 0;
    // The texts of the design window's band-name and turn-sequence boxes.
    virtual std::string BandNameText() = 0;
    virtual std::string TurnSequenceText() = 0;
    // The four windows' present states and places, in twips.
    virtual WindowValues CurrentWindowValues() = 0;
    // Gives the windows the stored states and places; a step that fails is skipped.
    virtual void ApplyWindowValues(const WindowValues& values) = 0;
};

// Reads the file at state.PatternPath. Only a file that read cleanly replaces the band (and
// drops CurrentDeck), BandName and WindowValues; a rejected file is reported naming the line
// and the problem, and the pattern in memory is left as it was. Returns the turning sequence,
// or nullopt when the file was rejected.
std::optional<std::string> ProcessFile(AppState& state);

// Writes the pattern to state.PatternPath, asking for a path first when there is none.
// The old file stays intact unless the new one was written whole. Returns whether the pattern
// was saved; only then is PatternChanged cleared.
bool SaveFile(AppState& state, PatternFileHost& host);

// Gives the windows the stored states and places; never reports.
void GetWindows(const WindowValues& values, PatternFileHost& host) noexcept;

}  // namespace tessaly
