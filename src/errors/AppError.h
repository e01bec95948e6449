#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tessaly {

// The classic run-time error numbers; reports show them in decimal.
enum class ErrorNumber : std::int32_t {
    InvalidProcedureCall = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    FileNotFound = 53,
    FileAlreadyOpen = 55,
    DeviceIoError = 57,
    DiskFull = 61,
    InputPastEndOfFile = 62,
    PermissionDenied = 70,
    PathFileAccessError = 75,
    PathNotFound = 76,
    ObjectNotSet = 91,
};

// The standard description of an error number ("Overflow", "Subscript out of range" ...).
std::string_view StandardDescription(ErrorNumber number);

// The one exception type of the core. It carries what the reporter shows: the error number,
// a description and the part of the program that raised it.
class AppError : public std::runtime_error {
  public:
    explicit AppError(ErrorNumber number, std::string description = {},
                      std::string source = "TessalyApp");

    std::int32_t Number() const { return number_; }
    const std::string& Description() const { return description_; }
    const std::string& Source() const { return source_; }

  private:
    std::int32_t number_;
    std::string description_;
    std::string source_;
};

// Raises error 91 when a required object is missing, so a null reference is reported
// through the trap instead of crashing.
template <class T>
T& Require(T* object) {
    if (object == nullptr) throw AppError(ErrorNumber::ObjectNotSet);
    return *object;
}

}  // namespace tessaly
