#pragma once

#include <QFont>
#include <QPainter>
#include <QRect>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PrintTable.h"

class QPagedPaintDevice;

namespace tessaly {

// What was put on one page, kept when recording is on (tests read documents through it).
struct PageRecord {
    struct Rectangle {
        QRect twips;
        std::int32_t color = 0;
    };
    struct TablePart {
        std::vector<std::string> header;
        std::vector<std::int32_t> widthsTwips;
        // the body rows on this page, and their backgrounds (-1 for the default)
        std::vector<std::vector<std::string>> rows;
        std::vector<std::vector<std::int32_t>> backgrounds;
        std::int32_t firstRow = 1;  // the table's number of the first row here
    };
    std::vector<std::string> paragraphs;
    std::string footer;  // "name · page n of m"
    std::vector<TablePart> tables;
    std::vector<Rectangle> rectangles;
    std::int32_t polygons = 0;
    QRect bandPixels;  // what the polygons cover, in printer pixels
};

// Lays text, tables and rectangles out page by page on a printer or PDF writer, keeping a
// current position in twips from the paper's top-left corner. Paragraphs and table rows
// that do not fit above the bottom margin go on a new page; a table cut by a page repeats
// its header. Failures of the device raise AppError.
class PageComposer {
  public:
    explicit PageComposer(QPagedPaintDevice& device);
    ~PageComposer();
    PageComposer(const PageComposer&) = delete;
    PageComposer& operator=(const PageComposer&) = delete;

    void SetRecording(bool on) { recording_ = on; }
    // Lays the document out without putting anything on the device, to count its pages.
    void SetMeasuring(bool on) { measuring_ = on; }
    bool Measuring() const { return measuring_; }
    // Pages started so far.
    std::int32_t PageCount() const { return pageCount_; }
    // Every page carries the band's name and "page n of m" in its top margin; none while the
    // total is 0.
    void SetFooter(std::string name, std::int32_t totalPages);
    const std::vector<PageRecord>& Pages() const { return pages_; }

    // --- The document -------------------------------------------------------------------
    void StartDoc();
    void EndDoc();
    void NewPage();
    // Every margin from a length such as ".5in"; an unreadable length raises error 5.
    void SetMargins(std::string_view length);

    // --- Text -----------------------------------------------------------------------------
    // One paragraph at the current position, wrapped within the margins; an empty text is an
    // empty line. The position moves to the start of the next line.
    void Paragraph(const std::string& text);
    void SetFontSize(double points);
    void SetFontBold(bool bold);
    // Letters joined into one glyph ("fi") read back from a PDF as that glyph, which search
    // and copy miss: text that must be found as written is set without them. SaveFormat before
    // and ApplyFormat after bring them back.
    void SetLettersApart();
    // Records the current text format under a name, and brings a recorded one back.
    void SaveFormat(const std::string& name);
    void ApplyFormat(const std::string& name);

    std::int32_t CurrentX() const { return x_; }
    std::int32_t CurrentY() const { return y_; }
    void SetCurrentX(std::int32_t twips) { x_ = twips; }

    // --- Shapes ---------------------------------------------------------------------------
    void SetFillColor(std::int32_t color) { fillColor_ = color; }
    // A rectangle filled with the fill colour and outlined, corners in twips.
    void DrawRectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                       std::int32_t bottom);

    // --- Tables ---------------------------------------------------------------------------
    // A table is drawn when it ends, so its cells can be coloured after it was added.
    void StartTable();
    void AddTable(std::string_view format, std::string_view header, std::string_view body);
    // Body rows and columns from 1, the first column being the label column.
    void SetCellBackground(std::int32_t row, std::int32_t column, std::int32_t color);
    void EndTable();

    // --- Page measures --------------------------------------------------------------------
    double PageWidthTwips() const;
    double PageHeightTwips() const;
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;
    // Drawing on the page in printer pixels, for the band picture.
    QPainter& Painter() { return painter_; }
    // The band picture reports what it drew.
    void RecordPolygon(const QRect& bounds);

  private:
    struct Format {
        QFont font;
    };

    PrintTable& OpenTable();
    void DrawTable(const PrintTable& table);
    double ToPixelsX(double twips) const { return twips / TwipsPerPixelX(); }
    double ToPixelsY(double twips) const { return twips / TwipsPerPixelY(); }
    std::int32_t BottomLimit() const;
    PageRecord& Page();
    // A page was started: its count, record and footer.
    void PageStarted();
    // Something may be laid out: a document is started (or being measured).
    bool Open() const { return painter_.isActive() || (measuring_ && pageCount_ > 0); }

    QPagedPaintDevice& device_;
    QPainter painter_;
    QFont font_;
    std::map<std::string, Format> formats_;
    std::int32_t marginLeft_ = 1440;
    std::int32_t marginTop_ = 1440;
    std::int32_t marginRight_ = 1440;
    std::int32_t marginBottom_ = 1440;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    std::int32_t fillColor_ = 0;
    bool pageBlank_ = true;  // nothing laid out on this page yet
    bool inTable_ = false;
    std::optional<PrintTable> table_;
    bool recording_ = false;
    bool measuring_ = false;
    std::int32_t pageCount_ = 0;
    std::string footerName_;
    std::int32_t totalPages_ = 0;
    std::vector<PageRecord> pages_;
};

}  // namespace tessaly
