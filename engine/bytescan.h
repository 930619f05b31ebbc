// The two byte searches at the bottom of `process`: the next place where
// either byte order of the search text stands, and the next 00 00 unit.
//
// Both run at memory speed where the processor allows: there are kernels for
// AVX2 and SSE2 besides a portable one, and the fastest one the processor
// supports is chosen when first needed. Tests and benchmarks may pick another
// with `setScanKernel`; the results never depend on the kernel.
//
// **Example**
//   const Needle needle{be, le, 4};                 // "AB": 00 41 00 42 / 41 00 42 00
//   std::size_t at = findEither(data, 0, size - 4, needle);
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace engine::detail {

// The two encodings of one text, each `size` bytes, `size` even and at least 2.
struct Needle {
    const std::uint8_t *be = nullptr;
    const std::uint8_t *le = nullptr;
    std::size_t size = 0;
};

inline constexpr std::size_t kNotFound = static_cast<std::size_t>(-1);

// The first x in [from, limit) where the bytes from x equal `needle.be` or
// `needle.le`; `limit` when there is none. Reads data[from, limit + size - 1).
[[nodiscard]] std::size_t findEither(const std::uint8_t *data, std::size_t from, std::size_t limit,
                                     const Needle &needle);

// The first j = from, from + 2, from + 4, ... with j + 1 < size where data[j]
// and data[j + 1] are both 0; kNotFound when there is none.
[[nodiscard]] std::size_t findNullUnit(const std::uint8_t *data, std::size_t from, std::size_t size);

enum class ScanKernel { Portable, Sse2, Avx2 };

// The kernels this processor runs, slowest first; Portable is always there.
[[nodiscard]] std::vector<ScanKernel> supportedScanKernels();
[[nodiscard]] ScanKernel scanKernel();
// Only for tests and benchmarks; `kernel` must be supported. Not meant to be
// called while another thread is inside `process`.
void setScanKernel(ScanKernel kernel);
[[nodiscard]] std::string_view scanKernelName(ScanKernel kernel);

} // namespace engine::detail
