#include "TddFormat.h"

#include <algorithm>
#include <cstdio>
#include <regex>

#include "PatternError.h"
#include "PatternReader.h"
#include "TextCodec.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

constexpr const char* kProcedure = "ReadTdd";
constexpr std::size_t kKeys = 12;

// The designer's own palette, for the keys a file leaves out (0x00BBGGRR).
constexpr std::int32_t kDefaultPalette[kKeys] = {
    0xFFFFFF, 0x000000, 0x0000FF, 0x009900, 0xFF0000, 0xDDDDDD,
    0x999999, 0x00FFFF, 0xFFFF00, 0x990099, 0x0088FF, 0x8888FF};

int KeyIndex(char key) {
    if (key >= '0' && key <= '9') return key - '0';
    if (key == 'a' || key == 'A') return 10;
    if (key == 'b' || key == 'B') return 11;
    return -1;
}

char KeyOf(std::size_t index) {
    return index < 10 ? static_cast<char>('0' + index) : static_cast<char>('a' + (index - 10));
}

bool IsBlankOrComment(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == '#';
}

// The file's lines, without their ends, counted from 1.
class Lines {
  public:
    Lines(std::string_view text, std::string_view sourceName) : sourceName_(sourceName) {
        std::size_t start = 0;
        while (start <= text.size()) {
            const std::size_t end = text.find('\n', start);
            std::string_view line = text.substr(start, end == std::string_view::npos ? end : end - start);
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            lines_.push_back(line);
            if (end == std::string_view::npos) break;
            start = end + 1;
        }
    }
    bool AtEnd() const { return next_ >= lines_.size(); }
    std::string_view Peek() const { return lines_[next_]; }
    std::string_view Take() { return lines_[next_++]; }
    std::size_t Number() const { return next_; }  // of the line taken last
    void SkipBlankAndComments() {
        while (!AtEnd() && IsBlankOrComment(Peek())) ++next_;
    }
    // Before the threading a row of blanks is a row of empty holes, not a gap.
    void SkipEmptyAndComments() {
        while (!AtEnd() && (Peek().empty() || Peek().front() == '#')) ++next_;
    }
    [[noreturn]] void Fail(const std::string& what, std::size_t line) const {
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure,
                               static_cast<std::int64_t>(line),
                               std::string(sourceName_) + ", line " + std::to_string(line) + ": " +
                                   what);
    }

  private:
    std::string_view sourceName_;
    std::vector<std::string_view> lines_;
    std::size_t next_ = 0;
};

}  // namespace

PeerPattern TddFormat::Read(std::string_view text, std::string_view sourceName) {
    // Windows Notepad starts a file it saves with a byte-order mark
    if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
    Lines lines(text, sourceName);
    static const std::regex kHeader(R"(^#\s*tdd\s+v(\d+)\.(\d+)\s*$)");
    // the patterns are only matched on short lines: a regular expression on a hostile line of
    // a megabyte could run out of stack
    constexpr std::size_t kLongestMatched = 80;
    const std::string header(lines.AtEnd() ? std::string_view() : lines.Take());
    if (header.size() > kLongestMatched || !std::regex_match(header, kHeader))
        lines.Fail("not a Tablet Weaving Draft Designer file: the first line should be \"# tdd v1.x\"", 1);
    PeerPattern pattern;
    if (!lines.AtEnd() && lines.Peek().starts_with('#')) {
        pattern.name = std::string(Trimmed(lines.Take().substr(1), " \t"));
    }

    // the turning diagram, the last pick first
    lines.SkipBlankAndComments();
    std::vector<std::pair<std::string_view, std::size_t>> turning;
    while (!lines.AtEnd() && !IsBlankOrComment(lines.Peek())) {
        const std::string_view row = lines.Take();
        if (row.find_first_not_of("\\/") != std::string_view::npos)
            lines.Fail("a turning row holds only \\ and /", lines.Number());
        if (!turning.empty() && row.size() != turning.front().first.size())
            lines.Fail("this turning row has " + std::to_string(row.size()) +
                           " tablets, the first one " + std::to_string(turning.front().first.size()),
                       lines.Number());
        turning.emplace_back(row, lines.Number());
    }
    if (turning.empty()) lines.Fail("the turning diagram is missing", lines.Number() + 1);
    const std::size_t tablets = turning.front().first.size();
    if (tablets > static_cast<std::size_t>(kMostCards))
        lines.Fail(TooManyTablets(static_cast<std::int64_t>(tablets)), turning.front().second);

    // the threading diagram, up to an empty line: holes, S and Z, perhaps the phases
    lines.SkipEmptyAndComments();
    std::vector<std::pair<std::string_view, std::size_t>> holeRows;
    std::string_view threads, phases;
    while (!lines.AtEnd() && !lines.Peek().empty()) {
        const std::string_view row = lines.Take();
        if (row.find_first_not_of("SZ") == std::string_view::npos) {
            threads = row;
        } else if (row.find_first_not_of("TOE") == std::string_view::npos) {
            phases = row;
        } else {
            if (row.size() > tablets)
                lines.Fail("this threading row has " + std::to_string(row.size()) +
                               " tablets, the turning diagram " + std::to_string(tablets),
                           lines.Number());
            for (const char key : row)
                if (key != ' ' && KeyIndex(key) < 0)
                    lines.Fail(std::string("'") + key + "' is not a palette key (0 to 9, a, b, or a blank)",
                               lines.Number());
            holeRows.emplace_back(row, lines.Number());
        }
    }
    if (!WeavableHoles(static_cast<std::int64_t>(holeRows.size())))
        lines.Fail(UnweavableHoles(static_cast<std::int64_t>(holeRows.size())),
                   holeRows.empty() ? lines.Number() : holeRows.front().second);
    if (threads.size() != tablets)
        lines.Fail("the row of S and Z should name each of the " + std::to_string(tablets) +
                       " tablets",
                   lines.Number());
    if (!phases.empty() && phases.size() != tablets)
        lines.Fail("the row of T, O and E should name each of the " + std::to_string(tablets) +
                       " tablets",
                   lines.Number());

    // the palette: each key the file gives, the designer's own colours for the others
    std::vector<std::int32_t> palette(std::begin(kDefaultPalette), std::end(kDefaultPalette));
    static const std::regex kColour(
        R"(^\s*([0-9abAB])\s*-\s*(#[0-9a-fA-F]{6})\s*$)");
    lines.SkipBlankAndComments();
    while (!lines.AtEnd()) {
        const std::string line(lines.Take());
        std::smatch match;
        if (IsBlankOrComment(line)) continue;
        if (line.size() > kLongestMatched || !std::regex_match(line, match, kColour))
            lines.Fail("a palette line reads \"k - #RRGGBB\"", lines.Number());
        palette[static_cast<std::size_t>(KeyIndex(match[1].str()[0]))] = *ColourFromHex(match[2].str());
    }
    pattern.palette = palette;
    pattern.standardColours.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));

    pattern.holes.assign(holeRows.size(), {});
    for (std::size_t h = 0; h < holeRows.size(); ++h)
        for (std::size_t t = 0; t < tablets; ++t) {
            const std::string_view row = holeRows[h].first;
            const char key = t < row.size() ? row[t] : ' ';  // blanks at the end may be cut off
            pattern.holes[h].push_back(key == ' ' ? -1 : KeyIndex(key));
        }
    for (const char thread : threads) pattern.sThreaded.push_back(thread == 'S');

    // the bottom row of the diagram is pick 1
    std::int32_t pickNumber = 0;
    for (auto row = turning.rbegin(); row != turning.rend(); ++row) {
        ++pickNumber;
        PickSteps pick;
        for (std::size_t t = 0; t < tablets; ++t) {
            const bool leansWithThreading = (row->first[t] == '/') == pattern.sThreaded[t];
            const std::int32_t turn = leansWithThreading ? Forward : Backward;
            const char phase = phases.empty() ? 'T' : phases[t];
            // an odd-phase tablet turns forward on odd picks and backward on even ones
            const bool odd = pickNumber % 2 == 1;
            const bool turns = phase == 'T' || (phase == 'O' && (turn == Forward) == odd) ||
                               (phase == 'E' && (turn == Forward) != odd);
            pick.push_back({turns ? turn : Idle, false, 1});
        }
        pattern.picks.push_back(std::move(pick));
    }
    return pattern;
}

PeerPattern TddFormat::Read(std::istream& in, std::string_view sourceName) {
    std::string text;
    PatternReader::ReadPieces(in, sourceName, [&](std::string_view piece) { text.append(piece); });
    return Read(text, sourceName);
}

PeerLimits TddFormat::Limits() {
    PeerLimits limits{"a .tdd draft", kKeys, false, false};
    limits.holes = [](int holes) { return WeavableHoles(holes); };
    limits.holeCounts = "of 2 to 8 holes";
    return limits;
}

std::string TddFormat::Write(const PeerPattern& pattern) {
    CheckFits(pattern, Limits());
    std::string name = pattern.name;
    std::replace(name.begin(), name.end(), '\n', ' ');
    std::replace(name.begin(), name.end(), '\r', ' ');
    std::string out = "# tdd v1.0\n# " + name + "\n\n";
    for (auto pick = pattern.picks.rbegin(); pick != pattern.picks.rend(); ++pick) {
        for (std::size_t t = 0; t < pick->size(); ++t) {
            const bool forward = (*pick)[t].turn == Forward;
            // forward leans with the threading: "/" on an S tablet, "\" on a Z tablet
            out += forward == pattern.sThreaded[t] ? '/' : '\\';
        }
        out += '\n';
    }
    out += '\n';
    for (const std::vector<std::int32_t>& hole : pattern.holes) {
        for (const std::int32_t index : hole)
            out += index < 0 ? ' ' : KeyOf(static_cast<std::size_t>(index));
        out += '\n';
    }
    for (const bool s : pattern.sThreaded) out += s ? 'S' : 'Z';
    out += "\n\n";
    const std::vector<std::int32_t> palette = PaletteOfFormat(pattern, Limits());
    for (std::size_t key = 0; key < kKeys; ++key) {
        const std::int32_t colour = key < palette.size() ? palette[key] : kDefaultPalette[key];
        out += KeyOf(key);
        out += " - ";
        out += HexOfColour(colour);
        out += '\n';
    }
    return out;
}

}  // namespace tessaly
