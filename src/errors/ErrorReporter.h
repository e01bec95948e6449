#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "AppError.h"

namespace tessaly {

// One unexpected run-time error as the user is told about it.
struct ErrorReport {
    std::int32_t number = 0;
    std::string description;
    std::string source;
    std::string module;
    std::string procedure;

    // "Unexpected error in TessalyApp.<module>.<procedure>"
    std::string Title() const;
    // "<number> - <description> (Error source - <source>)"
    std::string Text() const;
};

// Where reports go: a message box in the desktop program, stderr in the exporter,
// a recorder in tests. Show must not throw.
class ErrorSink {
  public:
    virtual ~ErrorSink() = default;
    virtual void Show(const ErrorReport& report) noexcept = 0;
};

class StderrErrorSink : public ErrorSink {
  public:
    void Show(const ErrorReport& report) noexcept override;
};

class RecordingErrorSink : public ErrorSink {
  public:
    void Show(const ErrorReport& report) noexcept override;
    const std::vector<ErrorReport>& Reports() const { return reports_; }

  private:
    std::vector<ErrorReport> reports_;
};

// The sink in force; stderr until someone installs another. The program runs on one thread.
ErrorSink& CurrentErrorSink();
void SetErrorSink(ErrorSink* sink);  // nullptr restores stderr

// Installs a sink for the lifetime of the object, then puts the previous one back.
class ScopedErrorSink {
  public:
    explicit ScopedErrorSink(ErrorSink& sink);
    ~ScopedErrorSink();
    ScopedErrorSink(const ScopedErrorSink&) = delete;
    ScopedErrorSink& operator=(const ScopedErrorSink&) = delete;

  private:
    ErrorSink* previous_;
};

// Counts the reports that pass through while it lives, so a caller can tell whether the
// procedures it called carried on after a failure.
class ErrorCounter {
  public:
    ErrorCounter();
    int Count() const;

  private:
    long start_;
};

// The one reporter: names the failing procedure and hands the report to the sink.
// It never throws.
void StdErrHandler(std::string_view module, std::string_view procedure,
                   const AppError& error) noexcept;

// Turns whatever escaped a procedure into an AppError and reports it.
void ReportCurrentException(std::string_view module, std::string_view procedure) noexcept;

// The error trap every procedure that can fail runs under: on a run-time error the error is
// reported with the procedure's module and name, the procedure is left, and the caller
// carries on. Returns false when the body failed; a function keeps the value its result
// held at that moment.
template <class Body>
bool Trap(std::string_view module, std::string_view procedure, Body&& body) noexcept {
    try {
        body();
        return true;
    } catch (...) {
        ReportCurrentException(module, procedure);
        return false;
    }
}

}  // namespace tessaly
