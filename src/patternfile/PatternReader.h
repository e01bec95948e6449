#pragma once

#include <cstddef>
#include <fstream>
#include <functional>
#include <istream>
#include <memory>
#include <string>
#include <string_view>

#include "engine/Band.h"
#include "model/PatternExtras.h"
#include "model/WindowValue.h"

namespace tessaly {

// Everything a pattern file holds.
struct PatternData {
    std::string BandName;
    WindowValues Windows{};
    std::string TurnSequence;
    std::unique_ptr<Band> Rows = std::make_unique<Band>();
    PatternExtras Extras;
};

// Reads pattern files. The whole file is checked before anything is returned, so a caller
// replaces its pattern only with one that read cleanly. Rejected files raise PatternFileError.
class PatternReader {
  public:
    static constexpr std::size_t kMaxLineLength = 64 * 1024;
    static constexpr std::uintmax_t kMaxFileSize = std::uintmax_t{1} << 30;
    static constexpr std::string_view kColumnHeader =
        "Row, Position, Turn, AColor, BColor, CColor, DColor, Thread, HoleOrder, Pack";
    // Line 7 for cards of so many holes: a colour column for each, "AColor" to "HColor"; four
    // holes give kColumnHeader.
    static std::string ColumnHeader(int holes);

    // Plain card lines are read in one quick pass; Careful reads every line field by field,
    // as lines that are not plain always are. Both give the same pattern and the same errors.
    enum class Reading { Quick, Careful };

    // sourceName is how messages name the file.
    static PatternData Parse(std::string_view content, std::string_view sourceName,
                             Reading reading = Reading::Quick);
    static PatternData ReadFile(const std::string& path);
    // Opens a pattern file of any format for reading; raises PatternFileError for a file that
    // is missing, a folder, larger than kMaxFileSize or not readable.
    static std::ifstream OpenFile(const std::string& path);
    // After a read from a stream: a read error, or more than maxBytes read so far, is refused
    // (PatternFileError naming the line, 0 when none). A pipe has no size to be refused by
    // beforehand, so every reader checks as it reads.
    static void CheckRead(const std::istream& in, std::uintmax_t bytesSoFar, std::string_view sourceName,
                          std::int64_t line = 0, std::uintmax_t maxBytes = kMaxFileSize);
    // Gives the stream to `take` a piece at a time, checking each read as CheckRead does.
    static void ReadPieces(std::istream& in, std::string_view sourceName,
                           const std::function<void(std::string_view)>& take);
};

}  // namespace tessaly
