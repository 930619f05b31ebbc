#include "rewrite.h"

#include "decoding.h"
#include "walker.h"

namespace atnformat {
namespace {

struct Refused {
    std::size_t offset;
};

// Copies the walked file into `m_out`, from the first changed string on.
class Rewriter final : public detail::WalkVisitor {
public:
    Rewriter(std::span<const std::uint8_t> bytes, const StringRewrite &rewrite) : m_bytes(bytes), m_rewrite(rewrite)
    {
    }

    void string(const detail::WalkedString &s) override
    {
        m_text.clear();
        if (!m_rewrite(StoredText{s.offset, s.layout, s.role, s.key, s.event, s.text}, m_text) || m_text == s.text)
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

    // The rewritten file; empty when nothing changed.
    std::vector<std::uint8_t> finish()
    {
        if (m_changed > 0)
            copyUpTo(m_bytes.size());
        return std::move(m_out);
    }
    [[nodiscard]] std::size_t changed() const { return m_changed; }

private:
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
    const StringRewrite &m_rewrite;
    std::vector<std::uint8_t> m_out;
    std::u16string m_text;
    std::size_t m_copied = 0;
    std::size_t m_changed = 0;
};

// `kept`, when given, is the buffer `bytes` views: it becomes the result when
// nothing changes or the rewrite fails.
RewriteResult rewrite(std::span<const std::uint8_t> bytes, const StringRewrite &rewrite,
                      std::vector<std::uint8_t> *kept)
{
    RewriteResult result;
    Rewriter rewriter(bytes, rewrite);
    try {
        result.error = detail::walk(bytes, &rewriter);
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

// Applies the pairs in order to one text, counting per pair the texts it rewrote.
class PairReplacer {
public:
    explicit PairReplacer(std::span<const TextPair> pairs) : counts(pairs.size(), 0)
    {
        for (const TextPair &pair : pairs)
            m_pairs.push_back({detail::utf16(pair.search), detail::utf16(pair.replacement)});
    }

    bool operator()(const StoredText &text, std::u16string &out)
    {
        bool changed = false;
        std::u16string_view current = text.units;
        for (std::size_t i = 0; i < m_pairs.size(); ++i) {
            const std::u16string_view search = m_pairs[i].first, replacement = m_pairs[i].second;
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
    std::vector<std::pair<std::u16string, std::u16string>> m_pairs;
    std::u16string m_next;
};

RewriteResult replace(std::span<const std::uint8_t> bytes, std::span<const TextPair> pairs,
                      std::vector<std::uint8_t> *kept)
{
    PairReplacer replacer(pairs);
    RewriteResult result = rewrite(bytes, std::ref(replacer), kept);
    if (result.succeeded())
        result.textsRewritten = std::move(replacer.counts);
    else
        result.textsRewritten.assign(pairs.size(), 0);
    return result;
}

} // namespace

RewriteResult rewriteStrings(std::span<const std::uint8_t> bytes, const StringRewrite &function)
{
    return rewrite(bytes, function, nullptr);
}

RewriteResult rewriteStrings(std::vector<std::uint8_t> &&bytes, const StringRewrite &function)
{
    return rewrite(bytes, function, &bytes);
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
