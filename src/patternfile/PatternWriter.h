#pragma once

#include <string>

#include "engine/Band.h"
#include "model/PatternExtras.h"
#include "model/WindowValue.h"

namespace tessaly {

// What the writer stores beside the band: the texts of the design window's boxes and the
// windows' present places.
struct PatternTexts {
    std::string BandName;
    std::string TurnSequence;
    WindowValues Windows{};
};

class PatternWriter {
  public:
    // The file's bytes: Windows-1252 when the name and the sequence fit in it, otherwise UTF-8
    // behind a byte-order mark. With a turning sequence only row 1, the threading, is stored;
    // without one every row is, so a hand-woven band survives exactly. Lines end in CR LF.
    // The extras are written after the cards, and only what is used.
    static std::string Format(const PatternTexts& texts, const Band& band,
                              const PatternExtras& extras = {});

    // Format, for a file the program will read again: refuses (AppError 5, saying why) a
    // pattern the reader would not give back as it is: no rows, a line break in the name or
    // the sequence, anything else the file cannot hold. Checked by reading the bytes back.
    static std::string FormatForSaving(const PatternTexts& texts, const Band& band,
                                       const PatternExtras& extras = {});
};

}  // namespace tessaly
