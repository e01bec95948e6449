#include "TwtFormat.h"

#include <algorithm>
#include <limits>
#include <nlohmann/json.hpp>

#include "PatternError.h"
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

// The 1-based line of a byte offset, for the parser's complaints.
std::size_t LineOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<std::size_t>(
                   std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

Json Parse(std::string_view text, std::string_view sourceName) {
    try {
        return Json::parse(text.begin(), text.end());
    } catch (const Json::parse_error& error) {
        // the parser's own words, without its prefix and its position, which the line replaces
        std::string what = error.what();
        const std::size_t colon = what.find(": ", what.find("parse error"));
        what = colon == std::string::npos ? "not JSON" : "not JSON: " + what.substr(colon + 2);
        const std::size_t line = LineOf(text, error.byte == 0 ? 0 : error.byte - 1);
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure,
                               static_cast<std::int64_t>(line),
                               std::string(sourceName) + ", line " + std::to_string(line) + ": " +
                                   what);
    } catch (const Json::exception& error) {
        // a number too large for any number, which the parser reports without its place
        std::string what = error.what();
        const std::size_t bracket = what.find("] ");
        if (bracket != std::string::npos) what = what.substr(bracket + 2);
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure, 0,
                               std::string(sourceName) + ": not JSON: " + what);
    }
}

}  // namespace

PeerPattern TwtFormat::Read(std::string_view text, std::string_view sourceName) {
    const Json document = Parse(text, sourceName);
    TwtReader reader(sourceName);
    if (!document.is_object()) reader.Fail("the file", "not a Twisted Threads pattern (no JSON object)");
    const Json& source = reader.Member(document, "source");
    if (!source.is_string() || source.get_ref<const std::string&>() != "Twisted Threads")
        reader.Fail(Quoted("source"), "not a Twisted Threads pattern");

    const std::int64_t holes = reader.Integer(reader.Member(document, "Number of holes"),
                                              Quoted("Number of holes"));
    if (holes != 4) reader.Fail(Quoted("Number of holes"), FourHolesOnly(holes));
    const std::string& type =
        reader.String(reader.Member(document, "Pattern type"), Quoted("Pattern type"));
    if (type != "individual" && type != "allTogether")
        reader.Fail(Quoted("Pattern type"), ChartsNotTurns(type, "\"individual\" and \"allTogether\""));

    PeerPattern pattern;
    if (const Json* name = reader.Find(document, "Name")) pattern.name = reader.String(*name, Quoted("Name"));

    // the tablets: their threading S or Z, then the colour in each hole
    const Json& orientations =
        reader.Array(reader.Member(document, "Tablet orientations"), Quoted("Tablet orientations"));
    const std::size_t tablets = orientations.size();
    if (tablets < 1) reader.Fail(Quoted("Tablet orientations"), "the pattern has no tablets");
    if (tablets > static_cast<std::size_t>(kMostPeerTablets))
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

    const Json& chart = reader.Array(reader.Member(document, "Threading chart"), Quoted("Threading chart"));
    if (chart.size() != 4)
        reader.Fail(Quoted("Threading chart"), "has " + std::to_string(chart.size()) +
                                                   " rows of holes, not 4");
    for (std::size_t h = 0; h < 4; ++h) {
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

    // the picks, pick 1 first
    const Json& design = reader.Member(document, "Pattern design");
    if (!design.is_object()) reader.Fail(Quoted("Pattern design"), "should be an object");
    const std::string rowsKey = Quoted("weavingInstructions");
    const Json& rows = reader.Array(reader.Member(design, "weavingInstructions"), rowsKey);
    if (const Json* count = reader.Find(document, "Number of weaving rows");
        count && reader.Integer(*count, Quoted("Number of weaving rows")) !=
                     static_cast<std::int64_t>(rows.size()))
        reader.Fail(Quoted("Number of weaving rows"),
                    "says " + count->dump() + ", but the design has " + std::to_string(rows.size()) +
                        " rows");
    CheckBandBudget(static_cast<std::int64_t>(rows.size()) + 1, static_cast<std::int64_t>(tablets));
    const auto direction = [&](const Json& value, const std::string& where) {
        const std::string& letter = reader.String(value, where);
        if (letter != "F" && letter != "B") reader.Fail(where, Quoted(letter) + " is neither \"F\" nor \"B\"");
        return letter == "F" ? Forward : Backward;
    };
    // an idle cell still names a direction: the one a tablet idling in pick 1 faces
    std::vector<std::int32_t> named(tablets, Forward);
    pattern.picks.reserve(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string row = rowsKey + ", row " + std::to_string(r + 1);
        PickSteps pick(tablets);
        if (type == "allTogether") {
            const std::int32_t turn = direction(rows[r], row);
            for (CardStep& step : pick) step.turn = turn;
            std::fill(named.begin(), named.end(), turn);
        } else {
            const Json& cells = reader.Array(rows[r], row);
            if (cells.size() != tablets)
                reader.Fail(row, "names " + std::to_string(cells.size()) + " tablets, not " +
                                     std::to_string(tablets));
            for (std::size_t t = 0; t < tablets; ++t) {
                const std::string where = row + ", tablet " + std::to_string(t + 1);
                if (!cells[t].is_object()) reader.Fail(where, "should be an object");
                named[t] = direction(reader.Member(cells[t], "direction"), where);
                const std::int64_t turns = reader.Integer(reader.Member(cells[t], "numberOfTurns"), where);
                if (turns < 0 || turns > 3)
                    reader.Fail(where, std::to_string(turns) + " turns: a pick turns a tablet 0 to 3 times");
                if (turns > 1)
                    reader.Fail(where, OneTurnAPick(turns, static_cast<std::int64_t>(r + 1),
                                                    static_cast<std::int64_t>(t + 1)));
                pick[t].turn = turns == 0 ? Idle : named[t];
            }
        }
        // Twisted Threads draws a tablet idling in pick 1 facing the way row 2 names
        if (r == 1) pattern.firstFacing = named;
        pattern.picks.push_back(std::move(pick));
    }

    // what Tessaly has no place for
    const auto noted = [&](const char* key, const char* what) {
        const Json* value = reader.Find(document, key);
        if (value && !value->is_null() && !(value->is_string() && value->get_ref<const std::string&>().empty()) &&
            !(value->is_array() && value->empty()))
            pattern.notCarried.emplace_back(what);
    };
    noted("Description", "the description");
    noted("Tags", "the tags");
    noted("Threading notes", "the threading notes");
    noted("Weaving notes", "the weaving notes");
    noted("Weft colour", "the weft colour");
    return pattern;
}

std::string TwtFormat::Write(const PeerPattern& pattern) {
    if (pattern.picks.empty())
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "A Twisted Threads pattern needs at least one pick: weave the band first.");
    if (pattern.palette.size() > kPaletteSize)
        throw AppError(ErrorNumber::Overflow, "The band has " + std::to_string(pattern.palette.size()) +
                                                  " colours; a Twisted Threads pattern holds 16.");
    using Ordered = nlohmann::ordered_json;
    Ordered palette = Ordered::array();
    for (std::size_t i = 0; i < kPaletteSize; ++i)
        palette.push_back(HexOfColour(i < pattern.palette.size() ? pattern.palette[i] : kDefaultPalette[i]));
    Ordered chart = Ordered::array();
    for (const std::vector<std::int32_t>& hole : pattern.holes) chart.push_back(hole);
    Ordered orientations = Ordered::array();
    for (const bool s : pattern.sThreaded) orientations.push_back(s ? "/" : "\\");

    // an idle cell names the way the tablet faces, which is the way it last turned
    std::vector<std::int32_t> facing;
    for (std::size_t t = 0; t < pattern.sThreaded.size(); ++t)
        facing.push_back(FacingBeforeFirstPick(pattern, t));
    Ordered instructions = Ordered::array();
    for (std::size_t p = 0; p < pattern.picks.size(); ++p) {
        Ordered row = Ordered::array();
        for (std::size_t t = 0; t < pattern.picks[p].size(); ++t) {
            const CardStep& step = pattern.picks[p][t];
            if (step.flip)
                throw AppError(ErrorNumber::InvalidProcedureCall,
                               "Pick " + std::to_string(p + 1) +
                                   " flips a card over; a Twisted Threads pattern has no vertical twists.");
            if (step.turn != Idle) facing[t] = step.turn;
            row.push_back({{"direction", facing[t] == Forward ? "F" : "B"},
                           {"numberOfTurns", step.turn == Idle ? 0 : 1}});
        }
        instructions.push_back(std::move(row));
    }

    Ordered document;
    document["source"] = "Twisted Threads";
    document["version"] = "2.0";
    // Twisted Threads refuses a pattern without a name
    document["Name"] = pattern.name.empty() ? "Untitled" : pattern.name;
    document["Description"] = "";
    document["Tags"] = Ordered::array();
    document["Pattern type"] = "individual";
    document["Number of holes"] = 4;
    document["Colour palette"] = std::move(palette);
    document["Weft colour"] = 0;
    document["Number of tablets"] = pattern.sThreaded.size();
    document["Number of weaving rows"] = pattern.picks.size();
    document["Threading chart"] = std::move(chart);
    document["Tablet orientations"] = std::move(orientations);
    document["Pattern design"] = {{"weavingInstructions", std::move(instructions)}};
    // a name that is not valid UTF-8 is written with replacement characters, not refused
    return document.dump(2, ' ', false, Ordered::error_handler_t::replace) + "\n";
}

}  // namespace tessaly
