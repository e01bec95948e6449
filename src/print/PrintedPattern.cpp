#include "PrintedPattern.h"

#include <QBuffer>
#include <QPdfWriter>

#include "errors/AppError.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

namespace {

// fine enough for the band's outlines; a screen pixel is 12.5 of these
constexpr int kPdfDotsPerInch = 1200;

}  // namespace

std::optional<QPageSize> PageSizeNamed(std::string_view name) {
    const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::Letter})
        if (QPageSize::key(id).compare(wanted, Qt::CaseInsensitive) == 0) return QPageSize(id);
    return std::nullopt;
}

std::vector<PageRecord> PrintPattern(QPagedPaintDevice& device, const PrintSource& source,
                                     bool record) {
    device.setPageMargins(QMarginsF(0, 0, 0, 0));
    // laid out once without printing to count the pages, so each can say "page n of m"
    std::int32_t pages = 0;
    {
        PageComposer measure(device);
        measure.SetMeasuring(true);
        if (const auto problem = PatternPrinter::Unprintable(source, measure))
            throw AppError(ErrorNumber::InvalidProcedureCall, *problem);
        RecordingErrorSink quiet;  // a failing step is reported by the pass that prints
        const ScopedErrorSink scope(quiet);
        PatternPrinter(measure, source).PrintPage();
        pages = measure.PageCount();
    }
    PageComposer page(device);
    page.SetRecording(record);
    page.SetFooter(source.bandName, pages);
    PatternPrinter(page, source).PrintPage();
    return page.Pages();
}

std::string PrintPatternToPdf(const PrintSource& source, const QPageSize& pageSize) {
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfDotsPerInch);
        writer.setPageSize(pageSize);
        writer.setCreator(QStringLiteral("Tessaly"));
        writer.setTitle(QString::fromStdString(source.bandName));
        // the steps' reports are held back: a document with a failed step is not written,
        // and the one message says why
        RecordingErrorSink held;
        {
            const ScopedErrorSink scope(held);
            PrintPattern(writer, source);
        }
        if (!held.Reports().empty()) {
            const ErrorReport& first = held.Reports().front();
            throw AppError(static_cast<ErrorNumber>(first.number),
                           "the printed pattern could not be made (" + first.module + "." +
                               first.procedure + ": " + first.description + ")",
                           first.source);
        }
    }
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace tessaly
