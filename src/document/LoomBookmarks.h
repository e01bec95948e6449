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
    // The settings key of the file as it is now: "loom/" and a digest of its absolute path
    // and bytes; empty when it cannot be read. Reading the file once keeps each move quick.
    static QString KeyOf(const QString& path);
    // The pick remembered under this key; nothing for an empty or unknown key.
    static std::optional<std::int32_t> RecallAt(const QString& key);
    // Remembers the pick under this key; an empty key keeps nothing.
    static void RememberAt(const QString& key, std::int32_t pick);

    static std::optional<std::int32_t> Recall(const QString& path) { return RecallAt(KeyOf(path)); }
    static void Remember(const QString& path, std::int32_t pick) { RememberAt(KeyOf(path), pick); }
};

}  // namespace tessaly
