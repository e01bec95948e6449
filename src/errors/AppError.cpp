#include "AppError.h"

namespace tessaly {

std::string_view StandardDescription(ErrorNumber number) {
    switch (number) {
        case ErrorNumber::InvalidProcedureCall:
            return "Invalid procedure call or argument";
        case ErrorNumber::Overflow:
            return "Overflow";
        case ErrorNumber::OutOfMemory:
            return "Out of memory";
        case ErrorNumber::SubscriptOutOfRange:
            return "Subscript out of range";
        case ErrorNumber::DivisionByZero:
            return "Division by zero";
        case ErrorNumber::TypeMismatch:
            return "Type mismatch";
        case ErrorNumber::FileNotFound:
            return "File not found";
        case ErrorNumber::FileAlreadyOpen:
            return "File already open";
        case ErrorNumber::DeviceIoError:
            return "Device I/O error";
        case ErrorNumber::DiskFull:
            return "Disk full";
        case ErrorNumber::InputPastEndOfFile:
            return "Input past end of file";
        case ErrorNumber::PermissionDenied:
            return "Permission denied";
        case ErrorNumber::PathFileAccessError:
            return "Path/File access error";
        case ErrorNumber::PathNotFound:
            return "Path not found";
        case ErrorNumber::ObjectNotSet:
            return "Object variable or With block variable not set";
    }
    return "Application-defined or object-defined error";
}

AppError::AppError(ErrorNumber number, std::string description, std::string source)
    : std::runtime_error(description.empty() ? std::string(StandardDescription(number))
                                             : description),
      number_(static_cast<std::int32_t>(number)),
      description_(description.empty() ? std::string(StandardDescription(number))
                                       : std::move(description)),
      source_(std::move(source)) {}

}  // namespace tessaly
