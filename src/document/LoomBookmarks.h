#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace tessaly {

// The pick a weaver had reached at the loom in each pattern file, kept with the program's
// settings, never in the file. A pick is keyed by the file's path and its content, so a file
// changed since (by Tessaly or another program) does not get back a pick from before.
class LoomBookmarks {
  public:
    // The pick remembered for the file as it is now; nothing for an unknown or changed file,
    // or one that cannot be read.
    static std::optional<std::int32_t> Recall(const QString& path);
    // Remembers the pick for the file as it is now; a file that cannot be read is not kept.
    static void Remember(const QString& path, std::int32_t pick);

  private:
    // "loom/" and a digest of the file's absolute path and bytes; empty when unreadable.
    static QString KeyOf(const QString& path);
};

}  // namespace tessaly
