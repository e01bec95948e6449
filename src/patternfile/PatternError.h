#pragma once

#include <cstdint>
#include <string>

#include "errors/AppError.h"

namespace tessaly {

// A pattern file the reader refuses: which procedure found it, the line (0 when the problem is
// not on one line) and a description that names the file, the line and what is wrong.
class PatternFileError : public AppError {
  public:
    PatternFileError(ErrorNumber number, std::string procedure, std::int64_t line,
                     std::string description)
        : AppError(number, std::move(description)), procedure_(std::move(procedure)), line_(line) {}

    const std::string& Procedure() const { return procedure_; }
    std::int64_t Line() const { return line_; }

  private:
    std::string procedure_;
    std::int64_t line_;
};

}  // namespace tessaly
