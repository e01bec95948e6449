#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "errors/AppError.h"
#include "errors/ErrorReporter.h"

namespace tessaly {

// The collections of the model count from 1, as weavers count cards and picks.

// The element at a 1-based index of a random-access container; error 9 outside 1..size.
template <class Container>
auto& OneBasedAt(Container& items, std::int32_t index) {
    if (index < 1 || static_cast<std::size_t>(index) > items.size())
        throw AppError(ErrorNumber::SubscriptOutOfRange);
    return items[static_cast<std::size_t>(index - 1)];
}

// The same, for callers without a trap of their own: an index outside is reported under the
// collection's name, and nothing is returned.
template <class Container>
auto* OneBasedItem(Container& items, std::int32_t index, std::string_view collection) {
    decltype(&OneBasedAt(items, index)) found = nullptr;
    Trap(collection, "Item", [&] { found = &OneBasedAt(items, index); });
    return found;
}

}  // namespace tessaly
