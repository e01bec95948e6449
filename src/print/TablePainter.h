#pragma once

#include <QFont>
#include <QHash>
#include <string>
#include <vector>

#include "PrintTable.h"

class QPainter;
class QPaintDevice;

namespace tessaly {

// Draws the part of a table that fits on one page: cell backgrounds, rules and texts, in
// device pixels, with the header on top.
//
// Cells are drawn in a fixed-pitch face. A run of neighbouring centred cells of one width
// that each hold one letter (the turns of a pick) is drawn as one text whose letter spacing
// is the column width, which puts every letter in the middle of its cell: a printed page of
// turning instructions then takes one text a row instead of one a cell.
class TablePainter {
  public:
    TablePainter(QPainter& painter, QPaintDevice& device, const QFont& font,
                 const PrintTable& table, double leftPixels, double twipsPerPixel);

    double RowPixels() const { return rowPixels_; }
    // The header at top and then body rows first .. first + count - 1 (from 1).
    void DrawPart(double top, std::int32_t first, std::int32_t count);

  private:
    void DrawBackgrounds(double top, std::int32_t first, std::int32_t count);
    void DrawRules(double top, std::int32_t count);
    // One line of cells; cell(c) gives column c's text, from 0.
    template <class CellText>
    void DrawTexts(double top, CellText&& cell);
    void DrawCell(const std::string& text, std::int32_t column, double baseline);
    // Columns from `from` that can be drawn as one text with the first; returns the end.
    template <class CellText>
    std::int32_t RunEnd(std::int32_t from, CellText&& cell) const;
    double Width(const QString& text);

    QPainter& painter_;
    QPaintDevice& device_;
    QFont font_;
    const PrintTable& table_;
    std::vector<double> edges_;  // column edges in pixels
    double rowPixels_ = 0;
    double textDrop_ = 0;  // from a row's top to the text's baseline
    double padding_ = 0;
    double lineWidth_ = 1;
    bool fixedPitch_ = false;
    double letterAdvance_ = 0;
    QHash<QString, double> widths_;
};

}  // namespace tessaly
