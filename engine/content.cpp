#include "content.h"

#include <algorithm>
#include <atomic>

#include "process.h"

namespace engine::detail {
namespace {

constexpr std::size_t kNoRewriteLimit = std::size_t(-1);
std::atomic<std::size_t> g_planLimit{kNoRewriteLimit};

} // namespace

void setPlanLimit(std::size_t rewrites)
{
    g_planLimit.store(rewrites, std::memory_order_relaxed);
}

void resetPlanLimit()
{
    g_planLimit.store(kNoRewriteLimit, std::memory_order_relaxed);
}

Content::Content(Input input, const EncodedText &search, const EncodedText &replacement, bool plan,
                 std::uint8_t *storage, std::size_t room)
    : m_input(input),
      m_plan(input, search, replacement, storage, room)
{
    // The plan takes a few bytes a rewrite; it may take a 64th of the
    // input's size, or 64 KiB.
    m_planLimit = plan ? g_planLimit.load(std::memory_order_relaxed) : 0;
    m_planBytes = std::max<std::size_t>(input.size() / 64, 64 << 10);
}

void Content::rewrite(std::int64_t q, const Bytes &with, std::int64_t fieldAt, Order order, std::int64_t field)
{
    if (!building()) {
        const std::int64_t lowest = order == LE ? fieldAt - 12 : fieldAt;
        if (lowest >= m_plan.untouchedFrom() && m_plan.size() < m_planLimit && m_plan.bytes() < m_planBytes) {
            m_plan.add(q - m_plan.shift(), fieldAt, order);
            return;
        }
        startBuilding(q - m_plan.shift());
    }
    m_builder->rewrite(q, m_plan.searchSize(), with, fieldAt, order, field);
}

} // namespace engine::detail
