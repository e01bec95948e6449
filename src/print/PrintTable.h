#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// A table as the print layer is handed it: a format text with one entry per column
// ("^+0.18in|"), a header text ("#|1|2") and a body text (cells split by "|", rows by ";"),
// then coloured cell by cell.
class PrintTable {
  public:
    enum class Align { Left, Center, Right };
    struct Column {
        std::int32_t widthTwips = 0;
        Align align = Align::Left;
    };

    // Reads the three texts; a format entry whose width cannot be read raises error 5.
    PrintTable(std::string_view format, std::string_view header, std::string_view body);

    const std::vector<Column>& Columns() const { return columns_; }
    const std::vector<std::string>& Header() const { return header_; }
    std::int32_t BodyRows() const { return static_cast<std::int32_t>(body_.size()); }
    // The text of a body cell, rows and columns from 1; a cell the body left out is empty.
    const std::string& Cell(std::int32_t row, std::int32_t column) const;
    // Body cell background, rows and columns from 1; outside the table raises error 9.
    void SetBackground(std::int32_t row, std::int32_t column, std::int32_t color);
    std::optional<std::int32_t> Background(std::int32_t row, std::int32_t column) const;

    // ".5in", "2cm", "10mm", "12pt" or plain twips ("720") as twips; nothing when unreadable.
    static std::optional<std::int32_t> LengthInTwips(std::string_view text);

  private:
    std::vector<Column> columns_;
    std::vector<std::string> header_;
    std::vector<std::vector<std::string>> body_;
    // per body cell, row by row; -1 for the default background
    std::vector<std::int32_t> backgrounds_;
};

}  // namespace tessaly
