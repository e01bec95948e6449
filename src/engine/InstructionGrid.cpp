#include "InstructionGrid.h"

#include <algorithm>
#include <optional>

#include "errors/AppError.h"

namespace tessaly {

InstructionGrid::InstructionGrid() : texts_{std::string()}, backColors_{kDefaultBackColor} {
    textIndex_.emplace(std::string(), 0);
}

void InstructionGrid::SetRows(std::int32_t rows) {
    if (rows < 0) throw AppError(ErrorNumber::InvalidProcedureCall);
    cells_.resize(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols_));
    rows_ = rows;
    row_ = std::min(row_, std::max(rows_ - 1, 0));
}

void InstructionGrid::SetCols(std::int32_t cols) {
    if (cols < 0) throw AppError(ErrorNumber::InvalidProcedureCall);
    if (cols == cols_) return;
    std::vector<Cell> relaid;
    // a reserved grid keeps its room when its columns are first laid out
    relaid.reserve(
        std::max(static_cast<std::size_t>(reservedRows_), static_cast<std::size_t>(rows_)) *
        static_cast<std::size_t>(cols));
    relaid.resize(static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols));
    const std::int32_t kept = std::min(cols, cols_);
    for (std::int32_t r = 0; r < rows_; ++r) {
        std::copy_n(cells_.begin() + static_cast<std::ptrdiff_t>(r) * cols_, kept,
                    relaid.begin() + static_cast<std::ptrdiff_t>(r) * cols);
    }
    cells_ = std::move(relaid);
    colWidths_.resize(static_cast<std::size_t>(cols), kDefaultColWidth);
    cols_ = cols;
    col_ = std::min(col_, std::max(cols_ - 1, 0));
}

void InstructionGrid::Reserve(std::int32_t rows, std::int32_t cols) {
    if (rows <= 0 || cols <= 0) return;
    reservedRows_ = rows;
    cells_.reserve(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols));
}

void InstructionGrid::SetRow(std::int32_t row) {
    if (row < 0 || row >= rows_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    row_ = row;
}

void InstructionGrid::SetCol(std::int32_t col) {
    if (col < 0 || col >= cols_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    col_ = col;
}

InstructionGrid::Cell& InstructionGrid::Current() {
    if (row_ >= rows_ || col_ >= cols_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    return cells_[static_cast<std::size_t>(row_) * cols_ + col_];
}

const InstructionGrid::Cell& InstructionGrid::CellAt(std::int32_t row, std::int32_t col) const {
    if (row < 0 || row >= rows_ || col < 0 || col >= cols_)
        throw AppError(ErrorNumber::SubscriptOutOfRange);
    return cells_[static_cast<std::size_t>(row) * cols_ + col];
}

namespace {

// Pick numbers are stored as their value, not as texts: every pick has its own.
constexpr std::uint32_t kNumberFlag = 0x80000000u;

std::optional<std::uint32_t> PlainNumber(std::string_view text) {
    if (text.empty() || text.size() > 9 || (text.size() > 1 && text[0] == '0')) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return value;
}

}  // namespace

std::uint32_t InstructionGrid::Intern(std::string_view text) {
    if (text.empty()) return 0;
    if (const auto number = PlainNumber(text)) return kNumberFlag | *number;
    std::string key(text);
    auto found = textIndex_.find(key);
    if (found != textIndex_.end()) return found->second;
    const auto index = static_cast<std::uint32_t>(texts_.size());
    texts_.push_back(key);
    textIndex_.emplace(std::move(key), index);
    return index;
}

std::uint16_t InstructionGrid::ColorIndex(std::int32_t color) {
    auto found = std::find(backColors_.begin(), backColors_.end(), color);
    if (found != backColors_.end()) return static_cast<std::uint16_t>(found - backColors_.begin());
    if (backColors_.size() >= 0xFFFF) throw AppError(ErrorNumber::OutOfMemory);
    backColors_.push_back(color);
    return static_cast<std::uint16_t>(backColors_.size() - 1);
}

void InstructionGrid::SetText(std::string_view text) { Current().text = Intern(text); }

InstructionGrid::CellStyle InstructionGrid::Style(std::string_view text, std::int32_t backColor,
                                                  bool bold) {
    return {Intern(text), ColorIndex(backColor), bold};
}

void InstructionGrid::SetCellInRow(std::int32_t col, const CellStyle& style) {
    if (row_ >= rows_ || col < 0 || col >= cols_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    Cell& cell = cells_[static_cast<std::size_t>(row_) * cols_ + col];
    cell.text = style.text;
    cell.backColor = style.backColor;
    cell.bold = style.bold;
}

void InstructionGrid::SetCellBackColor(std::int32_t color) {
    Current().backColor = ColorIndex(color);
}

void InstructionGrid::SetCellFontBold(bool bold) { Current().bold = bold; }

std::string InstructionGrid::TextAt(std::int32_t row, std::int32_t col) const {
    const std::uint32_t text = CellAt(row, col).text;
    if ((text & kNumberFlag) != 0) return std::to_string(text & ~kNumberFlag);
    return texts_[text];
}

std::int32_t InstructionGrid::BackColorAt(std::int32_t row, std::int32_t col) const {
    return backColors_[CellAt(row, col).backColor];
}

bool InstructionGrid::BoldAt(std::int32_t row, std::int32_t col) const {
    return CellAt(row, col).bold;
}

std::int32_t InstructionGrid::ColWidth(std::int32_t col) const {
    if (col < 0 || col >= cols_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    return colWidths_[static_cast<std::size_t>(col)];
}

void InstructionGrid::SetColWidth(std::int32_t col, std::int32_t twips) {
    if (col < 0 || col >= cols_) throw AppError(ErrorNumber::SubscriptOutOfRange);
    colWidths_[static_cast<std::size_t>(col)] = twips;
}

}  // namespace tessaly
