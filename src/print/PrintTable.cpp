#include "PrintTable.h"

#include <charconv>
#include <cmath>

#include "errors/AppError.h"

namespace tessaly {

namespace {

std::vector<std::string_view> Split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end - start));
        if (end == std::string_view::npos) break;
        start = end + 1;
    }
    return parts;
}

const std::string kEmpty;

}  // namespace

std::optional<std::int32_t> PrintTable::LengthInTwips(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    struct Unit {
        std::string_view suffix;
        double twips;
    };
    static constexpr Unit kUnits[] = {
        {"in", 1440.0}, {"cm", 1440.0 / 2.54}, {"mm", 1440.0 / 25.4}, {"pt", 20.0}};
    double perUnit = 1.0;
    for (const Unit& unit : kUnits)
        if (text.size() >= unit.suffix.size() &&
            text.substr(text.size() - unit.suffix.size()) == unit.suffix) {
            text.remove_suffix(unit.suffix.size());
            perUnit = unit.twips;
            break;
        }
    // ".5" is a number here, as the margins are written
    std::string number(text);
    if (!number.empty() && number.front() == '.') number.insert(0, "0");
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
        !std::isfinite(value) || value < 0 || value * perUnit > 1e8)
        return std::nullopt;
    return static_cast<std::int32_t>(std::lround(value * perUnit));
}

PrintTable::PrintTable(std::string_view format, std::string_view header, std::string_view body) {
    for (std::string_view entry : Split(format, '|')) {
        Column column;
        // leading marks: alignment, and "+" (the column may not be narrowed)
        while (!entry.empty() && std::string_view("<^>+").find(entry.front()) != entry.npos) {
            if (entry.front() == '<') column.align = Align::Left;
            if (entry.front() == '^') column.align = Align::Center;
            if (entry.front() == '>') column.align = Align::Right;
            entry.remove_prefix(1);
        }
        const auto width = LengthInTwips(entry);
        if (!width)
            throw AppError(ErrorNumber::InvalidProcedureCall,
                           "the table column width '" + std::string(entry) + "' cannot be read");
        column.widthTwips = *width;
        columns_.push_back(column);
    }
    for (std::string_view cell : Split(header, '|')) header_.emplace_back(cell);
    if (!body.empty())
        for (std::string_view row : Split(body, ';')) {
            std::vector<std::string> cells;
            for (std::string_view cell : Split(row, '|')) cells.emplace_back(cell);
            body_.push_back(std::move(cells));
        }
    backgrounds_.assign(body_.size() * columns_.size(), -1);
}

const std::string& PrintTable::Cell(std::int32_t row, std::int32_t column) const {
    if (row < 1 || row > BodyRows() || column < 1) return kEmpty;
    const auto& cells = body_[static_cast<std::size_t>(row - 1)];
    return static_cast<std::size_t>(column) <= cells.size()
               ? cells[static_cast<std::size_t>(column - 1)]
               : kEmpty;
}

void PrintTable::SetBackground(std::int32_t row, std::int32_t column, std::int32_t color) {
    const auto columns = static_cast<std::int32_t>(columns_.size());
    if (row < 1 || row > BodyRows() || column < 1 || column > columns)
        throw AppError(ErrorNumber::SubscriptOutOfRange, "the table has no cell at row " +
                                                             std::to_string(row) + ", column " +
                                                             std::to_string(column));
    // colours are 24-bit; what lies above does not show on paper either
    backgrounds_[static_cast<std::size_t>((row - 1) * columns + column - 1)] = color & 0xFFFFFF;
}

std::optional<std::int32_t> PrintTable::Background(std::int32_t row, std::int32_t column) const {
    const auto columns = static_cast<std::int32_t>(columns_.size());
    if (row < 1 || row > BodyRows() || column < 1 || column > columns) return std::nullopt;
    const std::int32_t color =
        backgrounds_[static_cast<std::size_t>((row - 1) * columns + column - 1)];
    if (color < 0) return std::nullopt;
    return color;
}

}  // namespace tessaly
