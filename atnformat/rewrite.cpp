#include "rewrite.h"

#include <cstring>

#include "decoding.h"
#include "rewriter.h"

namespace atnformat {
namespace {

// Hands the caller's function each string as units.
class CallerRewrite {
public:
    explicit CallerRewrite(const StringRewrite &function) : m_function(function) {}

    static bool mayChange(const detail::WalkedString &) { return true; }

    bool operator()(const detail::WalkedString &s, std::u16string &out)
    {
        detail::readUnits(s.text, s.length(), s.layout, m_units);
        m_given.clear();
        if (!m_function(StoredText{s.offset, s.layout, s.role, s.key, s.event, m_units}, m_given))
            return false;
        out = detail::storedUnits(m_given, s.layout);
        return true;
    }

private:
    const StringRewrite &m_function;
    std::u16string m_units;
    std::u16string m_given;
};

// What a text must hold for a search text to occur in it: at least as many
// units, and the search text's first two units (the first alone for a search
// text of one unit), here in every lane as they stand in the file's bytes,
// in each byte order. The quick test of every string looks for the units
// only: texts shorter than the search text are common enough, and their
// lengths random enough, that a test of the length first would send the
// processor the wrong way again and again.
struct Start {
    std::size_t shortest = 0; // an empty search text fits in none
    detail::Units8 first[2] = {};
    detail::Units8 second[2] = {};
    bool single = true;
    detail::Lanes8 anySecond = {}; // all lanes set for a search text of one unit

    explicit Start(std::u16string_view search) : shortest(search.empty() ? std::size_t(-1) : search.size())
    {
        for (const Layout layout : {Layout::BigEndian, Layout::LittleEndian}) {
            const int order = layout == Layout::BigEndian ? 0 : 1;
            if (!search.empty())
                first[order] += detail::storedUnit(search[0], layout);
            if (search.size() > 1)
                second[order] += detail::storedUnit(search[1], layout);
        }
        single = search.size() < 2;
        anySecond = single ? ~detail::Lanes8{} : detail::Lanes8{};
    }

    // Whether the first units occur in `s` (or the first unit as the last
    // one, followed by the ending null).
    [[gnu::always_inline]] bool unitsOccurIn(const detail::WalkedString &s) const
    {
        const int order = s.layout == Layout::BigEndian ? 0 : 1;
        const detail::Units8 a = first[order], b = second[order];
        if (single)
            return detail::anyPosition(s.text, s.length(), s.readable, 16,
                                       [&](const std::uint8_t *q) { return detail::load8(q) == a; });
        return detail::anyPosition(s.text, s.length(), s.readable, 18, [&](const std::uint8_t *q) {
            return (detail::load8(q) == a) & (detail::load8(q + 2) == b);
        });
    }

    bool mayOccurIn(const detail::WalkedString &s) const { return shortest <= s.length() && unitsOccurIn(s); }
};

// Applies the pairs in order to one text, counting per pair the texts it rewrote.
class PairRewrite {
public:
    explicit PairRewrite(std::span<const TextPair> pairs) : counts(pairs.size(), 0)
    {
        for (const TextPair &pair : pairs) {
            const std::u16string search = detail::utf16(pair.search), replacement = detail::utf16(pair.replacement);
            m_pairs.push_back({{detail::storedUnits(search, Layout::BigEndian),
                                detail::storedUnits(search, Layout::LittleEndian)},
                               {detail::storedUnits(replacement, Layout::BigEndian),
                                detail::storedUnits(replacement, Layout::LittleEndian)}});
            m_starts.emplace_back(search);
            if (!search.empty())
                m_searched.push_back(m_starts.back());
        }
    }

    // Every stored string passes here; few go on.
    [[gnu::always_inline]] bool mayChange(const detail::WalkedString &s) const
    {
        if (m_searched.size() == 1) [[likely]]
            return m_searched.front().unitsOccurIn(s);
        // Several pairs: one pass over the text for the first units of all.
        const int order = s.layout == Layout::BigEndian ? 0 : 1;
        return detail::anyPosition(s.text, s.length(), s.readable, 18, [&](const std::uint8_t *q) {
            const detail::Units8 here = detail::load8(q), next = detail::load8(q + 2);
            detail::Lanes8 found{};
            for (const Start &start : m_searched)
                found |= (here == start.first[order]) & ((next == start.second[order]) | start.anySecond);
            return found;
        });
    }

    bool operator()(const detail::WalkedString &s, std::u16string &out)
    {
        std::size_t i = 0;
        while (i < m_pairs.size() && !m_starts[i].mayOccurIn(s))
            ++i;
        if (i == m_pairs.size())
            return false;
        // The units as they stand, compared with the search texts as they would.
        const int order = s.layout == Layout::BigEndian ? 0 : 1;
        m_units.resize(s.length());
        std::memcpy(m_units.data(), s.text, 2 * s.length());
        bool changed = false;
        std::u16string_view current = m_units;
        for (; i < m_pairs.size(); ++i) {
            const std::u16string_view search = m_pairs[i].search[order], replacement = m_pairs[i].replacement[order];
            std::size_t at = search.empty() ? std::u16string_view::npos : current.find(search);
            if (at == std::u16string_view::npos)
                continue;
            m_next.clear();
            std::size_t from = 0;
            do {
                m_next.append(current.substr(from, at - from)).append(replacement);
                from = at + search.size();
                at = current.find(search, from);
            } while (at != std::u16string_view::npos);
            m_next.append(current.substr(from));
            out.swap(m_next);
            current = out;
            ++counts[i];
            changed = true;
        }
        return changed;
    }

    std::vector<std::size_t> counts;

private:
    // In the stored form of each byte order.
    struct Pair {
        std::u16string search[2];
        std::u16string replacement[2];
    };
    std::vector<Pair> m_pairs;
    std::vector<Start> m_starts;   // one for each pair
    std::vector<Start> m_searched; // those of the search texts that are not empty
    std::u16string m_units;
    std::u16string m_next;
};

RewriteResult replace(std::span<const std::uint8_t> bytes, std::span<const TextPair> pairs,
                      std::vector<std::uint8_t> *kept)
{
    PairRewrite pairRewrite(pairs);
    RewriteResult result = detail::rewrite(bytes, pairRewrite, kept);
    if (result.succeeded())
        result.textsRewritten = std::move(pairRewrite.counts);
    else
        result.textsRewritten.assign(pairs.size(), 0);
    return result;
}

} // namespace

RewriteResult rewriteStrings(std::span<const std::uint8_t> bytes, const StringRewrite &function)
{
    CallerRewrite callerRewrite(function);
    return detail::rewrite(bytes, callerRewrite, nullptr);
}

RewriteResult rewriteStrings(std::vector<std::uint8_t> &&bytes, const StringRewrite &function)
{
    CallerRewrite callerRewrite(function);
    return detail::rewrite(bytes, callerRewrite, &bytes);
}

RewriteResult replaceTexts(std::span<const std::uint8_t> bytes, std::span<const TextPair> pairs)
{
    return replace(bytes, pairs, nullptr);
}

RewriteResult replaceTexts(std::vector<std::uint8_t> &&bytes, std::span<const TextPair> pairs)
{
    return replace(bytes, pairs, &bytes);
}

} // namespace atnformat
