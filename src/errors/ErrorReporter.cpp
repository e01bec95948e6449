#include "ErrorReporter.h"

#include <cstdio>
#include <new>

namespace tessaly {

namespace {
StderrErrorSink gStderrSink;
ErrorSink* gSink = &gStderrSink;
long gReportCount = 0;
}  // namespace

std::string ErrorReport::Title() const {
    return "Unexpected error in TessalyApp." + module + "." + procedure;
}

std::string ErrorReport::Text() const {
    return std::to_string(number) + " - " + description + " (Error source - " + source + ")";
}

void StderrErrorSink::Show(const ErrorReport& report) noexcept {
    try {
        std::fprintf(stderr, "%s: %s\n", report.Title().c_str(), report.Text().c_str());
    } catch (...) {
    }
}

void RecordingErrorSink::Show(const ErrorReport& report) noexcept {
    try {
        reports_.push_back(report);
    } catch (...) {
    }
}

ErrorSink& CurrentErrorSink() { return *gSink; }

void SetErrorSink(ErrorSink* sink) { gSink = sink != nullptr ? sink : &gStderrSink; }

ScopedErrorSink::ScopedErrorSink(ErrorSink& sink) : previous_(gSink) { gSink = &sink; }

ScopedErrorSink::~ScopedErrorSink() { gSink = previous_; }

ErrorCounter::ErrorCounter() : start_(gReportCount) {}

int ErrorCounter::Count() const { return static_cast<int>(gReportCount - start_); }

void StdErrHandler(std::string_view module, std::string_view procedure,
                   const AppError& error) noexcept {
    ++gReportCount;
    try {
        ErrorReport report{error.Number(), error.Description(), error.Source(), std::string(module),
                           std::string(procedure)};
        gSink->Show(report);
    } catch (...) {
        // the reporter itself never fails: a report that cannot be shown is dropped
    }
}

void ReportCurrentException(std::string_view module, std::string_view procedure) noexcept {
    try {
        throw;
    } catch (const AppError& error) {
        StdErrHandler(module, procedure, error);
    } catch (const std::bad_alloc&) {
        StdErrHandler(module, procedure, AppError(ErrorNumber::OutOfMemory));
    } catch (const std::exception& error) {
        StdErrHandler(module, procedure, AppError(ErrorNumber::InvalidProcedureCall, error.what()));
    } catch (...) {
        StdErrHandler(module, procedure, AppError(ErrorNumber::InvalidProcedureCall));
    }
}

}  // namespace tessaly
