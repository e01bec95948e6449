#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// Pattern files are 8-bit Windows-1252 text, as on the platform the format comes from; a file
// that starts with a UTF-8 byte-order mark is UTF-8. Inside the program all text is UTF-8.

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

std::string Windows1252ToUtf8(std::string_view bytes);
// The Unicode character one Windows-1252 byte stands for.
char32_t Windows1252CodePoint(unsigned char byte);
// nullopt when some character has no Windows-1252 byte (or the text is not valid UTF-8).
std::optional<std::string> Utf8ToWindows1252(std::string_view text);
bool IsValidUtf8(std::string_view text);

// The text without the given characters at either end.
std::string_view Trimmed(std::string_view text, std::string_view spaces = " \t\r\n");
// The text with ASCII capitals made small (file extensions, encoding names).
std::string AsciiLower(std::string_view text);

}  // namespace tessaly
