#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Writing files without ever leaving one half written: every file the program writes (pattern,
// picture, drawing, instructions) goes through here.
//
// A regular file or a new name is replaced atomically: the bytes go to a temporary file in the
// same folder, are synced, and take the target's place with one rename; the folder is synced
// after, and a replaced file keeps its permissions (and its owner where the process may keep
// it). A symbolic link is followed and its target replaced the same way. Anything else that
// already exists (a device, a FIFO, a socket) is written in place, never replaced.
//
// Temporaries are hidden files named ".<name>.tessaly-partial-XXXXXX", so a leftover is
// recognisable and never taken for a pattern; InstallTemporaryCleanup removes them when the
// program is stopped by SIGINT or SIGTERM.
//
// Failures raise AppError (75 path/file access, 76 path not found, 70 permission denied,
// 61 disk full) with a message naming the file.
class FileTransaction {
  public:
    FileTransaction();
    ~FileTransaction();  // a transaction not committed leaves every file as it was
    FileTransaction(const FileTransaction&) = delete;
    FileTransaction& operator=(const FileTransaction&) = delete;

    // Checks that path can be written: it names no folder, its folder exists, a device or
    // FIFO there can be opened. Raises AppError otherwise; writes nothing.
    static void CheckWritable(const std::string& path);

    // Whether two paths name the same file: the same existing file under two names, through a
    // link, or the same new name spelt differently.
    static bool SameFile(const std::string& a, const std::string& b);

    // Adds one file to write.
    void Add(const std::string& path, std::string bytes);

    // Writes every file added, or none: all temporaries are written and synced, and every file
    // written in place (a device, a FIFO, a pipe) has taken its bytes, before the first
    // temporary takes its target's place; a failure after that puts back what was replaced.
    // What a device or pipe took cannot be taken back.
    void Commit();

  private:
    struct Output;
    std::vector<std::unique_ptr<Output>> outputs_;
};

// Replaces one file, as a transaction of one.
void WriteFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporaries of unfinished writes when the program is stopped by SIGINT or
// SIGTERM, then lets the signal end the program as it would have. A write to a pipe with no
// reader fails (EPIPE) instead of raising SIGPIPE.
void InstallTemporaryCleanup();

}  // namespace tessaly
