#include "PatternWriter.h"

#include <charconv>

#include "PatternReader.h"
#include "TextCodec.h"

namespace tessaly {

namespace {

void AppendNumber(std::string& out, std::int64_t value) {
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, value);
    out.append(digits, result.ptr);
}

void AppendDataLine(std::string& out, const std::string& rowKey, const Card& card) {
    out += rowKey;
    const std::int64_t fields[9] = {card.Position, card.Turn(),    card.AColor,
                                    card.BColor,   card.CColor,    card.DColor,
                                    card.Thread,   card.HoleOrder, card.Pack};
    for (std::int64_t field : fields) {
        out += ", ";
        AppendNumber(out, field);
    }
    out += "\r\n";
}

}  // namespace

std::string PatternWriter::Format(const PatternTexts& texts, const Band& band) {
    const auto nameBytes = Utf8ToWindows1252(texts.BandName);
    const auto sequenceBytes = Utf8ToWindows1252(texts.TurnSequence);
    // a name whose first bytes would read as a byte-order mark must be written as UTF-8
    const bool ansi =
        nameBytes && sequenceBytes && nameBytes->substr(0, kUtf8Bom.size()) != kUtf8Bom;

    std::string out;
    if (!ansi) out += kUtf8Bom;
    out += ansi ? *nameBytes : texts.BandName;
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
    out += ansi ? *sequenceBytes : texts.TurnSequence;
    out += "\r\n";
    out += PatternReader::kColumnHeader;
    out += "\r\n";
    for (const auto& row : band) {
        for (const Card& card : row->Cards()) AppendDataLine(out, row->Key, card);
        if (!texts.TurnSequence.empty()) break;  // the rest is woven again from the threading
    }
    return out;
}

}  // namespace tessaly
