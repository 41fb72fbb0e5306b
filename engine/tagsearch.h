#pragma once

#include <cstdint>

namespace hueforge {

// The scanner's search for the next byte that may start a "TEXT" or "MATE" tag: the first
// 'T' or 'M' at or after p, except that bytes which cannot start a tag given how the
// matcher consumes them may be passed over. p must be where the matcher starts afresh.
const std::uint8_t *FindTagStart(const std::uint8_t *p, const std::uint8_t *end);

// The widest search the processor supports is used; tests and benchmarks may pick another.
// Returns false, changing nothing, when this processor or build lacks that one.
enum class TagSearchKind { Plain, Sse2, Avx2 };
bool UseTagSearch(TagSearchKind kind);

} // namespace hueforge
