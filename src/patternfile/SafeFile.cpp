#include "SafeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <system_error>

#include "errors/AppError.h"

namespace tessaly {

namespace {

namespace fs = std::filesystem;

// --- Temporaries a signal handler can remove ----------------------------------------------
// Fixed storage: the handler may only read memory and call unlink().

constexpr int kMaxTemporaries = 64;
constexpr std::size_t kMaxPathBytes = 4096;
char gTemporaryPaths[kMaxTemporaries][kMaxPathBytes];
volatile std::sig_atomic_t gTemporaryUsed[kMaxTemporaries];

// Files are written from more than one thread (a recovery copy beside a Save): a slot is
// claimed by one of them only.
std::mutex gTemporaryClaims;

int RegisterTemporary(const std::string& path) {
    if (path.size() >= kMaxPathBytes) return -1;
    const std::lock_guard<std::mutex> claiming(gTemporaryClaims);
    for (int i = 0; i < kMaxTemporaries; ++i) {
        if (gTemporaryUsed[i] != 0) continue;
        std::memcpy(gTemporaryPaths[i], path.c_str(), path.size() + 1);
        gTemporaryUsed[i] = 1;
        return i;
    }
    return -1;
}

void ForgetTemporary(int& slot) {
    if (slot >= 0) gTemporaryUsed[slot] = 0;
    slot = -1;
}

// Holds back the signals that stop the program while a temporary is made and recorded, so
// that no signal falls between the two.
class StopSignalsHeld {
  public:
    StopSignalsHeld() {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&held, signal);
        ::sigprocmask(SIG_BLOCK, &held, &previous_);
    }
    ~StopSignalsHeld() { ::sigprocmask(SIG_SETMASK, &previous_, nullptr); }
    StopSignalsHeld(const StopSignalsHeld&) = delete;
    StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

  private:
    sigset_t previous_;
};

extern "C" void RemoveTemporariesAndStop(int signal) {
    for (int i = 0; i < kMaxTemporaries; ++i)
        if (gTemporaryUsed[i] != 0) ::unlink(gTemporaryPaths[i]);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

// --- Errors --------------------------------------------------------------------------------

[[noreturn]] void Fail(ErrorNumber number, const std::string& path, const std::string& why) {
    throw AppError(number,
                   std::string(StandardDescription(number)) + ": " + path + " (" + why + ")");
}

[[noreturn]] void FailErrno(const std::string& path, int err) {
    const ErrorNumber number = err == ENOSPC || err == EDQUOT    ? ErrorNumber::DiskFull
                               : err == EACCES || err == EPERM   ? ErrorNumber::PermissionDenied
                               : err == ENOENT || err == ENOTDIR ? ErrorNumber::PathNotFound
                                                                 : ErrorNumber::PathFileAccessError;
    Fail(number, path, std::generic_category().message(err));
}

// --- Where a path really leads -------------------------------------------------------------

struct Target {
    enum Kind { NewFile, RegularFile, InPlace };
    std::string path;  // the file to replace: a symbolic link's target, not the link
    Kind kind = NewFile;
    struct stat status {};
};

std::string FolderOf(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? std::string(".") : folder;
}

Target Resolve(const std::string& requested) {
    if (requested.empty()) Fail(ErrorNumber::PathFileAccessError, "''", "no file name");
    if (requested.back() == '/')
        Fail(ErrorNumber::PathFileAccessError, requested,
             "the name ends in '/': it names a folder");
    Target target;
    struct stat followed {};
    if (::stat(requested.c_str(), &followed) == 0) {
        if (S_ISDIR(followed.st_mode))
            Fail(ErrorNumber::PathFileAccessError, requested, "it is a folder");
        // devices, FIFOs, sockets and the like are written where they are, through the name
        // given (which may be a link only the kernel can follow, as /dev/stdout is)
        if (!S_ISREG(followed.st_mode)) return {requested, Target::InPlace, followed};
    }
    std::string current = requested;
    for (int hop = 0; hop < 40; ++hop) {
        struct stat own {};
        if (::lstat(current.c_str(), &own) != 0) {
            if (errno != ENOENT) FailErrno(requested, errno);
            struct stat folder {};
            const std::string parent = FolderOf(current);
            if (::stat(parent.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
                Fail(ErrorNumber::PathNotFound, requested,
                     "the folder " + parent + " does not exist");
            return {current, Target::NewFile, {}};
        }
        if (S_ISLNK(own.st_mode)) {
            std::error_code error;
            const fs::path link = fs::read_symlink(current, error);
            if (error) FailErrno(requested, error.value());
            current =
                link.is_absolute() ? link.string() : (fs::path(FolderOf(current)) / link).string();
            continue;
        }
        if (S_ISDIR(own.st_mode))
            Fail(ErrorNumber::PathFileAccessError, requested, "it is a folder");
        target.path = current;
        target.kind = S_ISREG(own.st_mode) ? Target::RegularFile : Target::InPlace;
        target.status = own;
        return target;
    }
    Fail(ErrorNumber::PathFileAccessError, requested, "too many symbolic links");
}

// Opens a device or FIFO for writing without waiting for a reader that may never come.
int OpenInPlace(const std::string& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            Fail(ErrorNumber::PathFileAccessError, path, "nothing is reading from it");
        FailErrno(path, errno);
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    return fd;
}

void WriteAll(int fd, std::string_view bytes, const std::string& path) {
    // in pieces, so a signal to stop is answered while a big file is being written
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), std::min(bytes.size(), kPiece));
        if (written < 0) {
            if (errno == EINTR) continue;
            FailErrno(path, errno);
        }
        if (written == 0) FailErrno(path, EIO);  // a device that takes nothing more
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // some file systems cannot sync a folder; the rename has happened either way
    ::close(fd);
}

mode_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return static_cast<mode_t>(0666 & ~mask);
}

// A fresh, unused name beside target: ".<name>.tessaly-<what>-XXXXXX", created empty.
std::pair<std::string, int> CreateBeside(const std::string& target, const char* what) {
    const fs::path path(target);
    std::string pattern = (fs::path(FolderOf(target)) /
                           ("." + path.filename().string() + ".tessaly-" + what + "-XXXXXX"))
                              .string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0) FailErrno(target, errno);
    return {pattern, fd};
}

}  // namespace

struct FileTransaction::Output {
    std::string requested;
    Target target;
    std::string bytes;
    std::string temporary;
    int temporarySlot = -1;
    std::string backup;  // a second name for the file being replaced, until all are in place
    int backupSlot = -1;
    bool replaced = false;

    ~Output() { Discard(); }

    // Removes what this output made beside its target: the temporary (unless it took the
    // target's place) and the kept copy of the old file.
    void Discard() {
        if (!temporary.empty() && !replaced) ::unlink(temporary.c_str());
        temporary.clear();
        ForgetTemporary(temporarySlot);
        if (!backup.empty()) ::unlink(backup.c_str());
        backup.clear();
        ForgetTemporary(backupSlot);
    }

    // Writes the bytes to a synced temporary beside the target, with the target's mode.
    void Stage() {
        int fd = -1;
        {
            const StopSignalsHeld held;
            auto [name, made] = CreateBeside(target.path, "partial");
            temporary = name;
            fd = made;
            temporarySlot = RegisterTemporary(temporary);
        }
        try {
            WriteAll(fd, bytes, requested);
            if (target.kind == Target::RegularFile) {
                ::fchmod(fd, target.status.st_mode & 07777);
                // keeping the owner needs privileges the process may not have: best effort
                if (::fchown(fd, target.status.st_uid, target.status.st_gid) != 0) {
                }
            } else {
                ::fchmod(fd, NewFileMode());
            }
            if (::fsync(fd) != 0) FailErrno(requested, errno);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0) FailErrno(requested, errno);
    }

    // Keeps the file about to be replaced under a second name, so a failure can put it back.
    void KeepOld() {
        if (target.kind != Target::RegularFile) return;
        auto [name, fd] = CreateBeside(target.path, "previous");
        ::close(fd);
        ::unlink(name.c_str());
        const StopSignalsHeld held;
        if (::link(target.path.c_str(), name.c_str()) != 0) return;  // no hard links here
        backup = name;
        backupSlot = RegisterTemporary(backup);
    }

    void Replace() {
        if (::rename(temporary.c_str(), target.path.c_str()) != 0) FailErrno(requested, errno);
        replaced = true;
        ForgetTemporary(temporarySlot);
    }

    void PutBack() {
        if (!replaced) return;
        if (!backup.empty()) {
            if (::rename(backup.c_str(), target.path.c_str()) == 0) {
                backup.clear();
                ForgetTemporary(backupSlot);
            }
        } else if (target.kind == Target::NewFile) {
            ::unlink(target.path.c_str());
        }
        replaced = false;
        temporary.clear();
    }

    void WriteInPlace() {
        const int fd = OpenInPlace(target.path);
        try {
            WriteAll(fd, bytes, requested);
        } catch (...) {
            ::close(fd);
            throw;
        }
        if (::close(fd) != 0) FailErrno(requested, errno);
    }
};

FileTransaction::FileTransaction() = default;
FileTransaction::~FileTransaction() = default;

void FileTransaction::CheckWritable(const std::string& path) {
    const Target target = Resolve(path);
    if (target.kind == Target::InPlace) {
        ::close(OpenInPlace(target.path));
        return;
    }
    const std::string folder = FolderOf(target.path);
    if (::access(folder.c_str(), W_OK) != 0) FailErrno(path, errno);
}

bool FileTransaction::SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    const bool firstExists = ::stat(a.c_str(), &first) == 0;
    const bool secondExists = ::stat(b.c_str(), &second) == 0;
    if (firstExists && secondExists)
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    if (firstExists != secondExists) return false;
    // two names not yet made: the same when they lead to the same place
    const auto place = [](const std::string& path) {
        std::string resolved = path;
        try {
            resolved = Resolve(path).path;
        } catch (const AppError&) {
        }
        std::error_code error;
        const fs::path canonical = fs::weakly_canonical(fs::absolute(resolved), error);
        return error ? fs::absolute(resolved).lexically_normal() : canonical;
    };
    return place(a) == place(b);
}

void FileTransaction::Add(const std::string& path, std::string bytes) {
    auto output = std::make_unique<Output>();
    output->requested = path;
    output->target = Resolve(path);
    output->bytes = std::move(bytes);
    outputs_.push_back(std::move(output));
}

void FileTransaction::Commit() {
    std::vector<Output*> replaced;
    std::vector<Output*> inPlace;
    for (auto& output : outputs_)
        (output->target.kind == Target::InPlace ? inPlace : replaced).push_back(output.get());

    std::set<std::string> folders;
    try {
        // every new file is whole and on disk, and every device and stream has taken what it
        // was sent, before the first old file is touched: a full device or a closed pipe
        // leaves every file as it was
        for (Output* output : replaced) output->Stage();
        for (Output* output : inPlace) output->WriteInPlace();
        for (Output* output : replaced) {
            output->KeepOld();
            output->Replace();
            folders.insert(FolderOf(output->target.path));
        }
    } catch (...) {
        for (Output* output : replaced) {
            output->PutBack();
            output->Discard();
        }
        throw;
    }
    for (const std::string& folder : folders) SyncFolder(folder);
    outputs_.clear();
}

void WriteFileAtomically(const std::string& path, std::string_view bytes) {
    FileTransaction transaction;
    transaction.Add(path, std::string(bytes));
    transaction.Commit();
}

void InstallTemporaryCleanup() {
    // a reader that goes away (a pipe closed by "head") is a failed write like any other,
    // reported and cleaned up, not a signal that ends the program on the spot
    ::signal(SIGPIPE, SIG_IGN);
    struct sigaction action {};
    action.sa_handler = RemoveTemporariesAndStop;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP}) ::sigaction(signal, &action, nullptr);
}

}  // namespace tessaly
