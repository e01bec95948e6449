#include "GttFormat.h"

#include <expat.h>

#include <algorithm>
#include <charconv>
#include <istream>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <sstream>

#include "PatternError.h"
#include "PatternReader.h"
#include "TextCodec.h"
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

std::optional<std::int64_t> WholeNumber(std::string_view text) {
    text = Trimmed(text);
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return value;
}

// A row of a chart as the file has it, a character a card.
struct ReadChartRow {
    std::string text;
    std::int64_t line = 0;
};

// What one pick does to one card, gathered from the pick's actions before it is woven.
struct CardAction {
    int turns = 0;  // 0: the card idles
    std::int32_t turn = Idle;
    bool flip = false;
};

// Builds the pattern from the parser's events as the file streams in. Elements are known by
// their path from <TWData>; anything else in the file is passed over. A problem is kept with
// its line and element, and the parse stopped, so no exception crosses the C parser.
class GttParse {
  public:
    GttParse(std::string_view sourceName)
        : sourceName_(sourceName), parser_(XML_ParserCreate(nullptr), XML_ParserFree) {
        XML_SetUserData(parser_.get(), this);
        XML_SetElementHandler(parser_.get(), &GttParse::OnStart, &GttParse::OnEnd);
        XML_SetCharacterDataHandler(parser_.get(), &GttParse::OnText);
        XML_SetUnknownEncodingHandler(parser_.get(), &GttParse::OnEncoding, nullptr);
    }

    void Feed(const char* bytes, std::size_t size, bool last) {
        // the parser takes an int's worth at a time
        constexpr std::size_t kPiece = std::size_t{1} << 20;
        do {
            const std::size_t piece = std::min(size, kPiece);
            const bool final = last && piece == size;
            if (XML_Parse(parser_.get(), bytes, static_cast<int>(piece), final) != XML_STATUS_OK) {
                if (problem_) throw *problem_;
                const auto line = static_cast<std::int64_t>(XML_GetCurrentLineNumber(parser_.get()));
                throw PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure, line,
                                       std::string(sourceName_) + ", line " + std::to_string(line) +
                                           ": not XML: " +
                                           XML_ErrorString(XML_GetErrorCode(parser_.get())));
            }
            bytes += piece;
            size -= piece;
        } while (size > 0);
    }

    PeerPattern Finish() {
        if (!sawRoot_) Fail("not a Guntram's Tabletweaving Thingy pattern (no <TWData>)", "", 0);
        if (!sawPattern_) Fail("has no <Pattern>", "TWData", 0);
        if (pattern_.sThreaded.empty()) Fail("the pattern has no cards", "Cards", cardsLine_);
        if (!sawPicks_ && !chart_) Fail("has no <Picks>", "Pattern", patternLine_);
        if (problem_) throw *problem_;
        if (chart_) TakeChart();
        // a hole may name a colour of a palette that comes later in the file
        const std::size_t holes = pattern_.holes.size();
        for (std::size_t h = 0; h < holes; ++h)
            for (std::size_t t = 0; t < pattern_.sThreaded.size(); ++t) {
                const std::int32_t index = pattern_.holes[h][t];
                if (index < -1 || index >= static_cast<std::int32_t>(pattern_.palette.size()))
                    Fail(std::to_string(index) + " is not a colour of the palette (0 to " +
                             std::to_string(pattern_.palette.size() - 1) + ")",
                         "Colour", colourLines_[holes * t + h]);
            }
        if (problem_) throw *problem_;
        // a card idling in its first picks faces the way it first turns
        for (std::size_t t = 0; t < pattern_.sThreaded.size(); ++t)
            pattern_.firstFacing.push_back(FirstTurnOf(pattern_.picks, t));
        if (!packs_.empty()) pattern_.notCarried.emplace_back("the pack names");
        return std::move(pattern_);
    }

    // A chart's rows, one layer: the chart's rows in order, each a cell per card. Called after
    // the parse, so a problem is raised at once.
    std::vector<std::vector<bool>> ChartRows(const std::map<std::int64_t, ReadChartRow>& layer,
                                             const char* element, bool reversed) {
        const auto refuse = [&](const std::string& what, std::int64_t line) {
            Fail(what, element, line);
            throw *problem_;
        };
        const std::size_t cards = pattern_.sThreaded.size();
        std::vector<std::vector<bool>> rows(layer.size());
        std::int64_t expected = 1;
        for (const auto& [number, row] : layer) {
            if (number != expected) refuse("has no row P" + std::to_string(expected), row.line);
            ++expected;
            const std::string name = "P" + std::to_string(number);
            if (row.text.size() != cards)
                refuse(name + " has " + std::to_string(row.text.size()) +
                           " cells, but the pattern has " + std::to_string(cards) + " cards",
                       row.line);
            std::vector<bool>& marks =
                rows[reversed ? layer.size() - static_cast<std::size_t>(number)
                              : static_cast<std::size_t>(number) - 1];
            for (const char cell : row.text) {
                const std::optional<bool> mark = ChartCell(cell);
                if (!mark)
                    refuse(name + ": '" + std::string(1, cell) + "' is neither '.' nor 'X'",
                           row.line);
                marks.push_back(*mark);
            }
        }
        return rows;
    }

    // A chart pattern: the design in <Data> (P1 woven first), and for broken twill its long
    // floats (older files keep them as <Reversals>, last row first) and its background twill.
    void TakeChart() {
        TwoColourChart& chart = *chart_;
        if (chartRows_[0].empty()) Fail("has no chart (<Data>)", "Pattern", patternLine_);
        if (problem_) throw *problem_;
        chart.foreground = ChartRows(chartRows_[0], "Data", false);
        if (chart.weave == ChartWeave::BrokenTwill) {
            const bool older = chartRows_[1].empty() && !chartRows_[2].empty();
            chart.longFloats = older ? ChartRows(chartRows_[2], "Reversals", true)
                                     : ChartRows(chartRows_[1], "LongFloats", false);
            if (chart.longFloats.empty())
                chart.longFloats.assign(chart.foreground.size(),
                                        std::vector<bool>(pattern_.sThreaded.size()));
            if (chart.longFloats.size() != chart.foreground.size())
                Fail("has " + std::to_string(chart.longFloats.size()) + " rows, but <Data> has " +
                         std::to_string(chart.foreground.size()),
                     older ? "Reversals" : "LongFloats", patternLine_);
            if (backgroundTwill_ && *backgroundTwill_ != "S" && *backgroundTwill_ != "Z")
                Fail("\"" + *backgroundTwill_ + "\" is neither S nor Z", "BackgroundTwill",
                     patternLine_);
            if (problem_) throw *problem_;
            chart.twill = backgroundTwill_ == "Z" ? TwillDirection::Z : TwillDirection::S;
            // the row after the last completes the odd cards' last pick: the background
            chart.foreground.emplace_back(pattern_.sThreaded.size());
            chart.longFloats.emplace_back(pattern_.sThreaded.size());
        }
        pattern_.chart = std::move(chart_);
        try {
            CheckBandBudget(static_cast<std::int64_t>(pattern_.chart->Picks()) + 1,
                            static_cast<std::int64_t>(pattern_.sThreaded.size()));
            WeaveChart(pattern_);
        } catch (const AppError& error) {
            Fail(error.Description(), "Pattern", patternLine_);
            throw *problem_;
        }
    }

  private:
    using Attributes = const XML_Char**;

    // a file without a palette uses the standard Windows colours
    static PeerPattern WithWindowsColours() {
        PeerPattern pattern;
        pattern.palette.assign(std::begin(kWindowsColours), std::end(kWindowsColours));
        pattern.standardColours = pattern.palette;
        return pattern;
    }

    static void XMLCALL OnStart(void* self, const XML_Char* name, Attributes attributes) {
        static_cast<GttParse*>(self)->Start(name, attributes);
    }
    static void XMLCALL OnEnd(void* self, const XML_Char*) { static_cast<GttParse*>(self)->End(); }
    static void XMLCALL OnText(void* self, const XML_Char* text, int size) {
        auto* parse = static_cast<GttParse*>(self);
        if (parse->collecting_ && parse->text_.size() < kLongestText)
            parse->text_.append(text, static_cast<std::size_t>(size));
    }
    // Windows programs write Windows-1252, which the parser does not know by itself.
    static int XMLCALL OnEncoding(void*, const XML_Char* name, XML_Encoding* info) {
        const std::string encoding = AsciiLower(name);
        if (encoding != "windows-1252" && encoding != "cp1252") return XML_STATUS_ERROR;
        for (int byte = 0; byte < 256; ++byte)
            info->map[byte] = static_cast<int>(Windows1252CodePoint(static_cast<unsigned char>(byte)));
        info->data = nullptr;
        info->convert = nullptr;
        info->release = nullptr;
        return XML_STATUS_OK;
    }

    static const char* Attribute(Attributes attributes, std::string_view name) {
        for (; attributes[0] != nullptr; attributes += 2)
            if (name == attributes[0]) return attributes[1];
        return nullptr;
    }

    std::int64_t Line() const {
        return static_cast<std::int64_t>(XML_GetCurrentLineNumber(parser_.get()));
    }
    // Keeps the first problem and stops the parse.
    void Fail(const std::string& what, std::string_view element, std::int64_t line) {
        if (problem_) return;
        std::string where(sourceName_);
        if (line > 0) where += ", line " + std::to_string(line);
        if (!element.empty()) where += ", <" + std::string(element) + ">";
        problem_ = PatternFileError(ErrorNumber::InvalidProcedureCall, kProcedure, line, where + ": " + what);
        XML_StopParser(parser_.get(), XML_FALSE);
    }
    void Fail(const std::string& what) { Fail(what, path_.empty() ? "" : path_.back(), Line()); }
    std::optional<std::int64_t> Number(std::string_view text, const std::string& what) {
        const auto number = WholeNumber(text);
        if (!number) Fail(what + " \"" + std::string(Trimmed(text)) + "\" is not a whole number");
        return number;
    }
    // The element's path below <Pattern>, as "Cards/Card/Holes/Colour".
    bool At(std::string_view inside) const { return inside_ == inside; }

    void Start(const XML_Char* name, Attributes attributes) {
        path_.emplace_back(name);
        // elements deeper than any the pattern is read from are passed over without building
        // their path, so deep nesting costs no more than long
        if (path_.size() > kDeepestKnown) return;
        if (path_.size() == 1) {
            if (path_[0] != "TWData") Fail("not a Guntram's Tabletweaving Thingy pattern (no <TWData>)");
            sawRoot_ = true;
            return;
        }
        if (path_.size() == 2) {
            if (path_[1] == "Source") Collect();
            if (path_[1] != "Pattern") return;
            sawPattern_ = true;
            patternLine_ = Line();
            const char* type = Attribute(attributes, "Type");
            const std::string kind = type ? type : "";
            // the program has written both spellings of its double-faced type
            if (kind == "DoubleFace" || kind == "Doubleface") {
                chart_.emplace().weave = ChartWeave::DoubleFaced;
            } else if (kind == "BrokenTwill") {
                chart_.emplace().weave = ChartWeave::BrokenTwill;
            } else if (kind != "Threaded-in" && kind != "Threaded") {
                Fail("\"" + kind +
                     "\" is not a pattern type Tessaly weaves (\"Threaded-in\", \"DoubleFace\" or "
                     "\"BrokenTwill\")");
            }
            return;
        }
        if (path_[1] != "Pattern") return;
        inside_ = Inside();
        if (At("Cards/Card") && sawPicks_) return Fail("a card comes after the picks");
        if (At("Name") || At("Notes") || At("Cards/Card/Holes/Colour") ||
            At("Cards/Card/Threading") || At("Palette/Colour") || At("Packs/Pack/Cards") ||
            At("BackgroundTwill") || ChartLayer())
            Collect();
        if (At("Cards")) {
            cardsLine_ = Line();
        } else if (At("Cards/Card")) {
            StartCard(attributes);
        } else if (At("Palette/Colours/Colour")) {
            // the later files keep each colour in an attribute
            const char* colour = Attribute(attributes, "Colour");
            if (colour == nullptr) return Fail("has no Colour attribute");
            SetColour(colour);
        } else if (At("Packs/Pack")) {
            const char* packName = Attribute(attributes, "Name");
            pack_ = &packs_[packName ? packName : ""];
        } else if (At("Picks")) {
            sawPicks_ = true;
        } else if (At("Picks/Pick")) {
            if (pattern_.sThreaded.empty()) Fail("the picks come before the cards");
            actions_.assign(pattern_.sThreaded.size(), CardAction{});
        } else if (At("Picks/Pick/Actions/Action")) {
            Act(attributes);
        }
    }

    void End() {
        if (path_.size() > kDeepestKnown) {
            path_.pop_back();
            return;
        }
        const std::string text = collecting_ ? std::move(text_) : std::string();
        collecting_ = false;
        text_.clear();
        if (path_.size() == 2 && path_[1] == "Source" && Trimmed(text) != kSource)
            Fail("names \"" + std::string(Trimmed(text)) + "\", not " + kSource);
        if (path_.size() > 2 && path_[1] == "Pattern") {
            if (At("Name")) {
                pattern_.name = std::string(Trimmed(text));
            } else if (At("Notes")) {
                pattern_.notes = std::string(Trimmed(text));
                std::erase(pattern_.notes, '\r');
            } else if (At("Cards/Card/Holes/Colour")) {
                if (const auto index = Number(text, "the colour index")) colours_.push_back({*index, Line()});
            } else if (At("Cards/Card/Threading")) {
                threading_ = std::string(Trimmed(text));
            } else if (At("Cards/Card")) {
                EndCard();
            } else if (At("Palette/Colour")) {
                SetColour(text);
            } else if (At("Packs/Pack/Cards")) {
                AddToPack(text);
            } else if (At("Picks/Pick")) {
                EndPick();
            } else if (At("BackgroundTwill")) {
                backgroundTwill_ = std::string(Trimmed(text));
            } else if (std::map<std::int64_t, ReadChartRow>* layer = ChartLayer()) {
                AddChartRow(*layer, text);
            }
        }
        path_.pop_back();
        inside_ = Inside();
    }

    void Collect() {
        collecting_ = true;
        text_.clear();
    }
    std::string Inside() const {
        std::string inside;
        for (std::size_t i = 2; i < path_.size(); ++i) inside += (i > 2 ? "/" : "") + path_[i];
        return inside;
    }

    // The chart layer a <Data>, <LongFloats> or <Reversals> row ("P1", "P2"...) belongs to.
    std::map<std::int64_t, ReadChartRow>* ChartLayer() {
        if (path_.size() != 4 || path_[3].size() < 2 || path_[3][0] != 'P') return nullptr;
        if (path_[2] == "Data") return &chartRows_[0];
        if (path_[2] == "LongFloats") return &chartRows_[1];
        if (path_[2] == "Reversals") return &chartRows_[2];
        return nullptr;
    }
    void AddChartRow(std::map<std::int64_t, ReadChartRow>& layer, const std::string& text) {
        const auto number = WholeNumber(std::string_view(path_[3]).substr(1));
        if (!number || *number < 1) return Fail("is not a row of the chart (P1, P2...)");
        if (!layer.emplace(*number, ReadChartRow{std::string(Trimmed(text)), Line()}).second)
            Fail("a second row " + path_[3]);
    }

    void StartCard(Attributes attributes) {
        if (pattern_.sThreaded.size() >= static_cast<std::size_t>(kMostCards))
            Fail(TooManyTablets(static_cast<std::int64_t>(pattern_.sThreaded.size()) + 1));
        colours_.clear();
        threading_.clear();
        holeCount_.reset();
        if (const char* holes = Attribute(attributes, "Holes")) holeCount_ = Number(holes, "Holes");
        cardLine_ = Line();
    }
    void EndCard() {
        const std::int64_t holes = holeCount_.value_or(static_cast<std::int64_t>(colours_.size()));
        if (!WeavableHoles(holes)) return Fail(UnweavableHoles(holes), "Card", cardLine_);
        if (colours_.size() != static_cast<std::size_t>(holes))
            return Fail("names " + std::to_string(colours_.size()) + " holes' colours, not " +
                            std::to_string(holes),
                        "Card", cardLine_);
        // the pattern's cards are all alike: the first card's count is the pattern's
        if (pattern_.sThreaded.empty())
            pattern_.holes.assign(static_cast<std::size_t>(holes), {});
        else if (pattern_.holes.size() != static_cast<std::size_t>(holes))
            return Fail("has " + std::to_string(holes) + " holes, but card 1 has " +
                            std::to_string(pattern_.holes.size()) +
                            ": Tessaly weaves cards all alike",
                        "Card", cardLine_);
        if (threading_ != "S" && threading_ != "Z")
            return Fail("\"" + threading_ + "\" is neither S nor Z", "Threading", cardLine_);
        for (std::size_t h = 0; h < static_cast<std::size_t>(holes); ++h) {
            pattern_.holes[h].push_back(static_cast<std::int32_t>(colours_[h].first));
            colourLines_.push_back(colours_[h].second);
        }
        pattern_.sThreaded.push_back(threading_ == "S");
    }

    void SetColour(const std::string& text) {
        // The palette is taken in the order of the file: the program numbers it from 1 in its
        // Index attributes while a hole names a place counted from 0, and reads it in order.
        if (paletteIndex_ >= 256) return Fail("the palette has more than 256 colours");
        const auto value = Number(text, "the colour");
        if (!value) return;
        if (*value < 0 || *value > 0xFFFFFF) return Fail(std::to_string(*value) + " is not a colour");
        auto& palette = pattern_.palette;
        if (static_cast<std::size_t>(paletteIndex_) >= palette.size())
            palette.resize(static_cast<std::size_t>(paletteIndex_) + 1, 0xFFFFFF);
        palette[static_cast<std::size_t>(paletteIndex_)] = static_cast<std::int32_t>(*value);
        ++paletteIndex_;
    }

    void AddToPack(const std::string& text) {
        std::stringstream list(text);
        std::string number;
        while (std::getline(list, number, ',')) {
            if (Trimmed(number).empty()) continue;
            const auto card = Number(number, "the card number");
            if (!card) return;
            // the cards are all listed before the packs
            if (*card < 1 || *card > static_cast<std::int64_t>(pattern_.sThreaded.size()))
                return Fail("card " + std::to_string(*card) + " is not one of the " +
                            std::to_string(pattern_.sThreaded.size()) + " cards");
            pack_->push_back(static_cast<std::size_t>(*card - 1));
        }
    }

    void Act(Attributes attributes) {
        const auto text = [&](const char* name) {
            const char* value = Attribute(attributes, name);
            return std::string(value ? value : "");
        };
        const std::string target = text("Target"), id = text("TargetID"), direction = text("Dir");
        const std::size_t cards = pattern_.sThreaded.size();
        std::vector<std::size_t> single;
        const std::vector<std::size_t>* named = &single;
        if (target == "Card") {
            const auto card = Number(id, "TargetID");
            if (!card) return;
            if (*card < 1 || *card > static_cast<std::int64_t>(cards))
                return Fail("card " + std::to_string(*card) + " is not one of the " + std::to_string(cards) + " cards");
            single.push_back(static_cast<std::size_t>(*card - 1));
        } else if (target == "Pack") {
            const auto pack = packs_.find(id);
            if (pack == packs_.end()) return Fail("no pack is named \"" + id + "\"");
            named = &pack->second;
        } else {
            return Fail("Target \"" + target + "\" is neither Card nor Pack");
        }
        if (direction != "F" && direction != "B" && direction != "I" && direction != "V")
            return Fail("Dir \"" + direction + "\" is none of F, B, I and V");
        std::int64_t distance = 1;
        if (Attribute(attributes, "Dist")) {
            const auto given = Number(text("Dist"), "Dist");
            if (!given) return;
            distance = *given;
        }
        if (distance < 0 || distance > 3)
            return Fail("Dist " + std::to_string(distance) + ": a pick turns a card 0 to 3 times");
        for (const std::size_t card : *named) {
            CardAction& done = actions_[card];
            if (direction == "V") {
                done.flip = !done.flip;
            } else if (direction != "I" && distance > 0) {
                // a second turn of the same card in one pick adds to the first
                done.turns += static_cast<int>(distance);
                done.turn = direction == "F" ? Forward : Backward;
                if (done.turns > 1)
                    return Fail(OneTurnAPick(done.turns, static_cast<std::int64_t>(pattern_.picks.size()) + 1,
                                             static_cast<std::int64_t>(card + 1)));
            }
        }
    }

    void EndPick() {
        const std::size_t cards = pattern_.sThreaded.size();
        try {
            CheckBandBudget(static_cast<std::int64_t>(pattern_.picks.size()) + 2, static_cast<std::int64_t>(cards));
        } catch (const AppError& error) {
            return Fail(error.Description());
        }
        PickSteps pick(cards);
        for (std::size_t t = 0; t < cards; ++t) {
            pick[t].turn = actions_[t].turns == 0 ? Idle : actions_[t].turn;
            pick[t].flip = actions_[t].flip;
        }
        pattern_.picks.push_back(std::move(pick));
    }

    // <TWData>, <Pattern> and at most four elements below it ("Picks/Pick/Actions/Action")
    static constexpr std::size_t kDeepestKnown = 6;
    // names and notes are read up to this length; the rest is passed over
    static constexpr std::size_t kLongestText = 1 << 16;

    std::string_view sourceName_;
    std::unique_ptr<XML_ParserStruct, decltype(&XML_ParserFree)> parser_;
    std::optional<PatternFileError> problem_;
    PeerPattern pattern_ = WithWindowsColours();
    std::vector<std::string> path_;
    std::string inside_;
    bool collecting_ = false;
    std::string text_;
    bool sawRoot_ = false, sawPattern_ = false, sawPicks_ = false;
    std::int64_t patternLine_ = 0, cardsLine_ = 0, cardLine_ = 0;
    // the card being read
    std::vector<std::pair<std::int64_t, std::int64_t>> colours_;  // index, line
    std::string threading_;
    std::optional<std::int64_t> holeCount_;
    std::vector<std::int64_t> colourLines_;  // each card's four, for a colour the palette lacks
    std::int64_t paletteIndex_ = 0;  // the palette's next place
    std::map<std::string, std::vector<std::size_t>, std::less<>> packs_;
    std::vector<std::size_t>* pack_ = nullptr;
    std::vector<CardAction> actions_;
    // a chart pattern's chart, and its layers' rows as read: <Data>, <LongFloats>, <Reversals>
    std::optional<TwoColourChart> chart_;
    std::map<std::int64_t, ReadChartRow> chartRows_[3];
    std::optional<std::string> backgroundTwill_;
};

}  // namespace

PeerPattern GttFormat::Read(std::istream& in, std::string_view sourceName) {
    GttParse parse(sourceName);
    PatternReader::ReadPieces(in, sourceName,
                              [&](std::string_view piece) { parse.Feed(piece.data(), piece.size(), false); });
    parse.Feed(nullptr, 0, true);
    return parse.Finish();
}

PeerPattern GttFormat::Read(std::string_view text, std::string_view sourceName) {
    GttParse parse(sourceName);
    parse.Feed(text.data(), text.size(), true);
    return parse.Finish();
}

namespace {

// Text as XML character data: the five characters XML reserves, escaped.
std::string Escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

// What XML 1.0 can hold of a text: valid UTF-8 (a name of another encoding is taken as
// Windows-1252) without the control characters XML has no place for, even escaped.
std::string XmlSafe(std::string_view text) {
    std::string safe = IsValidUtf8(text) ? std::string(text) : Windows1252ToUtf8(text);
    std::erase_if(safe, [](char c) {
        return static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r';
    });
    return safe;
}

// The pattern's chart as the file keeps it (broken twill without the row after the last,
// which must then be the background's), or none when the picks are to be written.
std::optional<TwoColourChart> WritableChart(const PeerPattern& pattern) {
    if (!ChartWeavesPicks(pattern)) return std::nullopt;
    TwoColourChart chart = *pattern.chart;
    if (chart.weave == ChartWeave::BrokenTwill) {
        const auto blank = [](const std::vector<bool>& row) {
            return std::none_of(row.begin(), row.end(), [](bool marked) { return marked; });
        };
        if (!blank(chart.foreground.back()) || !blank(chart.longFloats.back())) return std::nullopt;
        chart.foreground.pop_back();
        chart.longFloats.pop_back();
    }
    return chart;
}

void AppendLayer(std::string& out, const char* element,
                 const std::vector<std::vector<bool>>& rows) {
    out += std::string("    <") + element + ">\n";
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const std::string name = "P" + std::to_string(r + 1);
        out += "      <" + name + ">" + ChartRowText(rows[r]) + "</" + name + ">\n";
    }
    out += std::string("    </") + element + ">\n";
}

void AppendChart(std::string& out, const TwoColourChart& chart) {
    out += "    <Width>" + std::to_string(chart.Cards()) + "</Width>\n";
    out += "    <Length>" + std::to_string(chart.Rows()) + "</Length>\n";
    AppendLayer(out, "Data", chart.foreground);
    if (chart.weave != ChartWeave::BrokenTwill) return;
    AppendLayer(out, "LongFloats", chart.longFloats);
    out += std::string("    <BackgroundTwill>") + (chart.twill == TwillDirection::S ? "S" : "Z") +
           "</BackgroundTwill>\n";
}

}  // namespace

PeerLimits GttFormat::Limits() {
    PeerLimits limits{"a Guntram's Tabletweaving Thingy pattern", kPaletteSize, true, true};
    limits.holes = [](int holes) { return WeavableHoles(holes); };
    limits.holeCounts = "of 2 to 8 holes";
    limits.notes = true;
    limits.keepsChart = [](const PeerPattern& pattern) {
        return WritableChart(pattern).has_value();
    };
    return limits;
}

std::string GttFormat::Write(const PeerPattern& pattern) {
    const PeerLimits limits = Limits();
    CheckFits(pattern, limits);
    // a card idling in its first picks is read back facing the way it first turns
    CheckFirstIdles(pattern, [&](std::size_t t) { return FirstTurnOf(pattern.picks, t); },
                    "Guntram's Tabletweaving Thingy");
    // a chart is kept as a chart when the file's chart (which has no row after the last)
    // weaves the band
    const std::optional<TwoColourChart> chart = WritableChart(pattern);
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<TWData>\n";
    out += "  <Source>" + Escaped(kSource) + "</Source>\n  <Version>1.17</Version>\n";
    out += std::string("  <Pattern Type=\"") +
           (!chart                                    ? "Threaded-in"
            : chart->weave == ChartWeave::DoubleFaced ? "DoubleFace"
                                                      : "BrokenTwill") +
           "\">\n";
    // the name as CDATA, as the program writes it, unless the name itself would end one
    const std::string name = XmlSafe(pattern.name);
    if (name.find("]]>") == std::string::npos)
        out += "    <Name><![CDATA[" + name + "]]></Name>\n";
    else
        out += "    <Name>" + Escaped(name) + "</Name>\n";
    out += "    <Notes>" + Escaped(XmlSafe(pattern.notes)) + "</Notes>\n";
    out += "    <Cards Count=\"" + std::to_string(pattern.sThreaded.size()) + "\">\n";
    for (std::size_t t = 0; t < pattern.sThreaded.size(); ++t) {
        const std::string holes = std::to_string(pattern.Holes());
        out += "      <Card Number=\"" + std::to_string(t + 1) + "\" Holes=\"" + holes + "\">\n";
        out += "        <Holes Count=\"" + holes + "\">";
        for (const std::vector<std::int32_t>& hole : pattern.holes)
            out += "<Colour>" + std::to_string(hole.at(t)) + "</Colour>";
        out += "</Holes>\n";
        out += std::string("        <Threading>") + (pattern.sThreaded[t] ? "S" : "Z") + "</Threading>\n";
        out += "      </Card>\n";
    }
    out += "    </Cards>\n";
    out += "    <Palette Size=\"" + std::to_string(kPaletteSize) + "\">\n";
    // numbered from 1, as the program numbers its palette
    const std::vector<std::int32_t> palette = PaletteOfFormat(pattern, limits);
    for (std::size_t i = 0; i < kPaletteSize; ++i)
        out += "      <Colour Index=\"" + std::to_string(i + 1) + "\">" +
               // a colour keeps its red, green and blue: the program reads no more
               std::to_string(i < palette.size() ? palette[i] & 0xFFFFFF : kWindowsColours[i]) +
               "</Colour>\n";
    out += "    </Palette>\n";
    if (chart) {
        AppendChart(out, *chart);
        out += "  </Pattern>\n</TWData>\n";
        return out;
    }
    out += "    <Packs></Packs>\n";
    out += "    <Picks Count=\"" + std::to_string(pattern.picks.size()) + "\">\n";
    for (std::size_t p = 0; p < pattern.picks.size(); ++p) {
        out += "      <Pick Index=\"" + std::to_string(p) + "\">\n        <Actions>\n";
        const auto act = [&](std::size_t card, const char* direction, int distance) {
            out += "          <Action Type=\"Turn\" Target=\"Card\" TargetID=\"" + std::to_string(card + 1) +
                   "\" Dir=\"" + direction + "\" Dist=\"" + std::to_string(distance) + "\"/>\n";
        };
        for (std::size_t t = 0; t < pattern.picks[p].size(); ++t) {
            const CardStep& step = pattern.picks[p][t];
            if (step.flip) act(t, "V", 1);
            if (step.turn == Idle)
                act(t, "I", 0);
            else
                act(t, step.turn == Forward ? "F" : "B", 1);
        }
        out += "        </Actions>\n      </Pick>\n";
    }
    out += "    </Picks>\n  </Pattern>\n</TWData>\n";
    return out;
}

}  // namespace tessaly
