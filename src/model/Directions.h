#pragma once

#include <cstdint>
#include <string_view>

namespace tessaly {

// An idle card does not turn in a pick: it keeps its hole order and the way it faces.
enum TurnDirection : std::int32_t { Forward = 0, Backward = 1, Idle = 2 };
enum ThreadDirection : std::int32_t { ZThread = 0, SThread = 1 };

// S for Z and Z for S: a card turned over is threaded the other way.
constexpr ThreadDirection OtherThreading(ThreadDirection thread) {
    return thread == SThread ? ZThread : SThread;
}

// The turn a letter of a turning sequence asks for: "B" or "b" turns backward; any other
// text, also "" or "FB", turns forward.
std::int32_t FindTurn(std::string_view letter) noexcept;

}  // namespace tessaly
