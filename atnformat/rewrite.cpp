#include "rewrite.h"

#include "decoding.h"
#include "walker.h"

namespace atnformat {
namespace {

struct Refused {
    std::size_t offset;
};

// Whether the stored text of `s` is `text`.
bool same(const detail::WalkedString &s, std::u16string_view text)
{
    if (text.size() != s.length())
        return false;
    const int high = s.layout == Layout::BigEndian ? 0 : 1;
    bool differ = false;
    for (std::size_t i = 0; i < text.size(); ++i)
        differ |= s.text[2 * i + high] != std::uint8_t(text[i] >> 8) ||
                  s.text[2 * i + 1 - high] != std::uint8_t(text[i]);
    return !differ;
}

// Copies the walked file into `m_out`, from the first changed string on.
// `Rewrite` gives the new texts: bool(const detail::WalkedString &, std::u16string &replacement).
template <typename Rewrite>
class Rewriter {
public:
    Rewriter(std::span<const std::uint8_t> bytes, Rewrite &rewrite) : m_bytes(bytes), m_rewrite(rewrite) {}

    void version(std::uint32_t) {}
    void action() {}
    void event() {}
    [[gnu::always_inline]] void string(const detail::WalkedString &s)
    {
        // A copy for the rare call, so that the walk builds none for the others.
        if (m_rewrite.mayChange(s)) [[unlikely]]
            change(detail::WalkedString(s));
    }

    // The rewritten file; empty when nothing changed.
    std::vector<std::uint8_t> finish()
    {
        if (m_changed > 0)
            copyUpTo(m_bytes.size());
        return std::move(m_out);
    }
    [[nodiscard]] std::size_t changed() const { return m_changed; }

private:
    [[gnu::noinline]] void change(detail::WalkedString s)
    {
        m_text.clear();
        if (!m_rewrite(s, m_text) || same(s, m_text))
            return;
        const std::size_t units = m_text.size() + 1;
        if (units > detail::kMaxTextUnits || detail::findUnpairedSurrogate(m_text))
            throw Refused{s.offset};
        if (m_out.capacity() == 0)
            m_out.reserve(m_bytes.size() + m_bytes.size() / 16 + 4 * units + 64);
        copyUpTo(s.start);
        if (s.layout == Layout::BigEndian) {
            put32(units, true);
        } else {
            const auto size = static_cast<std::uint32_t>(2 * units + 12);
            put32(size, true);
            m_out.insert(m_out.end(), {'t', 'x', 't', 'u'});
            put32(size, false);
            put32(units, false);
        }
        const int high = s.layout == Layout::BigEndian ? 0 : 1;
        const std::size_t at = m_out.size();
        m_out.resize(at + 2 * units);
        std::uint8_t *p = m_out.data() + at;
        for (std::size_t i = 0; i < m_text.size(); ++i) {
            p[2 * i + high] = static_cast<std::uint8_t>(m_text[i] >> 8);
            p[2 * i + 1 - high] = static_cast<std::uint8_t>(m_text[i]);
        }
        p[2 * units - 2] = p[2 * units - 1] = 0;
        m_copied = s.end;
        ++m_changed;
    }

    void copyUpTo(std::size_t end)
    {
        m_out.insert(m_out.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_copied),
                     m_bytes.begin() + static_cast<std::ptrdiff_t>(end));
        m_copied = end;
    }

    void put32(std::size_t v, bool bigEndian)
    {
        const auto n = static_cast<std::uint32_t>(v);
        const std::uint8_t b[4] = {std::uint8_t(n >> 24), std::uint8_t(n >> 16), std::uint8_t(n >> 8), std::uint8_t(n)};
        if (bigEndian)
            m_out.insert(m_out.end(), b, b + 4);
        else
            m_out.insert(m_out.end(), {b[3], b[2], b[1], b[0]});
    }

    std::span<const std::uint8_t> m_bytes;
    Rewrite &m_rewrite;
    std::vector<std::uint8_t> m_out;
    std::u16string m_text;
    std::size_t m_copied = 0;
    std::size_t m_changed = 0;
};

// `kept`, when given, is the buffer `bytes` views: it becomes the result when
// nothing changes or the rewrite fails.
template <typename Rewrite>
RewriteResult rewrite(std::span<const std::uint8_t> bytes, Rewrite &rewrite, std::vector<std::uint8_t> *kept)
{
    RewriteResult result;
    Rewriter<Rewrite> rewriter(bytes, rewrite);
    try {
        result.error = detail::walk(bytes, rewriter);
    } catch (const Refused &refused) {
        result.refusedAt = refused.offset;
    }
    if (result.succeeded()) {
        result.stringsChanged = rewriter.changed();
        result.bytes = rewriter.finish();
    }
    if (result.stringsChanged == 0) {
        if (kept)
            result.bytes = std::move(*kept);
        else if (result.succeeded())
            result.bytes.assign(bytes.begin(), bytes.end());
    }
    return result;
}

// Hands the caller's function each string as units.
class CallerRewrite {
public:
    explicit CallerRewrite(const StringRewrite &function) : m_function(function) {}

    static bool mayChange(const detail::WalkedString &) { return true; }

    bool operator()(const detail::WalkedString &s, std::u16string &out)
    {
        detail::readUnits(s.text, s.length(), s.layout, m_units);
        return m_function(StoredText{s.offset, s.layout, s.role, s.key, s.event, m_units}, out);
    }

private:
    const StringRewrite &m_function;
    std::u16string m_units;
};

// A search text's first two units as they stand in the file's bytes, in each byte order.
struct Start {
    std::uint16_t first[2] = {};
    std::uint16_t second[2] = {};
    bool single = true;
};

// Whether `s` may hold the search text that `start` begins.
[[gnu::always_inline]] inline bool mayHold(const detail::WalkedString &s, const Start &start)
{
    const int order = s.layout == Layout::BigEndian ? 0 : 1;
    return start.single ? detail::holdsUnit(s.text, s.length(), s.readable, 0xFFFF, start.first[order])
                        : detail::holdsUnitPair(s.text, s.length(), s.readable, start.first[order], start.second[order]);
}

// Applies the pairs in order to one text, counting per pair the texts it rewrote.
class PairRewrite {
public:
    explicit PairRewrite(std::span<const TextPair> pairs) : counts(pairs.size(), 0)
    {
        for (const TextPair &pair : pairs) {
            Pair p{detail::utf16(pair.search), detail::utf16(pair.replacement), {}, 0};
            for (const Layout layout : {Layout::BigEndian, Layout::LittleEndian}) {
                const int order = layout == Layout::BigEndian ? 0 : 1;
                if (!p.search.empty())
                    p.start.first[order] = detail::storedUnit(p.search[0], layout);
                if (p.search.size() > 1)
                    p.start.second[order] = detail::storedUnit(p.search[1], layout);
            }
            p.start.single = p.search.size() < 2;
            // An empty search text matches nothing.
            p.shortest = p.search.empty() ? std::size_t(-1) : p.search.size();
            m_pairs.push_back(std::move(p));
        }
    }

    // Whether a pair's search text may occur in `s`: it fits, and its first
    // units occur. Every stored string passes here; few go on.
    [[gnu::always_inline]] bool mayChange(const detail::WalkedString &s) const
    {
        for (const Pair &pair : m_pairs) {
            if (pair.shortest <= s.length() && mayHold(s, pair.start))
                return true;
        }
        return false;
    }

    bool operator()(const detail::WalkedString &s, std::u16string &out)
    {
        std::size_t i = 0;
        const std::size_t length = s.length();
        while (i < m_pairs.size() && (m_pairs[i].shortest > length || !mayHold(s, m_pairs[i].start)))
            ++i;
        if (i == m_pairs.size())
            return false;
        detail::readUnits(s.text, s.length(), s.layout, m_units);
        bool changed = false;
        std::u16string_view current = m_units;
        for (; i < m_pairs.size(); ++i) {
            const std::u16string_view search = m_pairs[i].search, replacement = m_pairs[i].replacement;
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
    struct Pair {
        std::u16string search;
        std::u16string replacement;
        Start start;
        std::size_t shortest = 0; // the shortest text the search text fits in
    };
    std::vector<Pair> m_pairs;
    std::u16string m_units;
    std::u16string m_next;
};

RewriteResult replace(std::span<const std::uint8_t> bytes, std::span<const TextPair> pairs,
                      std::vector<std::uint8_t> *kept)
{
    PairRewrite pairRewrite(pairs);
    RewriteResult result = rewrite(bytes, pairRewrite, kept);
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
    return rewrite(bytes, callerRewrite, nullptr);
}

RewriteResult rewriteStrings(std::vector<std::uint8_t> &&bytes, const StringRewrite &function)
{
    CallerRewrite callerRewrite(function);
    return rewrite(bytes, callerRewrite, &bytes);
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
