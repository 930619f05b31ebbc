// The visitor behind rewrite.h: it asks a `Rewrite` for the new text of the
// stored strings the walk tells it and keeps the changes in a RewritePlan;
// after the walk the plan is made in the input's own buffer where its
// capacity holds the result, otherwise in new memory. A change that would
// take the plan past its room (an eighth of the input, and 64 KiB) has the
// plan written into new memory at once, and the changes after it follow as
// the walk goes: the input, the result and a little besides is all that a
// rewrite holds.
//
// `Rewrite` has
//   bool mayChange(const WalkedString &s): false when `s` keeps its text for
//       sure; asked of every string, inlined into the walk, so quick;
//   bool operator()(const WalkedString &s, std::u16string &replacement):
//       false to keep `s`, or true after putting its new text into
//       `replacement`, given empty, in the stored form of `s.layout` (each
//       unit the two bytes the file holds, read as one number; see
//       storedUnit), so that it is compared and written as it stands.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <vector>

#include "decoding.h"
#include "rewrite.h"
#include "rewriteplan.h"
#include "walker.h"

namespace atnformat::detail {

// Thrown by the rewriter for a new text the file cannot hold.
struct Refused {
    std::size_t offset;
};

template <typename Rewrite>
class Rewriter {
public:
    Rewriter(std::span<const std::uint8_t> bytes, Rewrite &rewrite)
        : m_bytes(bytes), m_rewrite(rewrite), m_plan(bytes.size() / 8 + (64 << 10)) {}

    [[gnu::always_inline]] bool wants(const WalkedString &s) const { return m_rewrite.mayChange(s); }

    void version(std::uint32_t) {}
    void action() {}
    void event() {}

    [[gnu::noinline]] void string(const WalkedString &s)
    {
        m_text.clear();
        if (!m_rewrite(s, m_text) || same(s, m_text))
            return;
        const std::size_t units = m_text.size() + 1;
        if (units > kMaxTextUnits || holdsUnpairedSurrogate(m_text, s.layout))
            throw Refused{s.offset};
        m_encoded.resize((s.layout == Layout::BigEndian ? 4 : 16) + 2 * units);
        encode(m_encoded.data(), s.layout, units);
        if (!m_building && !m_plan.add(s.start, s.end, m_encoded))
            build(m_bytes.size() / 8);
        if (m_building) {
            m_out.insert(m_out.end(), m_bytes.data() + m_copied, m_bytes.data() + s.start);
            m_out.insert(m_out.end(), m_encoded.begin(), m_encoded.end());
            m_copied = s.end;
        }
        ++m_changed;
    }

    [[nodiscard]] std::size_t changed() const { return m_changed; }

    // The result of a whole walk that changed a string. `kept`, when given,
    // is the buffer the walk read: changed in place if it has the room.
    std::vector<std::uint8_t> finish(std::vector<std::uint8_t> *kept)
    {
        if (!m_building && kept && kept->capacity() >= m_plan.resultSize(m_bytes.size())) {
            m_plan.applyInPlace(*kept);
            return std::move(*kept);
        }
        if (!m_building)
            build(0);
        m_out.insert(m_out.end(), m_bytes.data() + m_copied, m_bytes.data() + m_bytes.size());
        return std::move(m_out);
    }

private:
    // Whether the stored text of `s` is `text`, in its stored form.
    static bool same(const WalkedString &s, std::u16string_view text)
    {
        return text.size() == s.length() && std::memcmp(s.text, text.data(), 2 * text.size()) == 0;
    }

    // Writes the length fields, m_text and its ending null, `units` in all.
    void encode(std::uint8_t *to, Layout layout, std::size_t units) const
    {
        const auto put32 = [&](std::size_t value, bool bigEndian) {
            const auto n = static_cast<std::uint32_t>(value);
            for (int i = 0; i < 4; ++i)
                *to++ = static_cast<std::uint8_t>(n >> (bigEndian ? 24 - 8 * i : 8 * i));
        };
        if (layout == Layout::BigEndian) {
            put32(units, true);
        } else {
            put32(2 * units + 12, true);
            for (const char c : {'t', 'x', 't', 'u'})
                *to++ = static_cast<std::uint8_t>(c);
            put32(2 * units + 12, false);
            put32(units, false);
        }
        std::memcpy(to, m_text.data(), 2 * m_text.size());
        to[2 * m_text.size()] = to[2 * m_text.size() + 1] = 0;
    }

    // Writes what the plan holds into new memory, with `room` for more, and
    // from now on each change as it comes.
    void build(std::size_t room)
    {
        m_out.reserve(m_plan.resultSize(m_bytes.size()) + room);
        m_copied = m_plan.appendTo(m_out, m_bytes);
        m_plan.clear();
        m_building = true;
    }

    std::span<const std::uint8_t> m_bytes;
    Rewrite &m_rewrite;
    RewritePlan m_plan;
    bool m_building = false;
    std::vector<std::uint8_t> m_out;
    std::size_t m_copied = 0; // when building: the input up to here is in m_out
    std::u16string m_text;
    std::vector<std::uint8_t> m_encoded; // m_text as stored, with its length fields
    std::size_t m_changed = 0;
};

// Rewrites `bytes` with `rewrite`. `kept`, when given, is the buffer `bytes`
// views: it becomes the result when nothing changes or the rewrite fails.
template <typename Rewrite>
RewriteResult rewrite(std::span<const std::uint8_t> bytes, Rewrite &rewrite, std::vector<std::uint8_t> *kept)
{
    RewriteResult result;
    Rewriter<Rewrite> rewriter(bytes, rewrite);
    try {
        result.error = walk(bytes, rewriter);
    } catch (const Refused &refused) {
        result.refusedAt = refused.offset;
    }
    if (result.succeeded() && rewriter.changed() > 0) {
        result.stringsChanged = rewriter.changed();
        result.bytes = rewriter.finish(kept);
    } else if (kept) {
        result.bytes = std::move(*kept);
    } else if (result.succeeded()) {
        result.bytes.assign(bytes.begin(), bytes.end());
    }
    return result;
}

} // namespace atnformat::detail
