#include "builder.h"

#include <algorithm>

#include <sys/mman.h>

namespace engine::detail {

void adviseHugePages(std::uint8_t *data, std::size_t size)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t kHuge = std::uintptr_t(2) << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(data) + kHuge - 1) & ~(kHuge - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(data) + size) & ~(kHuge - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

Builder::Builder(Input input, const Plan &plan, std::int64_t inputAt) : m_input(input), m_shift(plan.shift())
{
    reserveFor(inputAt, plan.searchSize(), plan.change());
    plan.appendTo(m_result, plan.consumed());
}

void Builder::rewrite(std::int64_t q, std::int64_t n, const Bytes &with, std::int64_t fieldAt, Order order,
                      std::int64_t field)
{
    const std::int64_t d = std::int64_t(with.size()) - n;
    copyUpTo(q - m_shift);
    encode32(m_result.data() + fieldAt, order, field);
    if (order == LE) {
        std::uint8_t *le = m_result.data() + fieldAt - 4;
        std::uint8_t *be = m_result.data() + fieldAt - 12;
        encode32(le, LE, std::int64_t(decode32(le, LE)) + d);
        encode32(be, BE, std::int64_t(decode32(be, BE)) + d);
    }
    m_result.insert(m_result.end(), with.begin(), with.end());
    m_shift += d;
}

// Room for the whole result at once, so that it is not copied to grow.
// Growing rewrites each take n input bytes, which bounds their number; the
// bound is reserved up to twice the input (untouched capacity costs
// address space, not memory), and only a result beyond that grows.
void Builder::reserveFor(std::int64_t inputAt, std::int64_t n, std::int64_t d)
{
    const auto size = static_cast<std::int64_t>(m_input.size());
    std::int64_t growth = std::max<std::int64_t>(m_shift, 0);
    if (d > 0) {
        const std::int64_t rewrites = (size - inputAt) / n;
        growth += rewrites > size / d ? size : rewrites * d;
    }
    m_result.reserve(std::size_t(size + growth));
    adviseHugePages(m_result.data(), m_result.capacity());
}

} // namespace engine::detail
