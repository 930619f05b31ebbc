#include "content.h"

#include <algorithm>
#include <atomic>

#include "process.h"

namespace engine::detail {
namespace {

constexpr std::size_t kPlanLimitBySize = std::size_t(-1);
std::atomic<std::size_t> g_planLimit{kPlanLimitBySize};

} // namespace

void setPlanLimit(std::size_t rewrites)
{
    g_planLimit.store(rewrites, std::memory_order_relaxed);
}

void resetPlanLimit()
{
    g_planLimit.store(kPlanLimitBySize, std::memory_order_relaxed);
}

Content::Content(Input input, const EncodedText &search, const EncodedText &replacement, bool plan,
                 std::uint8_t *storage, std::size_t room)
    : m_input(input),
      m_plan(input, search, replacement, storage, room)
{
    // The plan takes about 32 bytes a rewrite: room for 4096 of them, or
    // for a sixteenth of the input's size, but never more than 16 MiB.
    const std::size_t limit = g_planLimit.load(std::memory_order_relaxed);
    m_planLimit = !plan                        ? 0
                  : limit != kPlanLimitBySize ? limit
                                              : std::clamp<std::size_t>(input.size() / 16 / 32, 4096, (16 << 20) / 32);
}

void Content::rewrite(std::int64_t q, const Bytes &with, std::int64_t fieldAt, Order order, std::int64_t field)
{
    if (!building()) {
        const std::int64_t lowest = order == LE ? fieldAt - 12 : fieldAt;
        if (lowest >= m_plan.untouchedFrom() && m_plan.size() < m_planLimit) {
            m_plan.add(q - m_plan.shift(), fieldAt, order, field);
            return;
        }
        startBuilding(q - m_plan.shift());
    }
    m_builder->rewrite(q, m_plan.searchSize(), with, fieldAt, order, field);
}

} // namespace engine::detail
