#include "GttFormat.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <pugixml.hpp>
#include <sstream>

#include "PatternError.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

constexpr const char* kProcedure = "ReadGtt";
constexpr const char* kSource = "Guntram's Tabletweaving Thingy";
constexpr std::size_t kPaletteSize = 16;

// The 16 standard Windows colours, which a file without a palette uses (0x00BBGGRR, as the
// files keep them).
constexpr std::int32_t kWindowsColours[kPaletteSize] = {
    0,       128,      32768,    32896,    8388608,  8388736,  8421376,  8421504,
    12632256, 255,     65280,    65535,    16711680, 16711935, 16776960, 16777215};

std::string_view Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// Reads the parsed document, naming the line and the element of whatever it refuses.
class GttReader {
  public:
    GttReader(std::string_view text, std::string_view sourceName)
        : text_(text), sourceName_(sourceName) {}

    std::size_t LineAt(std::ptrdiff_t offset) const {
        if (offset < 0) return 0;
        const auto end = text_.begin() + std::min<std::ptrdiff_t>(offset, static_cast<std::ptrdiff_t>(text_.size()));
        return 1 + static_cast<std::size_t>(std::count(text_.begin(), end, '\n'));
    }
    [[noreturn]] void Fail(const pugi::xml_node& node, const std::string& what) const {
        const std::size_t line = node ? LineAt(node.offset_debug()) : 0;
        std::string where = std::string(sourceName_);
        if (line > 0) where += ", line " + std::to_string(line);
        if (node && node.type() == pugi::node_element) where += std::string(", <") + node.name() + ">";
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure,
                               static_cast<std::int64_t>(line), where + ": " + what);
    }
    pugi::xml_node Child(const pugi::xml_node& parent, const char* name) const {
        const pugi::xml_node child = parent.child(name);
        if (!child) Fail(parent, std::string("has no <") + name + ">");
        return child;
    }
    // A whole number in an element's text or an attribute.
    std::int64_t Number(const pugi::xml_node& node, std::string_view text, const std::string& what) const {
        text = Trimmed(text);
        std::int64_t value = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
            value < std::numeric_limits<std::int32_t>::min() ||
            value > std::numeric_limits<std::int32_t>::max())
            Fail(node, what + " \"" + std::string(text) + "\" is not a whole number");
        return value;
    }
    std::int64_t Attribute(const pugi::xml_node& node, const char* name) const {
        const pugi::xml_attribute attribute = node.attribute(name);
        if (!attribute) Fail(node, std::string("has no ") + name);
        return Number(node, attribute.value(), name);
    }

  private:
    std::string_view text_;
    std::string_view sourceName_;
};

// What one pick does to one card, gathered from the pick's actions before it is woven.
struct CardAction {
    int turns = 0;  // 0: the card idles
    std::int32_t turn = Idle;
    bool flip = false;
};

}  // namespace

PeerPattern GttFormat::Read(std::string_view text, std::string_view sourceName) {
    GttReader reader(text, sourceName);
    pugi::xml_document document;
    const pugi::xml_parse_result parsed =
        document.load_buffer(text.data(), text.size(), pugi::parse_default);
    if (!parsed) {
        const std::size_t line = reader.LineAt(parsed.offset);
        throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure,
                               static_cast<std::int64_t>(line),
                               std::string(sourceName) + ", line " + std::to_string(line) +
                                   ": not XML: " + parsed.description());
    }
    const pugi::xml_node root = document.child("TWData");
    if (!root) reader.Fail(document.first_child(), "not a Guntram's Tabletweaving Thingy pattern (no <TWData>)");
    const pugi::xml_node source = root.child("Source");
    if (source && Trimmed(source.text().get()) != kSource)
        reader.Fail(source, "names \"" + std::string(Trimmed(source.text().get())) + "\", not " + kSource);
    const pugi::xml_node patternNode = reader.Child(root, "Pattern");
    const std::string type = patternNode.attribute("Type").value();
    if (type != "Threaded-in" && type != "Threaded")
        reader.Fail(patternNode, ChartsNotTurns(type, "\"Threaded-in\""));

    PeerPattern pattern;
    pattern.name = std::string(Trimmed(patternNode.child("Name").text().get()));
    if (!Trimmed(patternNode.child("Notes").text().get()).empty()) pattern.notCarried.emplace_back("the notes");

    // the palette: the file's colours by their index, else the standard Windows colours
    pattern.palette.assign(std::begin(kWindowsColours), std::end(kWindowsColours));
    if (const pugi::xml_node palette = patternNode.child("Palette")) {
        std::size_t next = 0;
        for (const pugi::xml_node colour : palette.children("Colour")) {
            const std::int64_t index =
                colour.attribute("Index") ? reader.Attribute(colour, "Index") : static_cast<std::int64_t>(next);
            if (index < 0 || index >= 256) reader.Fail(colour, "colour index " + std::to_string(index) + " is out of range");
            const std::int64_t value = reader.Number(colour, colour.text().get(), "the colour");
            if (value < 0 || value > 0xFFFFFF) reader.Fail(colour, std::to_string(value) + " is not a colour");
            if (static_cast<std::size_t>(index) >= pattern.palette.size())
                pattern.palette.resize(static_cast<std::size_t>(index) + 1, 0xFFFFFF);
            pattern.palette[static_cast<std::size_t>(index)] = static_cast<std::int32_t>(value);
            next = static_cast<std::size_t>(index) + 1;
        }
    }

    // the cards, in the order the file lists them
    const pugi::xml_node cards = reader.Child(patternNode, "Cards");
    for (const pugi::xml_node card : cards.children("Card")) {
        if (pattern.sThreaded.size() >= static_cast<std::size_t>(kMostPeerTablets))
            reader.Fail(card, TooManyTablets(static_cast<std::int64_t>(
                                  std::distance(cards.children("Card").begin(), cards.children("Card").end()))));
        const pugi::xml_node holes = reader.Child(card, "Holes");
        std::vector<pugi::xml_node> colours;
        for (const pugi::xml_node colour : holes.children("Colour")) {
            colours.push_back(colour);
            if (colours.size() > 4) break;
        }
        const std::int64_t holeCount = card.attribute("Holes") ? reader.Attribute(card, "Holes")
                                                                : static_cast<std::int64_t>(colours.size());
        if (holeCount != 4) reader.Fail(card, FourHolesOnly(holeCount));
        if (colours.size() != 4)
            reader.Fail(holes, "names " + std::to_string(colours.size()) + " holes' colours, not 4");
        for (std::size_t h = 0; h < 4; ++h) {
            const std::int64_t index = reader.Number(colours[h], colours[h].text().get(), "the colour index");
            if (index < -1 || index >= static_cast<std::int64_t>(pattern.palette.size()))
                reader.Fail(colours[h], std::to_string(index) + " is not a colour of the palette (0 to " +
                                            std::to_string(pattern.palette.size() - 1) + ")");
            pattern.holes[h].push_back(static_cast<std::int32_t>(index));
        }
        const std::string_view threading = Trimmed(reader.Child(card, "Threading").text().get());
        if (threading != "S" && threading != "Z")
            reader.Fail(card.child("Threading"), "\"" + std::string(threading) + "\" is neither S nor Z");
        pattern.sThreaded.push_back(threading == "S");
    }
    const std::size_t tablets = pattern.sThreaded.size();
    if (tablets == 0) reader.Fail(cards, "the pattern has no cards");

    // the packs: each a name and the cards it holds
    std::map<std::string, std::vector<std::size_t>, std::less<>> packs;
    if (const pugi::xml_node packsNode = patternNode.child("Packs")) {
        for (const pugi::xml_node pack : packsNode.children("Pack")) {
            std::vector<std::size_t>& members = packs[pack.attribute("Name").value()];
            std::stringstream list(pack.child("Cards").text().get());
            std::string number;
            while (std::getline(list, number, ',')) {
                if (Trimmed(number).empty()) continue;
                const std::int64_t card = reader.Number(pack, number, "the card number");
                if (card < 1 || card > static_cast<std::int64_t>(tablets))
                    reader.Fail(pack, "card " + std::to_string(card) + " is not one of the " +
                                          std::to_string(tablets) + " cards");
                members.push_back(static_cast<std::size_t>(card - 1));
            }
        }
        if (!packs.empty()) pattern.notCarried.emplace_back("the pack names");
    }

    // the picks, pick 1 first; a card no action names idles
    const pugi::xml_node picks = reader.Child(patternNode, "Picks");
    std::int64_t pickNumber = 0;
    for (const pugi::xml_node pickNode : picks.children("Pick")) {
        ++pickNumber;
        CheckBandBudget(pickNumber + 1, static_cast<std::int64_t>(tablets));
        std::vector<CardAction> actions(tablets);
        const pugi::xml_node actionsNode = pickNode.child("Actions");
        for (const pugi::xml_node action : actionsNode.children("Action")) {
            const std::string target = action.attribute("Target").value();
            const std::string id = action.attribute("TargetID").value();
            std::vector<std::size_t> named;
            if (target == "Card") {
                const std::int64_t card = reader.Number(action, id, "TargetID");
                if (card < 1 || card > static_cast<std::int64_t>(tablets))
                    reader.Fail(action, "card " + std::to_string(card) + " is not one of the " +
                                            std::to_string(tablets) + " cards");
                named.push_back(static_cast<std::size_t>(card - 1));
            } else if (target == "Pack") {
                const auto pack = packs.find(id);
                if (pack == packs.end()) reader.Fail(action, "no pack is named \"" + id + "\"");
                named = pack->second;
            } else {
                reader.Fail(action, "Target \"" + target + "\" is neither Card nor Pack");
            }
            const std::string direction = action.attribute("Dir").value();
            const std::int64_t distance = action.attribute("Dist") ? reader.Attribute(action, "Dist") : 1;
            if (direction != "F" && direction != "B" && direction != "I" && direction != "V")
                reader.Fail(action, "Dir \"" + direction + "\" is none of F, B, I and V");
            if (distance < 0 || distance > 3)
                reader.Fail(action, "Dist " + std::to_string(distance) + ": a pick turns a card 0 to 3 times");
            for (const std::size_t card : named) {
                CardAction& done = actions[card];
                if (direction == "V") {
                    done.flip = !done.flip;
                } else if (direction != "I" && distance > 0) {
                    // a second turn of the same card in one pick adds to the first
                    done.turns += static_cast<int>(distance);
                    done.turn = direction == "F" ? Forward : Backward;
                    if (done.turns > 1)
                        reader.Fail(action, OneTurnAPick(done.turns, pickNumber,
                                                         static_cast<std::int64_t>(card + 1)));
                }
            }
        }
        PickSteps pick(tablets);
        for (std::size_t t = 0; t < tablets; ++t) {
            pick[t].turn = actions[t].turns == 0 ? Idle : actions[t].turn;
            pick[t].flip = actions[t].flip;
        }
        pattern.picks.push_back(std::move(pick));
    }
    // a card idling in pick 1 faces the way it turns in pick 2
    if (pattern.picks.size() > 1)
        for (std::size_t t = 0; t < tablets; ++t)
            pattern.firstFacing.push_back(pattern.picks[1][t].turn == Backward ? Backward : Forward);
    return pattern;
}

namespace {

void AddText(pugi::xml_node parent, const char* name, const std::string& text) {
    parent.append_child(name).text().set(text.c_str());
}

}  // namespace

std::string GttFormat::Write(const PeerPattern& pattern) {
    if (pattern.picks.empty())
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "A Guntram's Tabletweaving Thingy pattern needs at least one pick: weave the band first.");
    if (pattern.palette.size() > kPaletteSize)
        throw AppError(ErrorNumber::Overflow,
                       "The band has " + std::to_string(pattern.palette.size()) +
                           " colours; a Guntram's Tabletweaving Thingy pattern holds 16.");
    pugi::xml_document document;
    pugi::xml_node declaration = document.append_child(pugi::node_declaration);
    declaration.append_attribute("version") = "1.0";
    declaration.append_attribute("encoding") = "UTF-8";
    pugi::xml_node root = document.append_child("TWData");
    AddText(root, "Source", kSource);
    AddText(root, "Version", "1.17");
    pugi::xml_node patternNode = root.append_child("Pattern");
    patternNode.append_attribute("Type") = "Threaded-in";
    // the name as CDATA, as the program writes it, unless the name itself would end one
    const bool endsCdata = pattern.name.find("]]>") != std::string::npos;
    patternNode.append_child("Name")
        .append_child(endsCdata ? pugi::node_pcdata : pugi::node_cdata)
        .set_value(pattern.name.c_str());
    patternNode.append_child("Notes");

    pugi::xml_node cards = patternNode.append_child("Cards");
    cards.append_attribute("Count") = static_cast<long long>(pattern.sThreaded.size());
    for (std::size_t t = 0; t < pattern.sThreaded.size(); ++t) {
        pugi::xml_node card = cards.append_child("Card");
        card.append_attribute("Number") = static_cast<long long>(t + 1);
        card.append_attribute("Holes") = 4;
        pugi::xml_node holes = card.append_child("Holes");
        holes.append_attribute("Count") = 4;
        for (const std::vector<std::int32_t>& hole : pattern.holes)
            AddText(holes, "Colour", std::to_string(hole.at(t)));
        AddText(card, "Threading", pattern.sThreaded[t] ? "S" : "Z");
    }

    pugi::xml_node palette = patternNode.append_child("Palette");
    palette.append_attribute("Size") = static_cast<long long>(kPaletteSize);
    for (std::size_t i = 0; i < kPaletteSize; ++i) {
        pugi::xml_node colour = palette.append_child("Colour");
        colour.append_attribute("Index") = static_cast<long long>(i);
        colour.text().set(i < pattern.palette.size() ? pattern.palette[i] : kWindowsColours[i]);
    }
    patternNode.append_child("Packs");

    pugi::xml_node picks = patternNode.append_child("Picks");
    picks.append_attribute("Count") = static_cast<long long>(pattern.picks.size());
    for (std::size_t p = 0; p < pattern.picks.size(); ++p) {
        pugi::xml_node pick = picks.append_child("Pick");
        pick.append_attribute("Index") = static_cast<long long>(p);
        pugi::xml_node actions = pick.append_child("Actions");
        const auto act = [&](std::size_t card, const char* direction, int distance) {
            pugi::xml_node action = actions.append_child("Action");
            action.append_attribute("Type") = "Turn";
            action.append_attribute("Target") = "Card";
            action.append_attribute("TargetID") = static_cast<long long>(card + 1);
            action.append_attribute("Dir") = direction;
            action.append_attribute("Dist") = distance;
        };
        for (std::size_t t = 0; t < pattern.picks[p].size(); ++t) {
            const CardStep& step = pattern.picks[p][t];
            if (step.flip) act(t, "V", 1);
            if (step.turn == Idle)
                act(t, "I", 0);
            else
                act(t, step.turn == Forward ? "F" : "B", 1);
        }
    }
    std::ostringstream out;
    document.save(out, "  ", pugi::format_default, pugi::encoding_utf8);
    return out.str();
}

}  // namespace tessaly
