#include "PageComposer.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPagedPaintDevice>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "TablePainter.h"
#include "errors/AppError.h"
#include "render/RasterCanvas.h"

namespace tessaly {

namespace {

constexpr double kNormalPoints = 10;
constexpr double kTwipsPerInch = 1440;

}  // namespace

PageComposer::PageComposer(QPagedPaintDevice& device) : device_(device) {
    // a sans-serif face as printers have it; the desktop's font service picks the nearest
    font_.setFamily(QStringLiteral("Sans Serif"));
    font_.setStyleHint(QFont::SansSerif);
    font_.setPointSizeF(kNormalPoints);
}

PageComposer::~PageComposer() {
    if (painter_.isActive()) painter_.end();
}

void PageComposer::StartDoc() {
    if (Open()) return;  // one document at a time
    if (!measuring_) {
        if (!painter_.begin(&device_))
            throw AppError(ErrorNumber::DeviceIoError, "the printer or file cannot be opened");
        painter_.setRenderHint(QPainter::TextAntialiasing);
    }
    pages_.clear();
    pageCount_ = 0;
    PageStarted();
}

void PageComposer::SetFooter(std::string name, std::int32_t totalPages) {
    footerName_ = std::move(name);
    totalPages_ = totalPages;
}

void PageComposer::PageStarted() {
    ++pageCount_;
    if (recording_) pages_.emplace_back();
    x_ = marginLeft_;
    y_ = marginTop_;
    pageBlank_ = true;
    if (totalPages_ <= 0) return;
    // at the head of the page, in the top margin, in small type: the band reaches down into
    // the bottom margin
    const std::string page =
        "page " + std::to_string(pageCount_) + " of " + std::to_string(totalPages_);
    const std::string footer = footerName_.empty() ? page : footerName_ + " \u00B7 " + page;
    if (recording_) Page().footer = footer;
    if (measuring_) return;
    QFont small = font_;
    small.setPointSizeF(8);
    small.setBold(false);
    const QFontMetricsF metrics(small, &device_);
    const double top = std::max(0.0, ToPixelsY(marginTop_) / 2 - metrics.lineSpacing() / 2);
    painter_.setFont(small);
    painter_.setPen(Qt::black);
    painter_.drawText(
        QRectF(ToPixelsX(marginLeft_), top,
               ToPixelsX(PageWidthTwips() - marginLeft_ - marginRight_), metrics.lineSpacing() * 2),
        Qt::AlignRight | Qt::AlignTop, QString::fromStdString(footer));
}

void PageComposer::EndDoc() {
    if (measuring_) return;
    if (painter_.isActive() && !painter_.end())
        throw AppError(ErrorNumber::DeviceIoError, "the printed document could not be finished");
}

void PageComposer::NewPage() {
    if (!Open() || (!measuring_ && !device_.newPage()))
        throw AppError(ErrorNumber::DeviceIoError, "the printer did not start a new page");
    PageStarted();
}

void PageComposer::SetMargins(std::string_view length) {
    const auto twips = PrintTable::LengthInTwips(length);
    if (!twips)
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "the margin '" + std::string(length) + "' cannot be read");
    marginLeft_ = marginTop_ = marginRight_ = marginBottom_ = *twips;
    // what was laid out so far keeps its place; an empty page starts at the new margins
    if (pageBlank_) {
        x_ = marginLeft_;
        y_ = marginTop_;
    }
}

double PageComposer::PageWidthTwips() const { return device_.width() * TwipsPerPixelX(); }
double PageComposer::PageHeightTwips() const { return device_.height() * TwipsPerPixelY(); }
double PageComposer::TwipsPerPixelX() const { return kTwipsPerInch / device_.logicalDpiX(); }
double PageComposer::TwipsPerPixelY() const { return kTwipsPerInch / device_.logicalDpiY(); }

std::int32_t PageComposer::BottomLimit() const {
    return static_cast<std::int32_t>(PageHeightTwips()) - marginBottom_;
}

PageRecord& PageComposer::Page() {
    if (pages_.empty()) pages_.emplace_back();
    return pages_.back();
}

void PageComposer::SetFontSize(double points) {
    if (!(points > 0 && points <= 1000))
        throw AppError(ErrorNumber::InvalidProcedureCall,
                       "a font size of " + std::to_string(points) + " points cannot be printed");
    font_.setPointSizeF(points);
}

void PageComposer::SetFontBold(bool bold) { font_.setBold(bold); }

// Qt leaves ligatures out of a font given letter spacing; 100 % spaces the letters as before.
void PageComposer::SetLettersApart() { font_.setLetterSpacing(QFont::PercentageSpacing, 100); }

void PageComposer::SaveFormat(const std::string& name) { formats_[name] = Format{font_}; }

void PageComposer::ApplyFormat(const std::string& name) {
    const auto found = formats_.find(name);
    if (found == formats_.end())
        throw AppError(ErrorNumber::InvalidProcedureCall, "no text format is named " + name);
    font_ = found->second.font;
}

void PageComposer::Paragraph(const std::string& text) {
    if (!Open()) throw AppError(ErrorNumber::ObjectNotSet, "no document is started");
    const QString line = QString::fromStdString(text);
    const QFontMetricsF metrics(font_, &device_);
    const double rightEdge = PageWidthTwips() - marginRight_;
    const double width = std::max(ToPixelsX(rightEdge - x_), metrics.averageCharWidth());
    const QRectF needed =
        metrics.boundingRect(QRectF(0, 0, width, 1e9), Qt::TextWordWrap | Qt::AlignLeft, line);
    const double height = std::max(needed.height(), metrics.lineSpacing());
    const auto heightTwips = static_cast<std::int32_t>(std::ceil(height * TwipsPerPixelY()));
    if (y_ + heightTwips > BottomLimit() && y_ > marginTop_) {
        const std::int32_t x = x_;
        NewPage();
        x_ = x;
    }
    if (!line.isEmpty() && !measuring_) {
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(ToPixelsX(x_), ToPixelsY(y_), width, height),
                          Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, line);
    }
    if (recording_) Page().paragraphs.push_back(text);
    pageBlank_ = false;
    y_ += heightTwips;
    x_ = marginLeft_;
}

void PageComposer::DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
    if (!Open()) throw AppError(ErrorNumber::ObjectNotSet, "no document is started");
    if (recording_)
        Page().rectangles.push_back(
            {QRect(QPoint(left, top), QPoint(right, bottom)).normalized(), fillColor_});
    pageBlank_ = false;
    if (measuring_) return;
    const QRectF rect(QPointF(ToPixelsX(left), ToPixelsY(top)),
                      QPointF(ToPixelsX(right), ToPixelsY(bottom)));
    painter_.setPen(QPen(Qt::black, std::max(1.0, device_.logicalDpiX() / 300.0)));
    painter_.setBrush(RasterCanvas::ToQColor(fillColor_));
    painter_.drawRect(rect.normalized());
}

void PageComposer::RecordPolygon(const QRect& bounds) {
    if (!recording_) return;
    PageRecord& page = Page();
    ++page.polygons;
    page.bandPixels = page.bandPixels.united(bounds);
}

void PageComposer::StartTable() {
    inTable_ = true;
    table_.reset();
}

PrintTable& PageComposer::OpenTable() {
    if (!table_)
        throw AppError(ErrorNumber::ObjectNotSet, "no table was added to colour or finish");
    return *table_;
}

void PageComposer::AddTable(std::string_view format, std::string_view header,
                            std::string_view body) {
    if (!inTable_) StartTable();
    table_.emplace(format, header, body);
}

void PageComposer::SetCellBackground(std::int32_t row, std::int32_t column, std::int32_t color) {
    OpenTable().SetBackground(row, column, color);
}

void PageComposer::EndTable() {
    inTable_ = false;
    if (!table_) return;
    const PrintTable table = std::move(*table_);
    table_.reset();
    DrawTable(table);
}

void PageComposer::DrawTable(const PrintTable& table) {
    if (!Open()) throw AppError(ErrorNumber::ObjectNotSet, "no document is started");
    TablePainter drawing(painter_, device_, font_, table, ToPixelsX(marginLeft_), TwipsPerPixelX());
    const auto rowTwips =
        static_cast<std::int32_t>(std::ceil(drawing.RowPixels() * TwipsPerPixelY()));
    const auto& columns = table.Columns();
    const auto columnCount = static_cast<std::int32_t>(columns.size());

    // the header and one row go on the page where the table starts, or on the next one
    if (y_ + 2 * rowTwips > BottomLimit() && y_ > marginTop_) NewPage();
    std::int32_t next = 1;  // the next body row to draw
    while (true) {
        const double top = ToPixelsY(y_);
        std::int32_t rows = 0;  // body rows on this page: at least one, so a page always moves on
        while (next + rows <= table.BodyRows() &&
               (rows == 0 || y_ + (rows + 2) * rowTwips <= BottomLimit()))
            ++rows;
        if (!measuring_) drawing.DrawPart(top, next, rows);

        if (recording_) {
            PageRecord::TablePart part;
            part.header = table.Header();
            part.firstRow = next;
            for (const auto& column : columns) part.widthsTwips.push_back(column.widthTwips);
            for (std::int32_t r = 0; r < rows; ++r) {
                std::vector<std::string> cells;
                std::vector<std::int32_t> backgrounds;
                for (std::int32_t c = 1; c <= columnCount; ++c) {
                    cells.push_back(table.Cell(next + r, c));
                    backgrounds.push_back(table.Background(next + r, c).value_or(-1));
                }
                part.rows.push_back(std::move(cells));
                part.backgrounds.push_back(std::move(backgrounds));
            }
            Page().tables.push_back(std::move(part));
        }
        y_ += (rows + 1) * rowTwips;
        next += rows;
        pageBlank_ = false;
        if (next > table.BodyRows()) break;
        NewPage();
    }
    x_ = marginLeft_;
}

}  // namespace tessaly
