#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tessaly {

// 16-bit and 32-bit integers as the pattern and its windows hold them. Results outside the
// range raise error 6 (overflow); text that is not a number raises error 13.

std::int16_t CheckedInt16(std::int64_t value);
std::int32_t CheckedInt32(std::int64_t value);

// Nearest integer, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int32_t RoundToInt32(double value);

// Reads a decimal number ("12", " -3 ", "7.5") as an integer, rounding a fraction to the
// nearest and a half to the even neighbour. Blanks and tabs around it are ignored.
std::int16_t TextToInt16(std::string_view text);
std::int32_t TextToInt32(std::string_view text);

// The same reading without the exception: nullopt for "not a number"; the value may lie
// outside 32 bits, so the caller can tell an overflow from a type mismatch.
std::optional<std::int64_t> ParseRoundedInteger(std::string_view text);

}  // namespace tessaly
