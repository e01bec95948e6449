#include "AtomicFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <random>
#include <system_error>

#include "errors/AppError.h"

namespace tessaly {

namespace {

[[noreturn]] void FailWrite(const std::string& path, int err) {
    const ErrorNumber number = err == ENOSPC                   ? ErrorNumber::DiskFull
                               : err == EACCES || err == EPERM ? ErrorNumber::PermissionDenied
                                                               : ErrorNumber::PathFileAccessError;
    throw AppError(number, std::string(StandardDescription(number)) + ": " + path +
                               (err != 0 ? " (" + std::generic_category().message(err) + ")" : ""));
}

std::string TemporaryName(const std::string& path) {
    std::random_device seed;
    return path + ".tmp" + std::to_string(seed() % 1000000);
}

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    const std::string temporary = TemporaryName(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wbx");
    if (file == nullptr) FailWrite(path, errno);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    int err = written ? 0 : errno;
    if (std::fflush(file) != 0 && err == 0) err = errno == 0 ? EIO : errno;
    if (std::fclose(file) != 0 && err == 0) err = errno == 0 ? EIO : errno;
    if (!written || err != 0) {
        std::remove(temporary.c_str());
        FailWrite(path, err == 0 ? EIO : err);
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        std::remove(temporary.c_str());
        FailWrite(path, renameError.value());
    }
}

}  // namespace tessaly
