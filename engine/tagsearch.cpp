#include "tagsearch.h"

#include <bit>
#include <initializer_list>

#if defined(__SSE2__) || defined(_M_X64)
#include <immintrin.h>
#endif

namespace hueforge {
namespace {

// First 'T' or 'M' in [p, end) that may start a tag, or end. p must be where the matcher
// starts afresh. Every byte outside chunk data is looked at, so this search is most of the
// scan's time. The wide versions skip a 64-byte block at once when no letter in it is
// followed by its tag's second letter and its last byte is no first letter: then every
// first letter in it fails at the next byte, and the matcher starts afresh after the block.
const std::uint8_t *FindTagStartPlain(const std::uint8_t *p, const std::uint8_t *end)
{
    while (p != end && *p != 'T' && *p != 'M')
        ++p;
    return p;
}

struct BlockMasks {
    std::uint64_t starts;   // 'T' or 'M'
    std::uint64_t prefixes; // "TE" or "MA"
};

bool CanSkip(const BlockMasks &masks)
{
    return masks.prefixes == 0 && (masks.starts >> 63) == 0;
}

#if defined(__SSE2__) || defined(_M_X64)
BlockMasks MasksSse2(const std::uint8_t *p)
{
    const __m128i t = _mm_set1_epi8('T'), m = _mm_set1_epi8('M');
    const __m128i e = _mm_set1_epi8('E'), a = _mm_set1_epi8('A');
    BlockMasks masks{0, 0};
    for (int i = 0; i < 4; ++i) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * i + 1));
        const __m128i isT = _mm_cmpeq_epi8(here, t), isM = _mm_cmpeq_epi8(here, m);
        const __m128i prefix = _mm_or_si128(_mm_and_si128(isT, _mm_cmpeq_epi8(next, e)),
                                            _mm_and_si128(isM, _mm_cmpeq_epi8(next, a)));
        masks.starts |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_or_si128(isT, isM))))
                        << (16 * i);
        masks.prefixes |= std::uint64_t(unsigned(_mm_movemask_epi8(prefix))) << (16 * i);
    }
    return masks;
}

const std::uint8_t *FindTagStartSse2(const std::uint8_t *p, const std::uint8_t *end)
{
    for (; end - p > 64; p += 64) {
        const BlockMasks masks = MasksSse2(p);
        if (!CanSkip(masks))
            return p + std::countr_zero(masks.starts);
    }
    return FindTagStartPlain(p, end);
}
#endif

#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
#define HUEFORGE_HAVE_AVX2_SEARCH 1
__attribute__((target("avx2"))) BlockMasks MasksAvx2(const std::uint8_t *p)
{
    const __m256i t = _mm256_set1_epi8('T'), m = _mm256_set1_epi8('M');
    const __m256i e = _mm256_set1_epi8('E'), a = _mm256_set1_epi8('A');
    BlockMasks masks{0, 0};
    for (int i = 0; i < 2; ++i) {
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32 * i));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(p + 32 * i + 1));
        const __m256i isT = _mm256_cmpeq_epi8(here, t), isM = _mm256_cmpeq_epi8(here, m);
        const __m256i prefix = _mm256_or_si256(_mm256_and_si256(isT, _mm256_cmpeq_epi8(next, e)),
                                               _mm256_and_si256(isM, _mm256_cmpeq_epi8(next, a)));
        masks.starts |=
            std::uint64_t(std::uint32_t(_mm256_movemask_epi8(_mm256_or_si256(isT, isM))))
            << (32 * i);
        masks.prefixes |= std::uint64_t(std::uint32_t(_mm256_movemask_epi8(prefix))) << (32 * i);
    }
    return masks;
}

__attribute__((target("avx2"))) const std::uint8_t *FindTagStartAvx2(const std::uint8_t *p,
                                                                     const std::uint8_t *end)
{
    for (; end - p > 64; p += 64) {
        const BlockMasks masks = MasksAvx2(p);
        if (!CanSkip(masks))
            return p + std::countr_zero(masks.starts);
    }
    return FindTagStartPlain(p, end);
}
#endif

using Search = const std::uint8_t *(*)(const std::uint8_t *, const std::uint8_t *);

Search SearchFor(TagSearchKind kind)
{
    switch (kind) {
    case TagSearchKind::Avx2:
#if defined(HUEFORGE_HAVE_AVX2_SEARCH)
        if (__builtin_cpu_supports("avx2"))
            return FindTagStartAvx2;
#endif
        return nullptr;
    case TagSearchKind::Sse2:
#if defined(__SSE2__) || defined(_M_X64)
        return FindTagStartSse2;
#else
        return nullptr;
#endif
    case TagSearchKind::Plain:
        return FindTagStartPlain;
    }
    return nullptr;
}

Search BestSearch()
{
    for (auto kind : {TagSearchKind::Avx2, TagSearchKind::Sse2})
        if (Search search = SearchFor(kind))
            return search;
    return FindTagStartPlain;
}

Search current = BestSearch();

} // namespace

const std::uint8_t *FindTagStart(const std::uint8_t *p, const std::uint8_t *end)
{
    return current(p, end);
}

bool UseTagSearch(TagSearchKind kind)
{
    Search search = SearchFor(kind);
    if (search)
        current = search;
    return search != nullptr;
}

} // namespace hueforge
