#include "PatternReader.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <utility>
#include <vector>

#include "PatternError.h"
#include "TextCodec.h"
#include "errors/Numeric.h"

namespace tessaly {

namespace {

// Hands out the file's lines one by one (CR LF or LF ends), counting them from 1, from text in
// memory or from a stream read a piece at a time (a file, a pipe, a FIFO: nothing needs to
// know its size). A line handed out stays valid until the next line is asked for.
class LineSource {
  public:
    LineSource(std::string_view content, std::string_view sourceName)
        : content_(content), sourceName_(sourceName) {}
    LineSource(std::istream& in, std::string_view sourceName, std::uintmax_t maxBytes)
        : sourceName_(sourceName), in_(&in), buffer_(std::make_unique_for_overwrite<char[]>(kBufferBytes)), maxBytes_(maxBytes) {
        Refill();
    }

    bool AtEnd() {
        if (pos_ >= content_.size()) Refill();
        return pos_ >= content_.size();
    }
    std::int64_t LineNumber() const { return lineNumber_; }

    // Skips a UTF-8 byte-order mark at the start; says whether there was one.
    bool SkipUtf8Bom() {
        if (content_.substr(0, kUtf8Bom.size()) != kUtf8Bom) return false;
        pos_ = kUtf8Bom.size();
        return true;
    }

    std::string_view Next() {
        const std::size_t end = EnsureWholeLine();
        const std::size_t stop = end == std::string_view::npos ? content_.size() : end;
        std::string_view line = content_.substr(pos_, stop - pos_);
        current_ = line;
        pos_ = end == std::string_view::npos ? content_.size() : end + 1;
        ++lineNumber_;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.size() > PatternReader::kMaxLineLength)
            Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                 "the line is longer than " + std::to_string(PatternReader::kMaxLineLength) +
                     " characters");
        return line;
    }

    // Reads the next line at once when it is a plain card line: `count` whole numbers of at
    // most 18 digits each, separated by commas, with blanks around them. Anything else is left
    // for the careful reading, which explains what is wrong with it. Lines of four-hole cards,
    // almost every file's, are read with their count known to the compiler.
    bool TryPlainDataLine(std::array<std::int64_t, 14>& values, std::size_t count) {
        return count == 10 ? TryPlainFields(values, std::integral_constant<std::size_t, 10>())
                           : TryPlainFields(values, count);
    }

  private:
    template <class Count>
    bool TryPlainFields(std::array<std::int64_t, 14>& values, Count count) {
        // Read from a stream, the buffer keeps a zero after its text, which stops every loop
        // below as a line end does (neither is a blank, a digit or a comma): a line that runs
        // into it is read carefully, after the next piece was read. Text handed in has no
        // such end, so its line end is looked for first.
        std::size_t newline = std::string_view::npos;
        if (in_ == nullptr) {
            newline = content_.find('\n', pos_);
            // a last line without its line end is read carefully
            if (newline == std::string_view::npos) return false;
        }
        const char* const start = content_.data() + pos_;
        const char* p = start;
        const auto skipBlanks = [&p] {
            // mostly one blank after each comma, none before it
            while (*p == ' ' || *p == '\t') ++p;
        };
        for (std::size_t field = 0; field < count; ++field) {
            skipBlanks();
            const bool negative = *p == '-';
            if (negative || *p == '+') ++p;
            const char* const digits = p;
            std::uint64_t value = 0;
            for (unsigned digit; (digit = static_cast<unsigned char>(*p) - 48u) < 10u; ++p)
                value = value * 10 + digit;
            // no digit, or beyond 18 digits where an int64 could overflow: the careful reading
            // says what is wrong (one unsigned test for both)
            if (static_cast<std::size_t>(p - digits) - 1 > 17) return false;
            if (*p != ',') skipBlanks();
            const auto number = static_cast<std::int64_t>(value);
            values[field] = negative ? -number : number;
            if (field + 1 < count) {
                if (*p != ',') return false;
                ++p;
            }
        }
        if (*p == '\r') ++p;
        if (*p != '\n' || (in_ == nullptr && p != content_.data() + newline)) return false;
        // an overlong line is the careful reading's to reject, as every other line is
        if (static_cast<std::size_t>(p - start) > PatternReader::kMaxLineLength) return false;
        current_ = std::string_view(start, static_cast<std::size_t>(p - start));
        pos_ = static_cast<std::size_t>(p - content_.data()) + 1;
        ++lineNumber_;
        return true;
    }

  public:
    // The line read last, for messages that quote it.
    std::string_view CurrentLine() const { return current_; }

    [[noreturn]] void Fail(ErrorNumber number, const char* procedure, const std::string& what,
                           std::int64_t line = -1) const {
        if (line < 0) line = lineNumber_;
        throw PatternFileError(
            number, procedure, line,
            std::string(sourceName_) + ", line " + std::to_string(line) + ": " + what);
    }

    // For a line the file lacks: names the line that should have come next.
    [[noreturn]] void FailMissing(const std::string& what) const {
        Fail(ErrorNumber::InputPastEndOfFile, "ProcessFile", what, lineNumber_ + 1);
    }

  private:
    static constexpr std::size_t kPiece = std::size_t{1} << 20;
    // what is kept of a line begun (at most a line and its end), a piece, and a zero
    static constexpr std::size_t kBufferBytes = PatternReader::kMaxLineLength + 2 + kPiece + 1;

    // Reads on until the buffer holds the whole next line, the rest of the input, or more
    // than a line may hold (which Next then reports). Gives where the line ends, if it does.
    std::size_t EnsureWholeLine() {
        std::size_t newline = content_.find('\n', pos_);
        while (in_ != nullptr && newline == std::string_view::npos &&
               content_.size() - pos_ <= PatternReader::kMaxLineLength + 2 && Refill())
            newline = content_.find('\n', pos_);
        return newline;
    }

    // Keeps what is not read yet and reads the next piece of the stream after it, with a zero
    // after that; false at its end. The buffer is made once, its size fixed.
    bool Refill() {
        if (in_ == nullptr || !*in_) return false;
        const std::size_t kept = content_.size() - pos_;
        std::memmove(buffer_.get(), buffer_.get() + pos_, kept);
        pos_ = 0;
        const std::size_t room = std::min(kPiece, kBufferBytes - 1 - kept);
        in_->read(buffer_.get() + kept, static_cast<std::streamsize>(room));
        const auto got = static_cast<std::size_t>(in_->gcount());
        buffer_[kept + got] = '\0';
        content_ = std::string_view(buffer_.get(), kept + got);
        bytesRead_ += got;
        PatternReader::CheckRead(*in_, bytesRead_, sourceName_, lineNumber_, maxBytes_);
        return got > 0;
    }

    std::string_view content_;
    std::string_view sourceName_;
    std::size_t pos_ = 0;
    std::int64_t lineNumber_ = 0;
    std::string_view current_;
    std::istream* in_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::uintmax_t bytesRead_ = 0;
    std::uintmax_t maxBytes_ = 0;
};

// Splits at the bare comma, as many fields as there are.
void SplitFields(std::string_view line, std::vector<std::string_view>& out) {
    out.clear();
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            out.push_back(line.substr(start));
            return;
        }
        out.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

bool IsBlank(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

std::string Shown(std::string_view text) {
    constexpr std::size_t kShown = 40;
    text = Trimmed(text, " \t");
    std::string shown(text.substr(0, kShown));
    for (char& c : shown)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
    return "'" + shown + (text.size() > kShown ? "...'" : "'");
}

// A number read from a field, still unchecked for its width.
std::int64_t ParseField(const LineSource& lines, const char* procedure, std::string_view field,
                        const char* name) {
    const auto value = ParseRoundedInteger(field);
    if (!value)
        lines.Fail(ErrorNumber::TypeMismatch, procedure,
                   std::string(name) + " " + Shown(field) + " is not a number");
    return *value;
}

// Messages quote a field as the file has it, not the number it was read as.
[[noreturn, gnu::noinline, gnu::cold]] void FailWidth(const LineSource& lines,
                                                      const char* procedure, std::string_view field,
                                                      const char* name, int bits) {
    lines.Fail(ErrorNumber::Overflow, procedure,
               std::string(name) + " " + Shown(field) + " does not fit in " + std::to_string(bits) +
                   " bits");
}

// Field i of the line read last: card lines are read as numbers first, and quoted only when
// one is wrong.
[[noreturn, gnu::noinline, gnu::cold]] void FailWidth(const LineSource& lines,
                                                      const char* procedure, std::size_t i,
                                                      const char* name, int bits) {
    std::vector<std::string_view> fields;
    SplitFields(lines.CurrentLine(), fields);
    FailWidth(lines, procedure, i < fields.size() ? fields[i] : std::string_view(), name, bits);
}

inline bool FitsIn(std::int64_t value, int bits) {
    const std::int64_t low = bits == 16 ? INT16_MIN : INT32_MIN;
    const std::int64_t high = bits == 16 ? INT16_MAX : INT32_MAX;
    return value >= low && value <= high;
}

// Field i of a card line, at the given width (16 or 32 bits).
inline std::int32_t CheckWidth(const LineSource& lines, const char* procedure, std::int64_t value,
                               std::size_t i, const char* name, int bits) {
    if (!FitsIn(value, bits)) FailWidth(lines, procedure, i, name, bits);
    return static_cast<std::int32_t>(value);
}

// Reads one numeric field at the given width (16 or 32 bits).
std::int32_t ReadNumber(const LineSource& lines, const char* procedure, std::string_view field,
                        const char* name, int bits) {
    const std::int64_t value = ParseField(lines, procedure, field, name);
    if (!FitsIn(value, bits)) FailWidth(lines, procedure, field, name, bits);
    return static_cast<std::int32_t>(value);
}

// A card line's numbers: row, position, turn, a colour for each hole, thread, hole order and
// pack, for cards of up to eight holes.
using DataFields = std::array<std::int64_t, 14>;

// Where the fields after the colours stand on a line of cards with so many holes.
struct CardLayout {
    int holes = kHoles;
    std::size_t Thread() const { return 3 + static_cast<std::size_t>(holes); }
    std::size_t HoleOrder() const { return Thread() + 1; }
    std::size_t Pack() const { return Thread() + 2; }
    std::size_t Fields() const { return Thread() + 3; }
    std::string ColorName(std::size_t field) const {
        return std::string(1, static_cast<char>('A' + (field - 3))) + "Color";
    }
    std::string FieldName(std::size_t field) const {
        if (field >= 3 && field < Thread()) return ColorName(field);
        static constexpr const char* kNames[3] = {"Row", "Position", "Turn"};
        if (field < 3) return kNames[field];
        return field == Thread() ? "Thread" : field == HoleOrder() ? "HoleOrder" : "Pack";
    }
    // "Row, Position, Turn, AColor, ..., Thread, HoleOrder, Pack"
    std::string Header() const {
        std::string names;
        for (std::size_t field = 0; field < Fields(); ++field)
            names += (field == 0 ? "" : ", ") + FieldName(field);
        return names;
    }
};

// The careful reading of a card line, naming the field that is not a number.
void ParseDataFields(const LineSource& lines, const std::vector<std::string_view>& fields,
                     const CardLayout& layout, DataFields& values) {
    values[0] = ParseField(lines, "ProcessFile", fields[0], "row number");
    if (fields.size() < layout.Fields())
        lines.Fail(ErrorNumber::SubscriptOutOfRange, "NewCard",
                   "a card line needs " + std::to_string(layout.Fields()) + " fields (" +
                       layout.Header() + "), found " + std::to_string(fields.size()));
    for (std::size_t i = 1; i < layout.Fields(); ++i)
        values[i] = ParseField(lines, "NewCard", fields[i], layout.FieldName(i).c_str());
}

std::string TrimBlanks(std::string_view text) {
    const std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string_view::npos) return {};
    const std::size_t end = text.find_last_not_of(' ');
    return std::string(text.substr(begin, end - begin + 1));
}

void ReadWindowValues(LineSource& lines, WindowValues& windows,
                      std::vector<std::string_view>& fields) {
    static constexpr const char* kLabels[4] = {"Main", "Design", "Display", "Weave"};
    for (int w = 0; w < 4; ++w) {
        if (lines.AtEnd()) lines.FailMissing("the file ends before the window lines");
        SplitFields(lines.Next(), fields);
        if (fields.size() < 6)
            lines.Fail(ErrorNumber::SubscriptOutOfRange, "ReadWindowValues",
                       std::string(kLabels[w]) +
                           " window line needs six fields: label, state, top, left, width, "
                           "height");
        WindowValue value;
        value.State = static_cast<std::int16_t>(
            ReadNumber(lines, "ReadWindowValues", fields[1], "window state", 16));
        value.Top = std::max(ReadNumber(lines, "ReadWindowValues", fields[2], "top", 32), 0);
        value.Left = std::max(ReadNumber(lines, "ReadWindowValues", fields[3], "left", 32), 0);
        value.Width = ReadNumber(lines, "ReadWindowValues", fields[4], "width", 32);
        value.Height = ReadNumber(lines, "ReadWindowValues", fields[5], "height", 32);
        windows[static_cast<std::size_t>(w)] = value;
    }
}

// Whether x lies in [low, high]; the fields hold at most 18 digits, so nothing overflows.
constexpr bool Within(std::int64_t x, std::int64_t low, std::int64_t high) {
    return static_cast<std::uint64_t>(x - low) <= static_cast<std::uint64_t>(high - low);
}

// Whether every field of a card line fits its width and holds a value a card may have,
// tested at once: almost every line does, and only one that does not is looked at field by
// field.
inline bool IsPlainCard(const DataFields& v, const CardLayout& layout,
                        std::int32_t expectedPosition) {
    bool colors = true;
    for (std::size_t i = 3; i < layout.Thread(); ++i)
        colors &= Within(v[i], Card::kNoThread, INT32_MAX);
    return (v[1] == expectedPosition) & Within(v[1], INT16_MIN, INT16_MAX) & Within(v[2], 0, 2) &
           colors & Within(v[layout.Thread()], 0, 1) &
           Within(v[layout.HoleOrder()], 0, layout.holes - 1) &
           Within(v[layout.Pack()], INT16_MIN, INT16_MAX);
}

// Says what is wrong with a card line IsPlainCard refused, the first fault in field order.
[[noreturn, gnu::noinline, gnu::cold]] void FailCard(const LineSource& lines,
                                                     const DataFields& values,
                                                     const CardLayout& layout,
                                                     std::int32_t expectedPosition,
                                                     bool descending) {
    for (std::size_t i = 1; i < layout.Fields(); ++i) {
        const int bits = i == 1 || i == 2 || i >= layout.Thread() ? 16 : 32;
        CheckWidth(lines, "NewCard", values[i], i, layout.FieldName(i).c_str(), bits);
    }
    if (values[1] != expectedPosition)
        lines.Fail(ErrorNumber::InvalidProcedureCall, "NewCard",
                   "Position " + std::to_string(values[1]) + " is out of order: cards of a row " +
                       (descending ? "are numbered from the last down to 1, as row 1 lists them, "
                                   : "are numbered 1, 2, 3 ... ") +
                       "and this one should be " + std::to_string(expectedPosition));
    if (values[2] < Forward || values[2] > Idle)
        lines.Fail(ErrorNumber::InvalidProcedureCall, "NewCard",
                   "Turn must be 0 (forward), 1 (backward) or 2 (idle), not " +
                       std::to_string(values[2]));
    for (std::size_t i = 3; i < layout.Thread(); ++i)
        if (values[i] < Card::kNoThread)
            lines.Fail(ErrorNumber::InvalidProcedureCall, "NewCard",
                       layout.ColorName(i) +
                           " must be a colour (0 to 16777215) or -1 (no thread), not " +
                           std::to_string(values[i]));
    const std::int64_t thread = values[layout.Thread()];
    if (thread != 0 && thread != 1)
        lines.Fail(ErrorNumber::InvalidProcedureCall, "NewCard",
                   "Thread must be 0 (Z) or 1 (S), not " + std::to_string(thread));
    lines.Fail(ErrorNumber::InvalidProcedureCall, "NewCard",
               "HoleOrder must be 0 to " + std::to_string(layout.holes - 1) + ", not " +
                   std::to_string(values[layout.HoleOrder()]));
}

// Appends the card of one data line to the deck, after checking every field.
inline void NewCard(const LineSource& lines, const DataFields& values, const CardLayout& layout,
                    Cards& deck, std::int32_t expectedPosition, bool descending) {
    if (!IsPlainCard(values, layout, expectedPosition))
        FailCard(lines, values, layout, expectedPosition, descending);
    const auto field = [&values](std::size_t i) { return static_cast<std::int32_t>(values[i]); };
    HoleColors colors{field(3), field(4), field(5), field(6)};
    for (int hole = kHoles; hole < layout.holes; ++hole)
        colors[static_cast<std::size_t>(hole)] = field(3 + static_cast<std::size_t>(hole));
    for (int hole = layout.holes; hole < kHoles; ++hole)
        colors[static_cast<std::size_t>(hole)] = Card::kNoThread;
    // a file's threading is kept as it stands, also a value neither S nor Z
    deck.Add(Card::Make(field(2), static_cast<std::int16_t>(values[1]), colors,
                        static_cast<ThreadDirection>(field(layout.Thread())),
                        field(layout.HoleOrder()), static_cast<std::int16_t>(values[layout.Pack()]),
                        layout.holes));
}

// The cards' holes, from the column header: one "<letter>Color" column for each. A header
// that names no colour columns is an older file's: four holes.
CardLayout LayoutOf(const LineSource& lines, std::string_view header,
                    std::vector<std::string_view>& fields) {
    SplitFields(header, fields);
    int colors = 0;
    for (const std::string_view name : fields) {
        const std::string trimmed = TrimBlanks(name);
        colors += trimmed.size() == 6 && trimmed.ends_with("Color");
    }
    if (colors == 0) return {};
    if (colors < kMinHoles || colors > kMaxHoles)
        lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                   "the column header names " + std::to_string(colors) +
                       " hole colours: a card has from 2 to 8 holes");
    return {colors};
}

std::string DecodeText(std::string_view bytes, bool utf8, const LineSource& lines) {
    if (!utf8) return Windows1252ToUtf8(bytes);
    if (!IsValidUtf8(bytes))
        lines.Fail(ErrorNumber::TypeMismatch, "ProcessFile",
                   "the file starts with a UTF-8 byte-order mark but this line is not UTF-8");
    return std::string(bytes);
}

// A colour field of a labelled line: 0x00BBGGRR, or -1 for none.
std::int32_t ColorField(const LineSource& lines, std::string_view field, const char* name) {
    const std::int64_t color = ParseField(lines, "ProcessFile", TrimBlanks(field), name);
    if (color < -1 || color > 0xFFFFFF)
        lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                   std::string(name) + " " + Shown(field) + " is not a colour (0 to 16777215)");
    return static_cast<std::int32_t>(color);
}

double DecimalField(const LineSource& lines, std::string_view field, const char* name,
                    double least) {
    const std::string text = TrimBlanks(field);
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < least)
        lines.Fail(ErrorNumber::TypeMismatch, "ProcessFile",
                   std::string(name) + " " + Shown(field) + " is not a number of " +
                       (least > 0 ? "more than 0" : "0 or more"));
    return value;
}

// The lines after the cards, each taken by its label: "Palette = colour, name" (one per
// colour, in the palette's order), "Weft = colour", "Warp = length, unit, take-up %" and
// "Notes = " followed by a line of the notes (one per line, in order).
class LabelledLines {
  public:
    LabelledLines(const LineSource& lines, bool utf8) : lines_(lines), utf8_(utf8) {}

    void Take(std::string_view line, PatternExtras& extras) {
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            lines_.Fail(ErrorNumber::TypeMismatch, "ProcessFile",
                        "expected a card line or a labelled line (\"Palette = \", \"Weft = \", "
                        "\"Warp = \", \"Notes = \", \"Chart = \"...), found " +
                            Shown(line));
        const std::string label = TrimBlanks(line.substr(0, equals));
        std::string_view value = line.substr(equals + 1);
        if (value.starts_with(' ')) value.remove_prefix(1);
        if (label == "Notes") {
            // a line of the notes keeps its blanks
            if (notesBegun_) extras.notes += '\n';
            extras.notes += DecodeText(value, utf8_, lines_);
            notesBegun_ = true;
        } else if (label == "Palette") {
            const std::size_t comma = value.find(',');
            PaletteColor entry{ColorField(lines_, value.substr(0, comma), "palette colour"), {}};
            if (comma != std::string_view::npos)
                entry.name = TrimBlanks(DecodeText(value.substr(comma + 1), utf8_, lines_));
            extras.palette.push_back(std::move(entry));
        } else if (label == "Weft") {
            Once(extras.weft.has_value(), label);
            extras.weft = ColorField(lines_, value, "weft colour");
        } else if (label == "Warp") {
            Once(extras.warp.has_value(), label);
            std::vector<std::string_view> fields;
            SplitFields(value, fields);
            if (fields.size() != 3)
                lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                            "expected \"Warp = length, unit, take-up in %\", found " + Shown(line));
            extras.warp = WarpLength{DecimalField(lines_, fields[0], "warp length", 1e-9),
                                     TrimBlanks(DecodeText(fields[1], utf8_, lines_)),
                                     DecimalField(lines_, fields[2], "take-up", 0)};
        } else if (label == "Chart") {
            TakeChart(value, extras);
        } else if (label == "Chart row" || label == "Long floats") {
            TakeChartRow(label, value, extras);
        } else {
            lines_.Fail(ErrorNumber::TypeMismatch, "ProcessFile",
                        "unknown line " + Shown(line) + " (written by a newer Tessaly?)");
        }
    }

    // After the last line: a chart names a cell for every card of the band, and broken twill
    // a long-float row for every row of the chart, and a row after the last.
    void Finish(PatternExtras& extras, std::int32_t cards) const {
        if (!extras.chart) return;
        const TwoColourChart& chart = *extras.chart;
        const auto fail = [&](const std::string& what) {
            lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile", what, chartLine_);
        };
        if (chart.foreground.empty()) fail("the chart has no \"Chart row = \" lines");
        if (chart.Cards() != cards)
            fail("the chart's rows have " + std::to_string(chart.Cards()) +
                 " cells, but the band has " + std::to_string(cards) + " cards");
        if (chart.weave == ChartWeave::BrokenTwill) {
            if (chart.longFloats.size() != chart.foreground.size())
                fail("the chart has " + std::to_string(chart.foreground.size()) + " rows but " +
                     std::to_string(chart.longFloats.size()) + " \"Long floats = \" lines");
            if (chart.Rows() < 2)
                fail("a broken twill chart has a row more than it weaves: at least 2");
            if (chart.weavingStartRow < 1 || chart.weavingStartRow > chart.Picks())
                fail("the weaving start row " + std::to_string(chart.weavingStartRow) +
                     " is not a row of the band (1 to " + std::to_string(chart.Picks()) + ")");
        }
    }

  private:
    // "Chart = double faced" or "Chart = broken twill, S|Z[, weaving start row]".
    void TakeChart(std::string_view value, PatternExtras& extras) {
        Once(extras.chart.has_value(), "Chart");
        std::vector<std::string_view> fields;
        SplitFields(value, fields);
        const std::string kind = fields.empty() ? std::string() : TrimBlanks(fields[0]);
        TwoColourChart chart;
        if (kind == "double faced" && fields.size() == 1) {
            chart.weave = ChartWeave::DoubleFaced;
        } else if (kind == "broken twill" && (fields.size() == 2 || fields.size() == 3)) {
            chart.weave = ChartWeave::BrokenTwill;
            const std::string twill = TrimBlanks(fields[1]);
            if (twill != "S" && twill != "Z")
                lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                            "the twill direction " + Shown(fields[1]) + " is neither S nor Z");
            chart.twill = twill == "S" ? TwillDirection::S : TwillDirection::Z;
            if (fields.size() == 3)
                chart.weavingStartRow = CheckWidth(
                    lines_, "ProcessFile",
                    ParseField(lines_, "ProcessFile", TrimBlanks(fields[2]), "weaving start row"),
                    1, "weaving start row", 32);
        } else {
            lines_.Fail(
                ErrorNumber::InvalidProcedureCall, "ProcessFile",
                "expected \"Chart = double faced\" or \"Chart = broken twill, S or Z\", found " +
                    Shown(value));
        }
        extras.chart = std::move(chart);
        chartLine_ = lines_.LineNumber();
    }

    // "Chart row = ..X.." or "Long floats = ..X..": a cell a card, the first row woven first.
    void TakeChartRow(const std::string& label, std::string_view value, PatternExtras& extras) {
        if (!extras.chart)
            lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                        "a \"" + label + " = \" line before the \"Chart = \" line");
        TwoColourChart& chart = *extras.chart;
        const bool floats = label == "Long floats";
        if (floats && chart.weave != ChartWeave::BrokenTwill)
            lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                        "a double-faced chart has no long floats");
        const std::string cells = TrimBlanks(value);
        std::vector<bool> row;
        for (const char cell : cells) {
            const std::optional<bool> marked = ChartCell(cell);
            if (!marked)
                lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                            "a chart cell is '.' or 'X', found " + Shown(value));
            row.push_back(*marked);
        }
        auto& layer = floats ? chart.longFloats : chart.foreground;
        const auto& first = !chart.foreground.empty() ? chart.foreground.front() : row;
        if (row.empty() || row.size() != first.size())
            lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                        "a chart row of " + std::to_string(row.size()) +
                            " cells, but the chart's first has " + std::to_string(first.size()));
        layer.push_back(std::move(row));
    }

    void Once(bool seen, const std::string& label) const {
        if (seen)
            lines_.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                        "a second \"" + label + " = \" line");
    }

    const LineSource& lines_;
    bool utf8_;
    bool notesBegun_ = false;
    std::int64_t chartLine_ = 0;
};

}  // namespace

namespace {

PatternData ParseLines(LineSource& lines, PatternReader::Reading reading) {
    const bool utf8 = lines.SkipUtf8Bom();
    std::vector<std::string_view> fields;
    PatternData data;

    auto requireLine = [&](const char* what) {
        if (lines.AtEnd())
            lines.FailMissing(std::string("the file ends before ") + what +
                              " (a pattern file has seven head lines and at least one card line)");
        return lines.Next();
    };

    data.BandName = DecodeText(requireLine("the band name"), utf8, lines);
    ReadWindowValues(lines, data.Windows, fields);
    const std::string_view sequenceLine = requireLine("the turn sequence line");
    const std::size_t equals = sequenceLine.find('=');
    if (equals == std::string_view::npos)
        lines.Fail(
            ErrorNumber::SubscriptOutOfRange, "ProcessFile",
            "expected \"Turn sequence = \" followed by the sequence, found " + Shown(sequenceLine));
    std::string_view sequence = sequenceLine.substr(equals + 1);
    sequence = sequence.substr(0, sequence.find('='));  // a further "=" and what follows is ignored
    data.TurnSequence = TrimBlanks(DecodeText(sequence, utf8, lines));
    const CardLayout layout = LayoutOf(lines, requireLine("the column header"), fields);
    const std::int64_t headerLine = lines.LineNumber();

    std::int32_t currentRow = 0;
    std::int32_t cardsPerRow = 0;  // fixed by row 1
    Cards deck;
    std::int64_t lastCardLine = 0;
    // a band saved while its reverse face showed lists every row's cards from N down to 1;
    // the first card of row 1 tells which order the file keeps
    bool descending = false;
    std::int32_t firstPosition = 1;
    auto closeRow = [&] {
        if (currentRow == 1 && descending && deck.Count() != firstPosition)
            lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                       "row 1 lists its cards from " + std::to_string(firstPosition) +
                           " down but stops before card 1",
                       lastCardLine);
        if (currentRow == 1) cardsPerRow = deck.Count();
        if (deck.Count() != cardsPerRow)
            lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                       "row " + std::to_string(currentRow) + " has " +
                           std::to_string(deck.Count()) + " cards, but row 1 has " +
                           std::to_string(cardsPerRow) + "; every row must list every card",
                       lastCardLine);
        // the deck keeps its cards in the order of their places, as every other band does:
        // the views, the writer and the other programs' formats all take card 1 first
        if (descending) {
            Cards ordered;
            ordered.Reserve(deck.Count());
            for (std::int32_t i = deck.Count(); i >= 1; --i) ordered.Add(deck.At(i));
            deck = std::move(ordered);
        }
        data.Rows->Add(std::move(deck), currentRow);
        deck = Cards();
        deck.Reserve(cardsPerRow);
    };

    DataFields values{};
    bool sawIdle = false;
    std::int64_t blankLine = 0;  // the first blank line after the last card line
    LabelledLines labelled(lines, utf8);
    bool labelsBegun = false;  // the card lines are over
    while (!lines.AtEnd()) {
        // blank lines may end the file, but not stand among the card lines
        if (reading == PatternReader::Reading::Careful || blankLine != 0 || labelsBegun ||
            !lines.TryPlainDataLine(values, layout.Fields())) {
            const std::string_view line = lines.Next();
            if (IsBlank(line) && !labelsBegun) {
                if (blankLine == 0) blankLine = lines.LineNumber();
                continue;
            }
            const std::size_t first = line.find_first_not_of(" \t");
            if (labelsBegun ||
                (currentRow > 0 && std::isalpha(static_cast<unsigned char>(line[first])))) {
                labelsBegun = true;
                if (!IsBlank(line)) labelled.Take(line, data.Extras);
                continue;
            }
            if (blankLine != 0)
                lines.Fail(ErrorNumber::TypeMismatch, "ProcessFile",
                           "blank line among the card lines", blankLine);
            SplitFields(line, fields);
            ParseDataFields(lines, fields, layout, values);
        }
        const std::int32_t row = CheckWidth(lines, "ProcessFile", values[0], 0, "row number", 32);
        if (row < 1)
            lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                       "row number " + std::to_string(row) + ": rows are numbered from 1");
        if (row != currentRow) {
            if (row != currentRow + 1)
                lines.Fail(ErrorNumber::InvalidProcedureCall, "ProcessFile",
                           "row number " + std::to_string(row) + " out of order: rows are " +
                               "numbered 1, 2, 3 ... in file order and this one should be " +
                               (currentRow == 0 ? std::string("1")
                                                : std::to_string(currentRow) + " or " +
                                                      std::to_string(currentRow + 1)));
            if (currentRow != 0) closeRow();
            currentRow = row;
        }
        if (currentRow == 1 && deck.Count() == 0) {
            descending = values[1] > 1 && values[1] <= INT16_MAX;
            firstPosition = descending ? static_cast<std::int32_t>(values[1]) : 1;
        }
        sawIdle = sawIdle || values[2] == Idle;
        const std::int32_t last = currentRow == 1 ? firstPosition : cardsPerRow;
        NewCard(lines, values, layout, deck, descending ? last - deck.Count() : deck.Count() + 1,
                descending);
        lastCardLine = lines.LineNumber();
    }
    if (currentRow == 0)
        lines.Fail(ErrorNumber::InputPastEndOfFile, "ProcessFile",
                   "the file holds no cards: a pattern needs at least one card line after the "
                   "column header",
                   headerLine + 1);
    closeRow();
    labelled.Finish(data.Extras, data.Rows->At(1).Cards().Count());
    // a file stores an idle card's turn, not the way it faces: that is the card's below it
    if (sawIdle) data.Rows->FaceIdleCardsAsBefore();
    return data;
}

}  // namespace

std::string PatternReader::ColumnHeader(int holes) { return CardLayout{holes}.Header(); }

PatternData PatternReader::Parse(std::string_view content, std::string_view sourceName,
                                 Reading reading) {
    LineSource lines(content, sourceName);
    return ParseLines(lines, reading);
}

std::ifstream PatternReader::OpenFile(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (error || !std::filesystem::exists(status))
        throw PatternFileError(ErrorNumber::FileNotFound, "ProcessFile", 0,
                               path + ": file not found");
    if (std::filesystem::is_directory(status))
        throw PatternFileError(ErrorNumber::PathFileAccessError, "ProcessFile", 0,
                               path + ": is a folder, not a pattern file");
    // a file too big is refused before it is read; a pipe or FIFO has no size, and is
    // stopped when what was read passes the limit
    if (std::filesystem::is_regular_file(status)) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size > kMaxFileSize)
            throw PatternFileError(ErrorNumber::OutOfMemory, "ProcessFile", 0,
                                   path + ": larger than " + std::to_string(kMaxFileSize >> 20) +
                                       " MB; not a pattern file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PatternFileError(ErrorNumber::PermissionDenied, "ProcessFile", 0,
                               path + ": cannot be opened for reading");
    return in;
}

void PatternReader::CheckRead(const std::istream& in, std::uintmax_t bytesSoFar,
                              std::string_view sourceName, std::int64_t line, std::uintmax_t maxBytes) {
    if (in.bad())
        throw PatternFileError(ErrorNumber::DeviceIoError, "ProcessFile", line,
                               std::string(sourceName) + ": read error");
    if (bytesSoFar > maxBytes)
        throw PatternFileError(ErrorNumber::OutOfMemory, "ProcessFile", line,
                               std::string(sourceName) + ": larger than " +
                                   std::to_string(maxBytes >> 20) + " MB; not a pattern file");
}

void PatternReader::ReadPieces(std::istream& in, std::string_view sourceName,
                               const std::function<void(std::string_view)>& take) {
    std::vector<char> piece(std::size_t{1} << 20);
    std::uintmax_t total = 0;
    while (in.read(piece.data(), static_cast<std::streamsize>(piece.size())) || in.gcount() > 0) {
        const auto size = static_cast<std::size_t>(in.gcount());
        total += size;
        CheckRead(in, total, sourceName);
        take(std::string_view(piece.data(), size));
    }
    CheckRead(in, total, sourceName);
}

PatternData PatternReader::ReadFile(const std::string& path) {
    std::ifstream in = OpenFile(path);
    LineSource lines(in, path, kMaxFileSize);
    return ParseLines(lines, Reading::Quick);
}

}  // namespace tessaly
