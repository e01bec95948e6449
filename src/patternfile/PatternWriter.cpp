#include "PatternWriter.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "PatternReader.h"
#include "TextCodec.h"
#include "errors/AppError.h"

namespace tessaly {

namespace {

void AppendNumber(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// A row's cards in the order of their places: the order the reader asks for. The reverse face
// keeps its cards in deck order with their places mirrored.
std::vector<const Card*> ByPosition(const Cards& deck) {
    std::vector<const Card*> cards;
    cards.reserve(static_cast<std::size_t>(deck.Count()));
    for (const Card& card : deck) cards.push_back(&card);
    std::stable_sort(cards.begin(), cards.end(),
                     [](const Card* a, const Card* b) { return a->Position() < b->Position(); });
    return cards;
}

bool SameStoredFields(const Card& a, const Card& b) {
    return a.Position() == b.Position() && a.Turn() == b.Turn() && a.Holes() == b.Holes() &&
           a.Colors() == b.Colors() && a.Thread() == b.Thread() && a.HoleOrder() == b.HoleOrder() &&
           a.Pack() == b.Pack();
}

[[noreturn]] void Refuse(const std::string& why) {
    throw AppError(ErrorNumber::InvalidProcedureCall, "The pattern cannot be saved: " + why);
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

void AppendDataLine(std::string& out, std::int32_t rowKey, const Card& card) {
    AppendNumber(out, rowKey);
    std::int64_t fields[6 + kMaxHoles];
    std::size_t count = 0;
    fields[count++] = card.Position();
    fields[count++] = card.Turn();
    for (int hole = 0; hole < card.Holes(); ++hole) fields[count++] = card.Color(hole);
    fields[count++] = card.Thread();
    fields[count++] = card.HoleOrder();
    fields[count++] = card.Pack();
    for (std::size_t i = 0; i < count; ++i) {
        out += ", ";
        AppendNumber(out, fields[i]);
    }
    out += "\r\n";
}

void AppendDecimal(std::string& out, double value) {
    char digits[32];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

// The texts the file holds, as the file's encoding has them: Windows-1252 when every one fits
// in it, otherwise nothing (the file is UTF-8 then).
class FileTexts {
  public:
    FileTexts(const PatternTexts& texts, const PatternExtras& extras) {
        ansi_ = Fits(texts.BandName) && Fits(texts.TurnSequence) && Fits(extras.notes) &&
                (!extras.warp || Fits(extras.warp->unit));
        for (const PaletteColor& entry : extras.palette) ansi_ = ansi_ && Fits(entry.name);
        // a name whose first bytes would read as a byte-order mark must be written as UTF-8
        ansi_ = ansi_ && Encoded(texts.BandName).substr(0, kUtf8Bom.size()) != kUtf8Bom;
    }
    bool Ansi() const { return ansi_; }
    std::string Encoded(const std::string& text) const {
        return ansi_ ? Utf8ToWindows1252(text).value_or(text) : text;
    }

  private:
    static bool Fits(const std::string& text) { return Utf8ToWindows1252(text).has_value(); }
    bool ansi_ = true;
};

// A chart band's chart: its kind, then its rows (the first woven first) and broken twill's
// long floats, a cell a card.
void AppendChart(std::string& out, const TwoColourChart& chart) {
    if (chart.weave == ChartWeave::DoubleFaced) {
        out += "Chart = double faced\r\n";
    } else {
        out +=
            std::string("Chart = broken twill, ") + (chart.twill == TwillDirection::S ? "S" : "Z");
        if (chart.weavingStartRow != 1) out += ", " + std::to_string(chart.weavingStartRow);
        out += "\r\n";
    }
    const auto rows = [&](const char* label, const std::vector<std::vector<bool>>& layer) {
        for (const std::vector<bool>& row : layer) out += label + ChartRowText(row) + "\r\n";
    };
    rows("Chart row = ", chart.foreground);
    if (chart.weave == ChartWeave::BrokenTwill) rows("Long floats = ", chart.longFloats);
}

// The extras after the card lines, each on a labelled line; nothing for a pattern that uses
// none of them.
void AppendExtras(std::string& out, const PatternExtras& extras, const FileTexts& file) {
    for (const PaletteColor& entry : extras.palette) {
        out += "Palette = ";
        AppendNumber(out, entry.color);
        if (!entry.name.empty()) out += ", " + file.Encoded(entry.name);
        out += "\r\n";
    }
    if (extras.weft) {
        out += "Weft = ";
        AppendNumber(out, *extras.weft);
        out += "\r\n";
    }
    if (extras.warp) {
        out += "Warp = ";
        AppendDecimal(out, extras.warp->length);
        out += ", " + file.Encoded(extras.warp->unit) + ", ";
        AppendDecimal(out, extras.warp->takeUpPercent);
        out += "\r\n";
    }
    for (const std::string_view line : extras.NoteLines())
        out += "Notes = " + file.Encoded(std::string(line)) + "\r\n";
    if (extras.chart) AppendChart(out, *extras.chart);
}

}  // namespace

std::string PatternWriter::Format(const PatternTexts& texts, const Band& band,
                                  const PatternExtras& extras) {
    const FileTexts file(texts, extras);
    std::string out;
    if (!file.Ansi()) out += kUtf8Bom;
    out += file.Encoded(texts.BandName);
    out += "\r\n";
    static constexpr const char* kLabels[4] = {"Main", "Design", "Display", "Weave"};
    for (std::size_t w = 0; w < 4; ++w) {
        const WindowValue& value = texts.Windows[w];
        out += kLabels[w];
        for (std::int64_t field :
             {std::int64_t{value.State}, std::int64_t{value.Top}, std::int64_t{value.Left},
              std::int64_t{value.Width}, std::int64_t{value.Height}}) {
            out += ", ";
            AppendNumber(out, field);
        }
        out += "\r\n";
    }
    out += "Turn sequence = ";
    out += file.Encoded(texts.TurnSequence);
    out += "\r\n";
    // a band's cards all have as many holes as its first
    const int holes = band.Count() > 0 && band.At(1).Cards().Count() > 0
                          ? band.At(1).Cards().At(1).Holes()
                          : kHoles;
    out += PatternReader::ColumnHeader(holes);
    out += "\r\n";
    for (const Row& row : band) {
        for (const Card* card : ByPosition(row.Cards())) AppendDataLine(out, row.Number(), *card);
        if (!texts.TurnSequence.empty()) break;  // the rest is woven again from the threading
    }
    AppendExtras(out, extras, file);
    return out;
}

std::string PatternWriter::FormatForSaving(const PatternTexts& texts, const Band& band,
                                           const PatternExtras& extras) {
    if (band.Count() == 0) Refuse("the band has no rows.");
    if (HasLineBreak(texts.BandName)) Refuse("the band name holds a line break.");
    if (HasLineBreak(texts.TurnSequence)) Refuse("the turning sequence holds a line break.");
    if (extras.notes.find('\r') != std::string::npos) Refuse("the notes hold a carriage return.");
    std::string bytes = Format(texts, band, extras);

    // what is written must read back as the same pattern
    PatternData read;
    try {
        read = PatternReader::Parse(bytes, "the file to be saved");
    } catch (const AppError& error) {
        Refuse(error.Description());
    }
    if (read.BandName != texts.BandName) Refuse("the band name would not read back as it is.");
    if (read.TurnSequence != texts.TurnSequence)
        Refuse("the turning sequence would not read back as it is (blanks at its ends?).");
    if (read.Extras != extras)
        Refuse(
            "the palette, the weft, the warp, the notes or the chart would not read back as they "
            "are "
            "(a line break in a colour's name, blanks at its ends?).");
    const std::int32_t rows = texts.TurnSequence.empty() ? band.Count() : 1;
    if (read.Rows->Count() != rows) Refuse("its rows would not read back as they are.");
    for (std::int32_t r = 1; r <= rows; ++r) {
        const auto written = ByPosition(band.At(r).Cards());
        const Cards& back = read.Rows->At(r).Cards();
        if (static_cast<std::int32_t>(written.size()) != back.Count())
            Refuse("row " + std::to_string(r) + " would not read back as it is.");
        for (std::int32_t c = 1; c <= back.Count(); ++c)
            if (!SameStoredFields(*written[static_cast<std::size_t>(c - 1)], back.At(c)))
                Refuse("row " + std::to_string(r) + " would not read back as it is.");
    }
    return bytes;
}

}  // namespace tessaly
