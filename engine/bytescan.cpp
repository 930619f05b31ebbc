#include "bytescan.h"

#include <atomic>
#include <cstring>
#include <stdexcept>

#if defined(__x86_64__)
#include <immintrin.h>
#define ATNLINGO_X86_KERNELS 1
#endif

namespace engine::detail {
namespace {

bool equalsEither(const std::uint8_t *at, const Needle &needle)
{
    return std::memcmp(at, needle.be, needle.size) == 0 || std::memcmp(at, needle.le, needle.size) == 0;
}

// Every kernel filters on two bytes of the text that lie on the same side of
// their units, c1 in the first unit and c2 in the last, D = size - 2 bytes
// apart. Call q a hit when data[q] == c1 and data[q + D] == c2. Whichever
// side is chosen, one byte order has it one byte further on than the other,
// so either encoding can start at p only if p or p + 1 is a hit: the kernels
// look for hits and compare the text in full at q - 1 and q. The low bytes
// are used, as in Latin text the high bytes are mostly zero, unless a low
// byte is zero and the high bytes are not.
struct Filter {
    std::uint8_t c1;
    std::uint8_t c2;
    std::size_t distance;
};

Filter filterFor(const Needle &needle)
{
    const std::size_t last = needle.size - 2;
    const bool lowZero = needle.be[1] == 0 || needle.be[last + 1] == 0;
    const bool highZero = needle.be[0] == 0 || needle.be[last] == 0;
    if (lowZero && !highZero)
        return {needle.be[0], needle.be[last], last};
    return {needle.be[1], needle.be[last + 1], last};
}

// The match that a hit at q stands for, if any: at q - 1 or at q, and within
// [from, limit). Hits lie in [from, limit].
std::size_t matchAround(const std::uint8_t *data, std::size_t q, std::size_t from, std::size_t limit,
                        const Needle &needle)
{
    if (q > from && equalsEither(data + q - 1, needle))
        return q - 1;
    if (q < limit && equalsEither(data + q, needle))
        return q;
    return kNotFound;
}

// Hits from q on, found by memchr for c1; the vector kernels end with it too.
std::size_t findFromHit(const std::uint8_t *data, std::size_t from, std::size_t q, std::size_t limit,
                        const Needle &needle)
{
    const Filter filter = filterFor(needle);
    while (q <= limit) {
        const void *hit = std::memchr(data + q, filter.c1, limit + 1 - q);
        if (hit == nullptr)
            break;
        q = std::size_t(static_cast<const std::uint8_t *>(hit) - data);
        if (data[q + filter.distance] == filter.c2) {
            const std::size_t found = matchAround(data, q, from, limit, needle);
            if (found != kNotFound)
                return found;
        }
        ++q;
    }
    return limit;
}

std::size_t findEitherPortable(const std::uint8_t *data, std::size_t from, std::size_t limit, const Needle &needle)
{
    return findFromHit(data, from, from, limit, needle);
}

std::size_t findNullUnitPortable(const std::uint8_t *data, std::size_t from, std::size_t size)
{
    for (std::size_t j = from; j + 1 < size; j += 2) {
        if (data[j] == 0 && data[j + 1] == 0)
            return j;
    }
    return kNotFound;
}

#ifdef ATNLINGO_X86_KERNELS

// The first match among the hits of `mask` (bit k for q + k).
std::size_t firstMatch(const std::uint8_t *data, std::size_t q, std::uint64_t mask, std::size_t from,
                       std::size_t limit, const Needle &needle)
{
    while (mask != 0) {
        const std::size_t hit = q + static_cast<std::size_t>(__builtin_ctzll(mask));
        const std::size_t found = matchAround(data, hit, from, limit, needle);
        if (found != kNotFound)
            return found;
        mask &= mask - 1;
    }
    return kNotFound;
}

std::size_t findEitherSse2(const std::uint8_t *data, std::size_t from, std::size_t limit, const Needle &needle)
{
    const Filter filter = filterFor(needle);
    const std::size_t d = filter.distance;
    const __m128i c1 = _mm_set1_epi8(static_cast<char>(filter.c1));
    const __m128i c2 = _mm_set1_epi8(static_cast<char>(filter.c2));
    const auto load = [](const std::uint8_t *at) { return _mm_loadu_si128(reinterpret_cast<const __m128i *>(at)); };
    std::size_t q = from;
    // Hits q .. q + 15, all at most limit; the loads end at limit + d, the
    // last byte of a match at limit - 1.
    for (; q + 16 <= limit + 1; q += 16) {
        const std::uint8_t *at = data + q;
        const __m128i hits = _mm_and_si128(_mm_cmpeq_epi8(load(at), c1), _mm_cmpeq_epi8(load(at + d), c2));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
        if (mask != 0) {
            const std::size_t found = firstMatch(data, q, mask, from, limit, needle);
            if (found != kNotFound)
                return found;
        }
    }
    return findFromHit(data, from, q, limit, needle);
}

std::size_t findNullUnitSse2(const std::uint8_t *data, std::size_t from, std::size_t size)
{
    const __m128i zero = _mm_setzero_si128();
    std::size_t j = from;
    for (; j + 16 <= size; j += 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + j));
        const auto zeros = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero)));
        // A unit starts at every even offset; it is null when its byte and the next are zero.
        const unsigned units = zeros & (zeros >> 1) & 0x5555u;
        if (units != 0)
            return j + static_cast<std::size_t>(__builtin_ctz(units));
    }
    return findNullUnitPortable(data, j, size);
}

// Lambdas would not inherit the target attribute, hence these helpers.
__attribute__((target("avx2"))) inline __m256i splat256(std::uint8_t byte)
{
    return _mm256_set1_epi8(static_cast<char>(byte));
}

__attribute__((target("avx2"))) inline __m256i load256(const std::uint8_t *at)
{
    return _mm256_loadu_si256(reinterpret_cast<const __m256i *>(at));
}

__attribute__((target("avx2"))) inline __m256i hits256(const std::uint8_t *at, std::size_t d, __m256i c1,
                                                        __m256i c2)
{
    return _mm256_and_si256(_mm256_cmpeq_epi8(load256(at), c1), _mm256_cmpeq_epi8(load256(at + d), c2));
}

__attribute__((target("avx2"))) std::size_t findEitherAvx2(const std::uint8_t *data, std::size_t from,
                                                           std::size_t limit, const Needle &needle)
{
    const Filter filter = filterFor(needle);
    const std::size_t d = filter.distance;
    const __m256i c1 = splat256(filter.c1);
    const __m256i c2 = splat256(filter.c2);
    std::size_t q = from;
    // Hits q .. q + 63 per round, with one test for all of them.
    for (; q + 64 <= limit + 1; q += 64) {
        const __m256i low = hits256(data + q, d, c1, c2);
        const __m256i high = hits256(data + q + 32, d, c1, c2);
        const __m256i any = _mm256_or_si256(low, high);
        if (_mm256_testz_si256(any, any))
            continue;
        const auto mask = std::uint64_t(std::uint32_t(_mm256_movemask_epi8(low)))
                          | std::uint64_t(std::uint32_t(_mm256_movemask_epi8(high))) << 32;
        const std::size_t found = firstMatch(data, q, mask, from, limit, needle);
        if (found != kNotFound)
            return found;
    }
    return findFromHit(data, from, q, limit, needle);
}

__attribute__((target("avx2"))) std::size_t findNullUnitAvx2(const std::uint8_t *data, std::size_t from,
                                                             std::size_t size)
{
    const __m256i zero = _mm256_setzero_si256();
    std::size_t j = from;
    for (; j + 32 <= size; j += 32) {
        const auto zeros = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(load256(data + j), zero)));
        const std::uint32_t units = zeros & (zeros >> 1) & 0x55555555u;
        if (units != 0)
            return j + static_cast<std::size_t>(__builtin_ctz(units));
    }
    return findNullUnitSse2(data, j, size);
}

#endif // ATNLINGO_X86_KERNELS

struct Kernel {
    ScanKernel id;
    std::size_t (*findEither)(const std::uint8_t *, std::size_t, std::size_t, const Needle &);
    std::size_t (*findNullUnit)(const std::uint8_t *, std::size_t, std::size_t);
};

constexpr Kernel kPortable{ScanKernel::Portable, findEitherPortable, findNullUnitPortable};
#ifdef ATNLINGO_X86_KERNELS
constexpr Kernel kSse2{ScanKernel::Sse2, findEitherSse2, findNullUnitSse2};
constexpr Kernel kAvx2{ScanKernel::Avx2, findEitherAvx2, findNullUnitAvx2};
#endif

bool supports(ScanKernel kernel)
{
    switch (kernel) {
    case ScanKernel::Portable:
        return true;
#ifdef ATNLINGO_X86_KERNELS
    case ScanKernel::Sse2:
        return true; // part of x86-64 itself
    case ScanKernel::Avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
#else
    case ScanKernel::Sse2:
    case ScanKernel::Avx2:
        return false;
#endif
    }
    return false;
}

const Kernel &kernelFor(ScanKernel kernel)
{
    switch (kernel) {
#ifdef ATNLINGO_X86_KERNELS
    case ScanKernel::Sse2:
        return kSse2;
    case ScanKernel::Avx2:
        return kAvx2;
#endif
    default:
        return kPortable;
    }
}

const Kernel *fastestKernel()
{
    const std::vector<ScanKernel> kernels = supportedScanKernels();
    return &kernelFor(kernels.back());
}

std::atomic<const Kernel *> g_kernel{nullptr};

const Kernel &activeKernel()
{
    const Kernel *kernel = g_kernel.load(std::memory_order_acquire);
    if (kernel == nullptr) {
        kernel = fastestKernel();
        g_kernel.store(kernel, std::memory_order_release);
    }
    return *kernel;
}

} // namespace

std::size_t findEither(const std::uint8_t *data, std::size_t from, std::size_t limit, const Needle &needle)
{
    if (from >= limit)
        return limit;
    return activeKernel().findEither(data, from, limit, needle);
}

std::size_t findNullUnit(const std::uint8_t *data, std::size_t from, std::size_t size)
{
    return activeKernel().findNullUnit(data, from, size);
}

std::vector<ScanKernel> supportedScanKernels()
{
    std::vector<ScanKernel> kernels;
    for (ScanKernel kernel : {ScanKernel::Portable, ScanKernel::Sse2, ScanKernel::Avx2}) {
        if (supports(kernel))
            kernels.push_back(kernel);
    }
    return kernels;
}

ScanKernel scanKernel()
{
    return activeKernel().id;
}

void setScanKernel(ScanKernel kernel)
{
    if (!supports(kernel))
        throw std::invalid_argument("scan kernel not supported by this processor: "
                                    + std::string(scanKernelName(kernel)));
    g_kernel.store(&kernelFor(kernel), std::memory_order_release);
}

std::string_view scanKernelName(ScanKernel kernel)
{
    switch (kernel) {
    case ScanKernel::Portable:
        return "portable";
    case ScanKernel::Sse2:
        return "sse2";
    case ScanKernel::Avx2:
        return "avx2";
    }
    return "unknown";
}

} // namespace engine::detail
