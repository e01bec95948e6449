#pragma once

#include <QPageSize>
#include <optional>
#include <string>
#include <string_view>

#include "PageComposer.h"
#include "PatternPrinter.h"

class QPagedPaintDevice;

namespace tessaly {

// The page sizes offered for PDF files, by name ("A4", "Letter", any case).
std::optional<QPageSize> PageSizeNamed(std::string_view name);

// Prints the pattern on a printer or PDF writer whose painting area is the whole sheet. A
// pattern that cannot be printed is refused (AppError naming the reason) before anything
// is put on the device. With record, returns what went on each page.
std::vector<PageRecord> PrintPattern(QPagedPaintDevice& device, const PrintSource& source,
                                     bool record = false);

// The printed pattern as the bytes of a PDF file. A pattern that cannot be printed, or a step
// of the document that fails, raises one AppError naming the problem: there is then no PDF.
std::string PrintPatternToPdf(const PrintSource& source, const QPageSize& pageSize);

}  // namespace tessaly
