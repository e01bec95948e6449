#include "Numeric.h"

#include <cmath>
#include <limits>

#include "AppError.h"

namespace tessaly {

std::int16_t CheckedInt16(std::int64_t value) {
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        throw AppError(ErrorNumber::Overflow);
    return static_cast<std::int16_t>(value);
}

std::int32_t CheckedInt32(std::int64_t value) {
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        throw AppError(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(value);
}

std::int32_t RoundToInt32(double value) {
    if (!std::isfinite(value) || value < -2147483648.5 || value > 2147483647.5)
        throw AppError(ErrorNumber::Overflow);
    const double rounded = std::nearbyint(value);  // the default rounding mode is half-to-even
    return CheckedInt32(static_cast<std::int64_t>(rounded));
}

std::optional<std::int64_t> ParseRoundedInteger(std::string_view text) {
    // Far beyond 32 bits, so the caller still sees an overflow, not a wrap-around.
    constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    std::size_t i = begin;
    bool negative = false;
    if (i < end && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t whole = 0;
    int digits = 0;
    for (; i < end && text[i] >= '0' && text[i] <= '9'; ++i, ++digits)
        whole = whole < kSaturated ? whole * 10 + (text[i] - '0') : kSaturated;
    int fractionDigits = 0;
    int firstFraction = 0;     // the first digit after the point
    bool restNonZero = false;  // any non-zero digit after the first one
    if (i < end && text[i] == '.') {
        for (++i; i < end && text[i] >= '0' && text[i] <= '9'; ++i, ++fractionDigits) {
            if (fractionDigits == 0)
                firstFraction = text[i] - '0';
            else if (text[i] != '0')
                restNonZero = true;
        }
    }
    if (i != end || digits + fractionDigits == 0) return std::nullopt;
    const bool roundUp =
        firstFraction > 5 || (firstFraction == 5 && (restNonZero || whole % 2 == 1));
    if (roundUp && whole < kSaturated) ++whole;
    return negative ? -whole : whole;
}

namespace {
std::int64_t ParseOrThrow(std::string_view text) {
    auto value = ParseRoundedInteger(text);
    if (!value) throw AppError(ErrorNumber::TypeMismatch);
    return *value;
}
}  // namespace

std::int16_t TextToInt16(std::string_view text) { return CheckedInt16(ParseOrThrow(text)); }

std::int32_t TextToInt32(std::string_view text) { return CheckedInt32(ParseOrThrow(text)); }

}  // namespace tessaly
