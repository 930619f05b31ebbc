// The content as the scan sees it. Rewrites are planned while every byte
// the walk back to a length field reads lies after the last planned
// replacement, and while the plan stays small; otherwise the result is built
// in new memory from then on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "builder.h"
#include "encodedtext.h"
#include "plan.h"

namespace engine::detail {

class Content {
public:
    // `plan`: whether rewrites may be planned at all; `storage`: the input's
    // own, to make planned rewrites in at once (see Plan).
    Content(Input input, const EncodedText &search, const EncodedText &replacement, bool plan,
            std::uint8_t *storage, std::size_t room);

    [[nodiscard]] bool building() const noexcept { return m_builder.has_value(); }
    [[nodiscard]] bool rewritten() const noexcept { return building() || !m_plan.empty(); }
    [[nodiscard]] std::int64_t shift() const noexcept { return building() ? m_builder->shift() : m_plan.shift(); }
    [[nodiscard]] const Plan &plan() const noexcept { return m_plan; }
    void prepareToApply() { m_plan.prepareToApply(); }
    void applyTo(Bytes &buffer) noexcept { m_plan.applyTo(buffer); }

    // See Builder::bytes. `inputAt` is where the scan stands.
    [[nodiscard]] const std::uint8_t *bytes(std::int64_t at, std::int64_t count, std::uint8_t *scratch,
                                            std::int64_t inputAt)
    {
        if (!building()) {
            if (at >= m_plan.untouchedFrom())
                return m_input.data() + (at - m_plan.shift());
            startBuilding(inputAt);
        }
        return m_builder->bytes(at, count, scratch);
    }

    [[nodiscard]] std::uint32_t read32(std::int64_t at, Order order, std::int64_t inputAt)
    {
        std::uint8_t scratch[4];
        return decode32(bytes(at, 4, scratch, inputAt), order);
    }

    void rewrite(std::int64_t q, const Bytes &with, std::int64_t fieldAt, Order order, std::int64_t field);

    void copyUpTo(std::int64_t inputAt) { m_builder->copyUpTo(inputAt); }

    [[nodiscard]] Bytes finishBuilding() && { return std::move(*m_builder).finish(); }

    void undo() const noexcept { m_plan.undo(); }

private:
    void startBuilding(std::int64_t inputAt) { m_builder.emplace(m_input, m_plan, inputAt); }

    Input m_input;
    Plan m_plan;
    std::optional<Builder> m_builder;
    std::size_t m_planLimit = 0; // rewrites
    std::size_t m_planBytes = 0;
};

} // namespace engine::detail
