#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaly {

// The turning instructions as a table of text cells addressed from row 0 and column 0, each
// with a background colour and a bold flag. Operations work on a selected current cell, as
// the rows write their lines. Texts are interned, so a cell costs eight bytes: a band of
// 10,000 picks by 200 cards takes about 16 MB.
class InstructionGrid {
  public:
    static constexpr std::int32_t kDefaultBackColor = 0xFFFFFF;
    static constexpr std::int32_t kDefaultColWidth = 350;  // twips

    InstructionGrid();

    std::int32_t Rows() const { return rows_; }
    std::int32_t Cols() const { return cols_; }
    // Growing adds empty cells; shrinking drops the cells beyond. Negative counts raise error 5.
    void SetRows(std::int32_t rows);
    void SetCols(std::int32_t cols);

    // Makes room for a grid of this size at once, so a pass that writes it row by row does not
    // grow it step by step (and for a while hold it twice).
    void Reserve(std::int32_t rows, std::int32_t cols);

    // Selecting a row or column outside the grid raises error 9.
    void SetRow(std::int32_t row);
    void SetCol(std::int32_t col);
    std::int32_t Row() const { return row_; }
    std::int32_t Col() const { return col_; }

    void SetText(std::string_view text);
    void SetCellBackColor(std::int32_t color);
    void SetCellFontBold(bool bold);

    // A line writes the same few texts and colours in many cells: it looks each up once and
    // writes the cells by these keys.
    struct CellStyle {
        std::uint32_t text = 0;
        std::uint16_t backColor = 0;
        bool bold = false;
    };
    CellStyle Style(std::string_view text, std::int32_t backColor, bool bold);
    // Writes the current row's cell in this column (raises error 9 outside the grid).
    void SetCellInRow(std::int32_t col, const CellStyle& style);

    std::string TextAt(std::int32_t row, std::int32_t col) const;
    std::int32_t BackColorAt(std::int32_t row, std::int32_t col) const;
    bool BoldAt(std::int32_t row, std::int32_t col) const;

    std::int32_t ColWidth(std::int32_t col) const;
    void SetColWidth(std::int32_t col, std::int32_t twips);

  private:
    struct Cell {
        std::uint32_t text = 0;       // index into texts_ (0 is the empty text), or a plain number
        std::uint16_t backColor = 0;  // index into backColors_; 0 is the default white
        bool bold = false;
    };

    const Cell& CellAt(std::int32_t row, std::int32_t col) const;
    Cell& Current();
    std::uint32_t Intern(std::string_view text);
    std::uint16_t ColorIndex(std::int32_t color);

    std::int32_t rows_ = 0;
    std::int32_t cols_ = 0;
    std::int32_t reservedRows_ = 0;
    std::int32_t row_ = 0;
    std::int32_t col_ = 0;
    std::vector<Cell> cells_;  // row by row
    std::vector<std::int32_t> colWidths_;
    std::vector<std::string> texts_;
    std::unordered_map<std::string, std::uint32_t> textIndex_;
    std::vector<std::int32_t> backColors_;
};

}  // namespace tessaly
