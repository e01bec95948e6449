#include "TwtFormat.h"

#include <algorithm>
#include <cstdlib>
#include <istream>
#include <limits>
#include <nlohmann/json.hpp>

#include "PatternError.h"
#include "TextCodec.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

using Json = nlohmann::json;

constexpr const char* kProcedure = "ReadTwt";
constexpr std::size_t kPaletteSize = 16;

// Twisted Threads' own palette, for the places a band with fewer colours leaves (0x00BBGGRR).
constexpr std::int32_t kDefaultPalette[kPaletteSize] = {
    0x13137A, 0x2828C3, 0x038CF9, 0x58E1FB, 0x4FA86A, 0x1F6D1F, 0x792F17, 0xB47036,
    0xE6BA76, 0xC87BA6, 0xC52590, 0x000000, 0x828282, 0xFFFFFF, 0x123F52, 0x4B8EAA};

// Reads the parsed document, naming the key and the element of whatever it refuses.
class TwtReader {
  public:
    explicit TwtReader(std::string_view sourceName) : sourceName_(sourceName) {}

    [[noreturn]] void Fail(const std::string& where, const std::string& what) const {
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure, 0,
                               std::string(sourceName_) + ", " + where + ": " + what);
    }

    const Json* Find(const Json& object, const char* key) const {
        const auto found = object.find(key);
        return found == object.end() ? nullptr : &*found;
    }
    const Json& Member(const Json& object, const char* key) const {
        const Json* found = Find(object, key);
        if (!found) Fail(std::string("\"") + key + "\"", "missing: not a Twisted Threads pattern");
        return *found;
    }
    const Json& Array(const Json& value, const std::string& where) const {
        if (!value.is_array()) Fail(where, "should be a list");
        return value;
    }
    const std::string& String(const Json& value, const std::string& where) const {
        if (!value.is_string()) Fail(where, "should be text");
        return value.get_ref<const std::string&>();
    }
    std::int64_t Integer(const Json& value, const std::string& where) const {
        if (value.is_number_integer() && !value.is_number_unsigned()) return value.get<std::int64_t>();
        if (value.is_number_unsigned()) {
            const auto number = value.get<std::uint64_t>();
            if (number <= static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
                return static_cast<std::int64_t>(number);
            Fail(where, std::to_string(number) + " is out of range");
        }
        Fail(where, "should be a whole number");
    }

  private:
    std::string_view sourceName_;
};

std::string Quoted(std::string_view key) { return "\"" + std::string(key) + "\""; }

// The pattern types: turns given pick by pick, or a chart the turns follow from.
constexpr std::string_view kDoubleFaced = "doubleFaced";
constexpr std::string_view kBrokenTwill = "brokenTwill";
bool KnownType(std::string_view type) {
    return type == "individual" || type == "allTogether" || type == kDoubleFaced ||
           type == kBrokenTwill;
}
std::string UnknownType(std::string_view type) {
    return Quoted(type) +
           " is not a pattern type Tessaly weaves (\"individual\", \"allTogether\", \"" +
           std::string(kDoubleFaced) + "\" or \"" + std::string(kBrokenTwill) + "\")";
}

// The individual design's cells, kept compact as they stream in rather than as a document:
// each cell is its direction and its number of turns, and each row is where its cells start.
// Every other part of the file is small and is kept as the parser builds it.
class StreamedDesign {
  public:
    explicit StreamedDesign(const TwtReader& reader) : reader_(reader) {}

    // The parser's callback: false drops what was parsed from the document.
    bool Event(int depth, Json::parse_event_t event, Json& parsed) {
        using Event = Json::parse_event_t;
        if (event == Event::key) {
            if (depth <= 2) keys_[static_cast<std::size_t>(depth)] = parsed.get<std::string>();
            // a key given twice keeps its last value, as the document does: a second design
            // replaces the first rather than weaving after it
            if (keys_[1] == "Pattern design" && (depth == 1 || (depth == 2 && keys_[2] == "weavingInstructions")))
                ForgetDesign();
            return true;
        }
        if (depth == 1 && event == Event::value) CheckEarly(parsed);
        if (depth < 3 || keys_[1] != "Pattern design" || keys_[2] != "weavingInstructions") return true;
        if (depth == 3) {
            // a row: a list of cells is kept here; a direction (allTogether) in the document
            if (event == Event::array_start) {
                rowStarts_.push_back(cells_.size());
                rowIsList_.push_back(true);
                inListRow_ = true;
            } else if (event == Event::array_end) {
                inListRow_ = false;
                return false;
            } else if (event == Event::value || event == Event::object_start) {
                rowIsList_.push_back(false);
                inListRow_ = false;
            }
            return true;
        }
        if (depth == 4 && inListRow_ &&
            (event == Event::object_end || event == Event::value || event == Event::array_end)) {
            Keep(parsed);
            return false;
        }
        return true;
    }

    // Every row of the design, and whether it was a list of cells (kept here) or not (left in
    // the document).
    std::size_t Rows() const { return rowIsList_.size(); }
    bool RowIsList(std::size_t row) const { return rowIsList_[row]; }
    // When every row is a list: a row's cells, each (backward << 2) | turns.
    std::size_t CellsOf(std::size_t row) const {
        return (row + 1 < rowStarts_.size() ? rowStarts_[row + 1] : cells_.size()) - rowStarts_[row];
    }
    std::uint8_t Cell(std::size_t row, std::size_t tablet) const { return cells_[rowStarts_[row] + tablet]; }

  private:
    void ForgetDesign() {
        cells_.clear();
        rowStarts_.clear();
        rowIsList_.clear();
        inListRow_ = false;
    }

    // What Tessaly does not weave is refused as soon as it is read, before the design.
    void CheckEarly(const Json& value) const {
        if (keys_[1] == "Number of holes") {
            const std::int64_t holes = reader_.Integer(value, Quoted("Number of holes"));
            if (!WeavableHoles(holes))
                reader_.Fail(Quoted("Number of holes"), UnweavableHoles(holes));
        } else if (keys_[1] == "Pattern type" && value.is_string()) {
            const std::string& type = value.get_ref<const std::string&>();
            if (!KnownType(type)) reader_.Fail(Quoted("Pattern type"), UnknownType(type));
        }
    }

    void Keep(const Json& cell) {
        const std::size_t row = rowIsList_.size();
        const std::size_t tablet = cells_.size() - rowStarts_.back() + 1;
        const std::string where = Quoted("weavingInstructions") + ", row " + std::to_string(row) +
                                  ", tablet " + std::to_string(tablet);
        if (!cell.is_object()) reader_.Fail(where, "should be an object");
        const std::string& letter = reader_.String(reader_.Member(cell, "direction"), where);
        if (letter != "F" && letter != "B") reader_.Fail(where, Quoted(letter) + " is neither \"F\" nor \"B\"");
        const std::int64_t turns = reader_.Integer(reader_.Member(cell, "numberOfTurns"), where);
        if (turns < 0 || turns > 3)
            reader_.Fail(where, std::to_string(turns) + " turns: a pick turns a tablet 0 to 3 times");
        if (turns > 1)
            reader_.Fail(where, OneTurnAPick(turns, static_cast<std::int64_t>(row),
                                             static_cast<std::int64_t>(tablet)));
        cells_.push_back(static_cast<std::uint8_t>((letter == "B" ? 4 : 0) | turns));
        // a hostile file of endless cells stops at what a band may hold
        if ((cells_.size() & 0xFFF) == 0) CheckBandBudget(static_cast<std::int64_t>(cells_.size()), 1);
    }

    const TwtReader& reader_;
    std::string keys_[3];
    std::vector<std::uint8_t> cells_;
    std::vector<std::size_t> rowStarts_;
    std::vector<bool> rowIsList_;
    bool inListRow_ = false;  // the row being read is a list of cells
};

std::string WithoutPrefix(const std::string& what) {
    const std::size_t bracket = what.find("] ");
    return bracket == std::string::npos ? what : what.substr(bracket + 2);
}

// Runs the parser (parse(callback) gives the document) and says what it refuses in this
// program's words.
template <class Parser>
Json Parse(const Parser& parse, StreamedDesign& design, std::string_view sourceName) {
    try {
        return parse([&](int depth, Json::parse_event_t event, Json& parsed) {
            return design.Event(depth, event, parsed);
        });
    } catch (const Json::parse_error& error) {
        // the parser's own words and the line it names ("parse error at line 3, column 7: ...")
        const std::string what = WithoutPrefix(error.what());
        std::int64_t line = 0;
        const std::size_t at = what.find("at line ");
        if (at != std::string::npos) line = std::atoll(what.c_str() + at + 8);
        const std::size_t colon = what.find(": ");
        throw PatternFileError(
            ErrorNumber::InvalidProcedureCall, kProcedure, line,
            std::string(sourceName) + (line > 0 ? ", line " + std::to_string(line) : std::string()) +
                ": not JSON" + (colon == std::string::npos ? std::string() : ": " + what.substr(colon + 2)));
    } catch (const Json::exception& error) {
        // a number too large for any number, which the parser reports without its place
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure, 0,
                               std::string(sourceName) + ": not JSON: " + WithoutPrefix(error.what()));
    }
}

PeerPattern FromDocument(const Json& document, const StreamedDesign& streamed, const TwtReader& reader);

}  // namespace

PeerPattern TwtFormat::Read(std::istream& in, std::string_view sourceName) {
    TwtReader reader(sourceName);
    StreamedDesign design(reader);
    const Json document = Parse([&](const auto& callback) { return Json::parse(in, callback); }, design,
                                sourceName);
    return FromDocument(document, design, reader);
}

PeerPattern TwtFormat::Read(std::string_view text, std::string_view sourceName) {
    TwtReader reader(sourceName);
    StreamedDesign design(reader);
    const Json document = Parse(
        [&](const auto& callback) { return Json::parse(text.begin(), text.end(), callback); }, design,
        sourceName);
    return FromDocument(document, design, reader);
}

namespace {

// One chart of the design: a row a list of cells ("." or "X"; a row given as one text is read
// too), every row a cell per tablet.
std::vector<std::vector<bool>> ChartRows(const TwtReader& reader, const Json& design,
                                         const char* key, std::size_t tablets) {
    const std::string name = Quoted(key);
    const Json& rows = reader.Array(reader.Member(design, key), name);
    std::vector<std::vector<bool>> chart;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string row = name + ", row " + std::to_string(r + 1);
        std::vector<std::string> cells;
        if (rows[r].is_string()) {
            for (const char cell : rows[r].get_ref<const std::string&>())
                cells.emplace_back(1, cell);
        } else {
            for (const Json& cell : reader.Array(rows[r], row))
                cells.push_back(reader.String(cell, row));
        }
        if (cells.size() != tablets)
            reader.Fail(row, "names " + std::to_string(cells.size()) + " tablets, not " +
                                 std::to_string(tablets));
        std::vector<bool> marks;
        for (std::size_t t = 0; t < tablets; ++t) {
            const std::optional<bool> mark =
                cells[t].size() == 1 ? ChartCell(cells[t][0]) : std::nullopt;
            if (!mark)
                reader.Fail(row + ", tablet " + std::to_string(t + 1),
                            Quoted(cells[t]) + " is neither \".\" nor \"X\"");
            marks.push_back(*mark);
        }
        chart.push_back(std::move(marks));
    }
    if (chart.empty()) reader.Fail(name, "the chart has no rows");
    return chart;
}

TwoColourChart ReadChart(const TwtReader& reader, const Json& design, ChartWeave weave,
                         std::size_t tablets) {
    TwoColourChart chart;
    chart.weave = weave;
    if (weave == ChartWeave::DoubleFaced) {
        chart.foreground = ChartRows(reader, design, "doubleFacedPatternChart", tablets);
        return chart;
    }
    chart.foreground = ChartRows(reader, design, "twillPatternChart", tablets);
    chart.longFloats = ChartRows(reader, design, "twillDirectionChangeChart", tablets);
    if (chart.longFloats.size() != chart.foreground.size())
        reader.Fail(Quoted("twillDirectionChangeChart"),
                    "has " + std::to_string(chart.longFloats.size()) +
                        " rows, but the pattern chart has " +
                        std::to_string(chart.foreground.size()));
    if (chart.foreground.size() < 2)
        reader.Fail(Quoted("twillPatternChart"),
                    "a broken twill chart has a row more than it weaves: at least 2");
    if (const Json* direction = reader.Find(design, "twillDirection")) {
        const std::string& text = reader.String(*direction, Quoted("twillDirection"));
        if (text != "S" && text != "Z")
            reader.Fail(Quoted("twillDirection"), Quoted(text) + " is neither \"S\" nor \"Z\"");
        chart.twill = text == "S" ? TwillDirection::S : TwillDirection::Z;
    }
    if (const Json* start = reader.Find(design, "weavingStartRow")) {
        const std::int64_t row = reader.Integer(*start, Quoted("weavingStartRow"));
        if (row < 1 || row > chart.Picks())
            reader.Fail(Quoted("weavingStartRow"), std::to_string(row) +
                                                       " is not a row of the pattern (1 to " +
                                                       std::to_string(chart.Picks()) + ")");
        chart.weavingStartRow = static_cast<std::int32_t>(row);
    }
    return chart;
}

// The turns of an individual design (its rows kept as they streamed in) or an allTogether
// one (a direction a row, in the document), pick 1 first.
void ReadTurns(PeerPattern& pattern, const TwtReader& reader, const Json& design,
               const StreamedDesign& streamed, bool individual) {
    const std::string rowsKey = Quoted("weavingInstructions");
    const Json& together = reader.Array(reader.Member(design, "weavingInstructions"), rowsKey);
    const std::size_t rows = streamed.Rows();
    const std::size_t tablets = pattern.sThreaded.size();
    for (std::size_t r = 0; r < rows; ++r)
        if (streamed.RowIsList(r) != individual)
            reader.Fail(
                rowsKey + ", row " + std::to_string(r + 1),
                individual ? "should be a list of the tablets' turns" : "should be \"F\" or \"B\"");
    // an idle cell still names a direction: the one a tablet idling in pick 1 faces
    std::vector<std::int32_t> named(tablets, Forward);
    pattern.picks.reserve(rows);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::string row = rowsKey + ", row " + std::to_string(r + 1);
        PickSteps pick(tablets);
        if (!individual) {
            const std::string& letter = reader.String(together[r], row);
            if (letter != "F" && letter != "B")
                reader.Fail(row, Quoted(letter) + " is neither \"F\" nor \"B\"");
            const std::int32_t turn = letter == "F" ? Forward : Backward;
            for (CardStep& step : pick) step.turn = turn;
            std::fill(named.begin(), named.end(), turn);
        } else {
            if (streamed.CellsOf(r) != tablets)
                reader.Fail(row, "names " + std::to_string(streamed.CellsOf(r)) + " tablets, not " +
                                     std::to_string(tablets));
            for (std::size_t t = 0; t < tablets; ++t) {
                const std::uint8_t cell = streamed.Cell(r, t);
                named[t] = cell & 4 ? Backward : Forward;
                pick[t].turn = (cell & 3) == 0 ? Idle : named[t];
            }
        }
        // Twisted Threads draws a tablet idling in pick 1 facing the way row 2 names
        if (r == 1) pattern.firstFacing = named;
        pattern.picks.push_back(std::move(pick));
    }
}

PeerPattern FromDocument(const Json& document, const StreamedDesign& streamed, const TwtReader& reader) {
    if (!document.is_object()) reader.Fail("the file", "not a Twisted Threads pattern (no JSON object)");
    const Json& source = reader.Member(document, "source");
    if (!source.is_string() || source.get_ref<const std::string&>() != "Twisted Threads")
        reader.Fail(Quoted("source"), "not a Twisted Threads pattern");

    const std::int64_t holes = reader.Integer(reader.Member(document, "Number of holes"),
                                              Quoted("Number of holes"));
    if (!WeavableHoles(holes)) reader.Fail(Quoted("Number of holes"), UnweavableHoles(holes));
    const std::string& type =
        reader.String(reader.Member(document, "Pattern type"), Quoted("Pattern type"));
    if (!KnownType(type)) reader.Fail(Quoted("Pattern type"), UnknownType(type));
    const bool charted = type == kDoubleFaced || type == kBrokenTwill;
    if (charted && holes != 4)
        reader.Fail(
            Quoted("Number of holes"),
            "a \"" + type + "\" pattern weaves tablets of 4 holes, not " + std::to_string(holes));

    PeerPattern pattern;
    if (const Json* name = reader.Find(document, "Name")) pattern.name = reader.String(*name, Quoted("Name"));

    // the tablets: their threading S or Z, then the colour in each hole
    const Json& orientations =
        reader.Array(reader.Member(document, "Tablet orientations"), Quoted("Tablet orientations"));
    const std::size_t tablets = orientations.size();
    if (tablets < 1) reader.Fail(Quoted("Tablet orientations"), "the pattern has no tablets");
    if (tablets > static_cast<std::size_t>(kMostCards))
        reader.Fail(Quoted("Tablet orientations"), TooManyTablets(static_cast<std::int64_t>(tablets)));
    if (const Json* count = reader.Find(document, "Number of tablets");
        count && reader.Integer(*count, Quoted("Number of tablets")) != static_cast<std::int64_t>(tablets))
        reader.Fail(Quoted("Number of tablets"),
                    "says " + count->dump() + ", but " + std::to_string(tablets) +
                        " tablets have an orientation");
    for (std::size_t t = 0; t < tablets; ++t) {
        const std::string where = Quoted("Tablet orientations") + ", tablet " + std::to_string(t + 1);
        const std::string& orientation = reader.String(orientations[t], where);
        if (orientation != "/" && orientation != "\\")
            reader.Fail(where, Quoted(orientation) + " is neither \"/\" (S) nor \"\\\\\" (Z)");
        pattern.sThreaded.push_back(orientation == "/");
    }

    const Json& palette = reader.Array(reader.Member(document, "Colour palette"), Quoted("Colour palette"));
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const std::string where = Quoted("Colour palette") + ", colour " + std::to_string(i);
        const auto colour = ColourFromHex(reader.String(palette[i], where));
        if (!colour) reader.Fail(where, Quoted(palette[i].get_ref<const std::string&>()) + " is not a colour \"#rrggbb\"");
        pattern.palette.push_back(*colour);
    }
    pattern.standardColours.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));

    const Json& chart = reader.Array(reader.Member(document, "Threading chart"), Quoted("Threading chart"));
    if (chart.size() != static_cast<std::size_t>(holes))
        reader.Fail(Quoted("Threading chart"), "has " + std::to_string(chart.size()) +
                                                   " rows of holes, not " + std::to_string(holes));
    pattern.holes.assign(static_cast<std::size_t>(holes), {});
    for (std::size_t h = 0; h < pattern.holes.size(); ++h) {
        const std::string row = Quoted("Threading chart") + ", hole " + std::to_string(h + 1);
        const Json& holeRow = reader.Array(chart[h], row);
        if (holeRow.size() != tablets)
            reader.Fail(row, "names " + std::to_string(holeRow.size()) + " tablets, not " +
                                 std::to_string(tablets));
        for (std::size_t t = 0; t < tablets; ++t) {
            const std::string where = row + ", tablet " + std::to_string(t + 1);
            const std::int64_t index = reader.Integer(holeRow[t], where);
            if (index < -1 || index >= static_cast<std::int64_t>(pattern.palette.size()))
                reader.Fail(where, std::to_string(index) + " is not a colour of the palette (0 to " +
                                       std::to_string(static_cast<std::int64_t>(pattern.palette.size()) - 1) +
                                       ", or -1 for an empty hole)");
            pattern.holes[h].push_back(static_cast<std::int32_t>(index));
        }
    }

    // the picks, pick 1 first: an individual design's rows were kept as they streamed in, an
    // allTogether design's directions are in the document, a chart weaves its own
    const Json& design = reader.Member(document, "Pattern design");
    if (!design.is_object()) reader.Fail(Quoted("Pattern design"), "should be an object");
    if (charted)
        pattern.chart = ReadChart(
            reader, design,
            type == kBrokenTwill ? ChartWeave::BrokenTwill : ChartWeave::DoubleFaced, tablets);
    const std::size_t rows =
        charted ? static_cast<std::size_t>(pattern.chart->Picks()) : streamed.Rows();
    if (const Json* count = reader.Find(document, "Number of weaving rows");
        count &&
        reader.Integer(*count, Quoted("Number of weaving rows")) != static_cast<std::int64_t>(rows))
        reader.Fail(
            Quoted("Number of weaving rows"),
            "says " + count->dump() + ", but the design weaves " + std::to_string(rows) + " rows");
    CheckBandBudget(static_cast<std::int64_t>(rows) + 1, static_cast<std::int64_t>(tablets));
    if (charted) {
        try {
            WeaveChart(pattern);
        } catch (const AppError& error) {
            reader.Fail(Quoted("Pattern design"), error.Description());
        }
    } else {
        ReadTurns(pattern, reader, design, streamed, type == "individual");
    }

    // what Tessaly has no place for
    const auto noted = [&](const char* key, const char* what) {
        const Json* value = reader.Find(document, key);
        if (value && !value->is_null() && !(value->is_string() && value->get_ref<const std::string&>().empty()) &&
            !(value->is_array() && value->empty()))
            pattern.notCarried.emplace_back(what);
    };
    // the description, the threading and weaving notes and the tags become the notes, each
    // part after the first under its own heading
    const auto text = [&](const char* key) -> std::string {
        const Json* value = reader.Find(document, key);
        return value && value->is_string()
                   ? std::string(Trimmed(value->get_ref<const std::string&>()))
                   : std::string();
    };
    std::vector<std::string> parts;
    if (const std::string description = text("Description"); !description.empty())
        parts.push_back(description);
    for (const auto& [key, heading] : {std::pair{"Threading notes", "Threading notes:"},
                                       std::pair{"Weaving notes", "Weaving notes:"}})
        if (const std::string part = text(key); !part.empty())
            parts.push_back(std::string(heading) + "\n" + part);
    if (const Json* tags = reader.Find(document, "Tags");
        tags && tags->is_array() && !tags->empty()) {
        std::string line = "Tags:";
        for (const Json& tag : *tags)
            if (tag.is_string()) line += " " + tag.get_ref<const std::string&>();
        parts.push_back(line);
    }
    for (const std::string& part : parts) {
        if (!pattern.notes.empty()) pattern.notes += "\n\n";
        pattern.notes += part;
    }
    // newlines as Tessaly keeps them
    std::erase(pattern.notes, '\r');
    // Twisted Threads draws empty holes in a colour of its own, not the weft's: its weft colour
    // is not taken, so a pattern draws as it does there
    noted("Weft colour", "the weft colour");
    return pattern;
}

}  // namespace

PeerLimits TwtFormat::Limits() {
    // Twisted Threads opens a pattern of at most 100 tablets and fewer than 200 rows
    PeerLimits limits{"a Twisted Threads pattern", kPaletteSize, true, false, 100, 199};
    // Twisted Threads weaves two-, four- and six-hole tablets
    limits.holes = [](int holes) { return holes == 2 || holes == 4 || holes == 6; };
    limits.holeCounts = "of 2, 4 or 6 holes";
    limits.notes = true;
    limits.weft = true;
    limits.keepsChart = [](const PeerPattern& pattern) { return ChartWeavesPicks(pattern); };
    return limits;
}

std::string TwtFormat::Write(const PeerPattern& pattern) {
    const PeerLimits limits = Limits();
    CheckFits(pattern, limits);
    // Twisted Threads draws a tablet idling in pick 1 facing the way row 2 names
    CheckFirstIdles(
        pattern,
        [&](std::size_t t) {
            if (pattern.picks.size() < 2 || pattern.picks[1][t].turn == Idle) return FacingBeforeFirstPick(pattern, t);
            return pattern.picks[1][t].turn;
        },
        "Twisted Threads");
    using Ordered = nlohmann::ordered_json;
    Ordered palette = Ordered::array();
    // the weft takes a place of the palette the threading leaves, if it needs one
    const std::vector<std::int32_t> colours = PaletteOfFormat(pattern, limits);
    if (colours.size() > kPaletteSize)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "The weft's colour finds no place among Twisted Threads' 16 colours.");
    const std::size_t weft =
        pattern.weft
            ? static_cast<std::size_t>(std::find(colours.begin(), colours.end(), *pattern.weft) -
                                       colours.begin())
            : 0;
    for (std::size_t i = 0; i < kPaletteSize; ++i)
        palette.push_back(HexOfColour(i < colours.size() ? colours[i] : kDefaultPalette[i]));
    Ordered chart = Ordered::array();
    for (const std::vector<std::int32_t>& hole : pattern.holes) chart.push_back(hole);
    Ordered orientations = Ordered::array();
    for (const bool s : pattern.sThreaded) orientations.push_back(s ? "/" : "\\");

    Ordered document;
    document["source"] = "Twisted Threads";
    document["version"] = "2.0";
    // Twisted Threads refuses a pattern without a name
    document["Name"] = pattern.name.empty() ? "Untitled" : pattern.name;
    document["Description"] = pattern.notes;
    document["Tags"] = Ordered::array();
    const bool charted = ChartWeavesPicks(pattern);
    const bool twill = charted && pattern.chart->weave == ChartWeave::BrokenTwill;
    document["Pattern type"] =
        charted ? std::string(twill ? kBrokenTwill : kDoubleFaced) : "individual";
    document["Number of holes"] = pattern.Holes();
    document["Colour palette"] = std::move(palette);
    document["Weft colour"] = weft;
    document["Number of tablets"] = pattern.sThreaded.size();
    document["Number of weaving rows"] = pattern.picks.size();
    document["Threading chart"] = std::move(chart);
    document["Tablet orientations"] = std::move(orientations);
    document["Pattern design"] = charted ? ChartDesign(*pattern.chart) : IndividualDesign(pattern);
    // a name that is not valid UTF-8 is written with replacement characters, not refused
    return document.dump(2, ' ', false, Ordered::error_handler_t::replace) + "\n";
}

namespace {

nlohmann::ordered_json ChartJson(const std::vector<std::vector<bool>>& rows) {
    nlohmann::ordered_json chart = nlohmann::ordered_json::array();
    for (const std::vector<bool>& row : rows) {
        nlohmann::ordered_json cells = nlohmann::ordered_json::array();
        for (const bool marked : row) cells.push_back(std::string(1, ChartCellText(marked)));
        chart.push_back(std::move(cells));
    }
    return chart;
}

}  // namespace

nlohmann::ordered_json TwtFormat::ChartDesign(const TwoColourChart& chart) {
    using Ordered = nlohmann::ordered_json;
    if (chart.weave == ChartWeave::DoubleFaced)
        return Ordered{{"doubleFacedPatternChart", ChartJson(chart.foreground)}};
    return Ordered{{"twillDirection", chart.twill == TwillDirection::S ? "S" : "Z"},
                   {"twillPatternChart", ChartJson(chart.foreground)},
                   {"twillDirectionChangeChart", ChartJson(chart.longFloats)},
                   {"weavingStartRow", chart.weavingStartRow}};
}

nlohmann::ordered_json TwtFormat::IndividualDesign(const PeerPattern& pattern) {
    using Ordered = nlohmann::ordered_json;
    // an idle cell names the way the tablet faces, which is the way it last turned
    std::vector<std::int32_t> facing;
    for (std::size_t t = 0; t < pattern.sThreaded.size(); ++t)
        facing.push_back(FacingBeforeFirstPick(pattern, t));
    Ordered instructions = Ordered::array();
    for (std::size_t p = 0; p < pattern.picks.size(); ++p) {
        Ordered row = Ordered::array();
        for (std::size_t t = 0; t < pattern.picks[p].size(); ++t) {
            const CardStep& step = pattern.picks[p][t];
            if (step.turn != Idle) facing[t] = step.turn;
            row.push_back({{"direction", facing[t] == Forward ? "F" : "B"},
                           {"numberOfTurns", step.turn == Idle ? 0 : 1}});
        }
        instructions.push_back(std::move(row));
    }
    return Ordered{{"weavingInstructions", std::move(instructions)}};
}

}  // namespace tessaly
