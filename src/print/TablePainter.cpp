#include "TablePainter.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

// room above and below the text, and beside it in a left or right aligned cell
constexpr double kRowHeightPerLine = 1.3;
constexpr double kCellPaddingTwips = 40;

// The tables print in one face whatever the desktop's fixed-pitch font, so a printout has
// the same letters, rows and pages everywhere: DejaVu Sans Mono (Tessaly's set-up installs
// it), else the desktop's fixed-pitch face.
QString TableFace() {
    static const QString face = [] {
        const QString reference = QStringLiteral("DejaVu Sans Mono");
        if (QFontInfo(QFont(reference)).family() == reference) return reference;
        return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    }();
    return face;
}

// A row's height: the reference face's line at the table's size, whichever face prints it
// (ascent and descent together 2384 of its 2048 units to the em).
double LineSpacing(const QFont& font, QPaintDevice& device) {
    if (QFontInfo(font).family() == QStringLiteral("DejaVu Sans Mono"))
        return QFontMetricsF(font, &device).lineSpacing();
    const double pixelsPerEm = std::round(font.pointSizeF() * device.logicalDpiY() / 72.0);
    return pixelsPerEm * 2384.0 / 2048.0;
}

}  // namespace

TablePainter::TablePainter(QPainter& painter, QPaintDevice& device, const QFont& font,
                           const PrintTable& table, double leftPixels, double twipsPerPixel)
    : painter_(painter), device_(device), font_(font), table_(table) {
    font_.setFamily(TableFace());
    font_.setStyleHint(QFont::TypeWriter);
    font_.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF metrics(font_, &device_);
    rowPixels_ = LineSpacing(font_, device_) * kRowHeightPerLine;
    textDrop_ = (rowPixels_ - metrics.height()) / 2 + metrics.ascent();
    padding_ = kCellPaddingTwips / twipsPerPixel;
    lineWidth_ = std::max(1.0, device_.logicalDpiX() / 300.0);
    edges_.push_back(leftPixels);
    double twips = leftPixels * twipsPerPixel;
    for (const auto& column : table_.Columns())
        edges_.push_back((twips += column.widthTwips) / twipsPerPixel);
    // letters are spaced into their cells only where every letter that can stand in a cell
    // has the same advance. Measured, not asked: some fixed-pitch faces (Noto Sans Mono) do
    // not say they are, and drawing their cells one by one is several times slower.
    letterAdvance_ = metrics.horizontalAdvance(QStringLiteral("F"));
    fixedPitch_ = true;
    for (const QChar letter : QStringLiteral("BIW*i 0123456789"))
        fixedPitch_ = fixedPitch_ && std::abs(metrics.horizontalAdvance(letter) - letterAdvance_) <
                                         0.01 * std::max(letterAdvance_, 1.0);
}

double TablePainter::Width(const QString& text) {
    const auto found = widths_.constFind(text);
    if (found != widths_.constEnd()) return *found;
    const double width = QFontMetricsF(font_, &device_).horizontalAdvance(text);
    widths_.insert(text, width);
    return width;
}

void TablePainter::DrawPart(double top, std::int32_t first, std::int32_t count) {
    DrawBackgrounds(top, first, count);
    DrawRules(top, count);
    painter_.setPen(Qt::black);
    const auto columns = static_cast<std::int32_t>(table_.Columns().size());
    static const std::string kNone;
    DrawTexts(top, [&](std::int32_t c) -> const std::string& {
        return c < static_cast<std::int32_t>(table_.Header().size())
                   ? table_.Header()[static_cast<std::size_t>(c)]
                   : kNone;
    });
    for (std::int32_t r = 0; r < count; ++r)
        DrawTexts(top + (r + 1) * rowPixels_, [&](std::int32_t c) -> const std::string& {
            return c < columns ? table_.Cell(first + r, c + 1) : kNone;
        });
}

void TablePainter::DrawBackgrounds(double top, std::int32_t first, std::int32_t count) {
    const auto columns = static_cast<std::int32_t>(table_.Columns().size());
    // neighbouring cells of one colour are filled as one rectangle: a page of turning
    // instructions has long runs of backward turns
    for (std::int32_t r = 0; r < count; ++r)
        for (std::int32_t c = 0; c < columns;) {
            const auto color = table_.Background(first + r, c + 1);
            std::int32_t end = c + 1;
            while (end < columns && table_.Background(first + r, end + 1) == color) ++end;
            if (color)
                painter_.fillRect(
                    QRectF(
                        QPointF(edges_[static_cast<std::size_t>(c)], top + (r + 1) * rowPixels_),
                        QPointF(edges_[static_cast<std::size_t>(end)], top + (r + 2) * rowPixels_)),
                    RasterCanvas::ToQColor(*color));
            c = end;
        }
}

void TablePainter::DrawRules(double top, std::int32_t count) {
    painter_.setPen(QPen(Qt::black, lineWidth_));
    const double bottom = top + (count + 1) * rowPixels_;
    QVector<QLineF> lines;
    for (std::int32_t r = 0; r <= count + 1; ++r)
        lines.append(
            QLineF(edges_.front(), top + r * rowPixels_, edges_.back(), top + r * rowPixels_));
    for (const double edge : edges_) lines.append(QLineF(edge, top, edge, bottom));
    painter_.drawLines(lines);
}

template <class CellText>
std::int32_t TablePainter::RunEnd(std::int32_t from, CellText&& cell) const {
    const auto& columns = table_.Columns();
    const auto count = static_cast<std::int32_t>(columns.size());
    const auto fits = [&](std::int32_t c) {
        const auto& column = columns[static_cast<std::size_t>(c)];
        const std::string& text = cell(c);
        return column.align == PrintTable::Align::Center &&
               column.widthTwips == columns[static_cast<std::size_t>(from)].widthTwips &&
               text.size() <= 1 && static_cast<unsigned char>(text.empty() ? ' ' : text[0]) < 0x80;
    };
    if (!fixedPitch_ || cell(from).size() != 1 || !fits(from)) return from + 1;
    std::int32_t end = from + 1;
    while (end < count && fits(end)) ++end;
    while (end > from + 1 && cell(end - 1).empty()) --end;  // no spaces at the end
    return end;
}

template <class CellText>
void TablePainter::DrawTexts(double top, CellText&& cell) {
    const auto columns = static_cast<std::int32_t>(table_.Columns().size());
    const double baseline = top + textDrop_;
    painter_.setFont(font_);
    for (std::int32_t c = 0; c < columns;) {
        const std::int32_t end = RunEnd(c, cell);
        if (end - c == 1) {
            DrawCell(cell(c), c, baseline);
        } else {
            QString letters;
            for (std::int32_t i = c; i < end; ++i)
                letters += cell(i).empty() ? QChar(' ') : QChar(cell(i)[0]);
            const double pitch =
                edges_[static_cast<std::size_t>(c) + 1] - edges_[static_cast<std::size_t>(c)];
            QFont spaced = font_;
            // a percentage of the advance, which holds in whatever units the device measures
            spaced.setLetterSpacing(QFont::PercentageSpacing, 100 * pitch / letterAdvance_);
            painter_.setFont(spaced);
            painter_.drawText(
                QPointF(edges_[static_cast<std::size_t>(c)] + (pitch - letterAdvance_) / 2,
                        baseline),
                letters);
            painter_.setFont(font_);
        }
        c = end;
    }
}

void TablePainter::DrawCell(const std::string& text, std::int32_t column, double baseline) {
    if (text.empty()) return;
    const QString cell = QString::fromStdString(text);
    const double left = edges_[static_cast<std::size_t>(column)];
    const double right = edges_[static_cast<std::size_t>(column) + 1];
    double x = left + padding_;
    const auto align = table_.Columns()[static_cast<std::size_t>(column)].align;
    if (align == PrintTable::Align::Center) x = (left + right - Width(cell)) / 2;
    if (align == PrintTable::Align::Right) x = right - padding_ - Width(cell);
    painter_.drawText(QPointF(x, baseline), cell);
}

}  // namespace tessaly
