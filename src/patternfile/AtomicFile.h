#pragma once

#include <string>
#include <string_view>

namespace tessaly {

// Replaces the file at path with the given bytes, or leaves it as it was: the bytes go to a
// temporary file in the same folder, which takes the target's place only once everything
// was written and flushed. Failures raise AppError (75 path/file access, 61 disk full).
void WriteFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace tessaly
