#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PatternReader.h"
#include "PatternWriter.h"

namespace tessaly {

// The formats a pattern is read from, by the file's extension (any case): Tessaly's own .kst
// (and any other name), a draft of the Tablet Weaving Draft Designer (.tdd), a Twisted Threads
// pattern (.twt) or a pattern of Guntram's Tabletweaving Thingy (.gtt).
enum class PatternFormat { Kst, Tdd, Twt, Gtt };
PatternFormat FormatOfPath(const std::string& path);

// The band as a file of another program's format (not Kst). Raises AppError for what that
// format cannot hold. leftOut, when given, receives what of the pattern the format has no
// place for, as the weaver is told it ("a .tdd draft has no place for the notes and the
// weft colour"), or nothing when all of it goes.
std::string PeerText(PatternFormat format, const Band& band, const std::string& name,
                     const PatternExtras& extras = {}, std::string* leftOut = nullptr);

// Reads the pattern file at path, in the format its name says. A rejected file is reported
// naming the line and the problem, and nothing is returned: the caller's pattern stays as it
// was.
// notCarried, when given, receives what another program's file held that did not come over.
std::optional<PatternData> ReadPatternFile(const std::string& path,
                                           std::vector<std::string>* notCarried = nullptr);

// Writes the pattern to path. The old file stays intact unless the new one was written whole;
// a pattern that cannot be stored or a file that cannot be written is reported. Returns
// whether the pattern was written.
bool WritePatternFile(const std::string& path, const PatternTexts& texts, const Band& band,
                      const PatternExtras& extras = {});

}  // namespace tessaly
