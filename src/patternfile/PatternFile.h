#pragma once

#include <optional>
#include <string>

#include "PatternReader.h"
#include "PatternWriter.h"

namespace tessaly {

// The formats a pattern is read from, by the file's extension (any case): Tessaly's own .kst
// (and any other name), or a draft of the Tablet Weaving Draft Designer (.tdd).
enum class PatternFormat { Kst, Tdd };
PatternFormat FormatOfPath(const std::string& path);

// Reads the pattern file at path, in the format its name says. A rejected file is reported
// naming the line and the problem, and nothing is returned: the caller's pattern stays as it
// was.
std::optional<PatternData> ReadPatternFile(const std::string& path);

// Writes the pattern to path. The old file stays intact unless the new one was written whole;
// a pattern that cannot be stored or a file that cannot be written is reported. Returns
// whether the pattern was written.
bool WritePatternFile(const std::string& path, const PatternTexts& texts, const Band& band);

}  // namespace tessaly
