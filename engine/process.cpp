#include "process.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <span>
#include <string>

#include <sys/mman.h>

#include "bytescan.h"
#include "runtimeerror.h"
#include "utf16.h"

namespace engine {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Input = std::span<const std::uint8_t>;

enum Order { BE = 0, LE = 1 };

constexpr Order other(Order order)
{
    return order == BE ? LE : BE;
}

struct EncodedText {
    Bytes be;
    Bytes le;

    [[nodiscard]] const Bytes &in(Order order) const { return order == BE ? be : le; }
};

EncodedText encodeChecked(std::string_view text, const char *what, const char *whatCapitalised)
{
    if (auto bad = findInvalidUtf8(text)) {
        throw RuntimeError::ThrowException(std::string(whatCapitalised) + " string is not valid UTF-8: "
                                           + bad->reason + " at byte offset " + std::to_string(bad->offset)
                                           + "!");
    }
    EncodedText encoded{encodeUtf16(text, ByteOrder::BigEndian), encodeUtf16(text, ByteOrder::LittleEndian)};
    if (encoded.be.size() != encoded.le.size()) {
        throw RuntimeError::ThrowException(
            std::string("Internal error: Big-endian and little-endian UTF-16 encodings of the ") + what
            + " string are not the same length!");
    }
    if (encoded.be.size() % 2 != 0) {
        throw RuntimeError::ThrowException(std::string("Internal error: UTF-16 encoding of the ") + what
                                           + " string does not have an even number of bytes!");
    }
    return encoded;
}

std::uint32_t decode32(const std::uint8_t *p, Order order)
{
    if (order == BE)
        return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

void encode32(std::uint8_t *p, Order order, std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        const int shift = order == BE ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<std::uint8_t>(v >> shift);
    }
}

// A large result is written once from start to end into fresh memory; with
// huge pages that costs one page fault per 2 MiB instead of one per 4 KiB,
// which otherwise takes as long as the scan itself.
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

// The content as the scan sees it, without ever moving the rest of the input.
// Content positions below `done()` are in the result being built, which holds
// every rewrite made so far; from `done()` on the content is the untouched
// input, shifted by `shift()` (the sum of the length changes so far). The scan
// position never falls below `done()`, so only the walk back to a length field
// and the header fixes read the result, and only the length field and the
// header fixes change bytes already in it.
class Content {
public:
    explicit Content(Input input) : m_input(input) {}

    [[nodiscard]] bool rewritten() const noexcept { return m_rewritten; }
    [[nodiscard]] std::int64_t shift() const noexcept { return m_shift; }
    [[nodiscard]] std::int64_t done() const noexcept { return static_cast<std::int64_t>(m_result.size()); }

    // The `count` content bytes from `at`, where they stand when they lie on
    // one side of done(), else copied into `scratch`; at + count must not
    // reach beyond the scan position + 2.
    [[nodiscard]] const std::uint8_t *bytes(std::int64_t at, std::int64_t count, std::uint8_t *scratch) const
    {
        const std::int64_t split = done();
        if (at >= split)
            return m_input.data() + (at - m_shift);
        if (at + count <= split)
            return m_result.data() + at;
        for (std::int64_t i = 0; i < count; ++i)
            scratch[i] = at + i < split ? m_result[std::size_t(at + i)] : m_input[std::size_t(at + i - m_shift)];
        return scratch;
    }

    [[nodiscard]] std::uint32_t read32(std::int64_t at, Order order) const
    {
        std::uint8_t scratch[4];
        return decode32(bytes(at, 4, scratch), order);
    }

    // Replaces the n content bytes at q by `with`; `fieldAt` (below q) gets the
    // new length field, and for little-endian strings both byte counts of the
    // header are shifted by the change in length.
    void rewrite(std::int64_t q, std::int64_t n, const Bytes &with, std::int64_t fieldAt, Order order,
                 std::int64_t field)
    {
        const std::int64_t d = std::int64_t(with.size()) - n;
        const std::int64_t inputAt = q - m_shift;
        if (!m_rewritten) {
            m_rewritten = true;
            reserveFor(inputAt, n, d);
        }
        const std::int64_t consumed = done() - m_shift;
        m_result.insert(m_result.end(), m_input.begin() + consumed, m_input.begin() + inputAt);
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

    // Copies the input before `inputAt` (not beyond the scan position) into
    // the result unchanged.
    void copyUpTo(std::int64_t inputAt)
    {
        const std::int64_t consumed = done() - m_shift;
        m_result.insert(m_result.end(), m_input.begin() + consumed, m_input.begin() + inputAt);
    }

    [[nodiscard]] Bytes finish() &&
    {
        const std::int64_t consumed = done() - m_shift;
        m_result.insert(m_result.end(), m_input.begin() + consumed, m_input.end());
        return std::move(m_result);
    }

private:
    // Room for the whole result at once, so that it is not copied to grow.
    // Growing rewrites each take n input bytes, which bounds their number; the
    // bound is reserved up to twice the input (untouched capacity costs
    // address space, not memory), and only a result beyond that grows.
    void reserveFor(std::int64_t inputAt, std::int64_t n, std::int64_t d)
    {
        const auto size = static_cast<std::int64_t>(m_input.size());
        std::int64_t growth = 0;
        if (d > 0) {
            const std::int64_t rewrites = (size - inputAt) / n;
            growth = rewrites > size / d ? size : rewrites * d;
        }
        m_result.reserve(std::size_t(size + growth));
        adviseHugePages(m_result.data(), m_result.capacity());
    }

    Input m_input;
    Bytes m_result;
    std::int64_t m_shift = 0;
    bool m_rewritten = false;
};

// The ending-null search of every match, in input positions. Searches start in
// increasing order over the scan, and the first null unit on a unit grid found
// from one start is also the first from any later start on the same grid up
// to it; remembering the last answer per grid keeps the total cost linear even
// when many matches have their ending null far away, or none.
class NullUnits {
public:
    explicit NullUnits(Input input) : m_input(input) {}

    // The position of the first 00 00 unit at from, from + 2, ...; -1 if none.
    [[nodiscard]] std::int64_t find(std::int64_t from)
    {
        Memo &memo = m_memo[from & 1];
        if (memo.from < 0 || from < memo.from || (memo.found >= 0 && from > memo.found)) {
            memo.from = from;
            const std::size_t found = detail::findNullUnit(m_input.data(), std::size_t(from), m_input.size());
            memo.found = found == detail::kNotFound ? -1 : std::int64_t(found);
        }
        return memo.found;
    }

private:
    struct Memo {
        std::int64_t from = -1;
        std::int64_t found = -1;
    };
    Input m_input;
    Memo m_memo[2];
};

std::string decimal(std::int64_t p)
{
    return std::to_string(p);
}

constexpr std::int64_t kCopyWindow = 64 << 10;

// Runs the scan; nothing when no rewrite happened (the result equals the input).
std::optional<Bytes> rewriteAll(Input input, const EncodedText &search, const EncodedText &replacement,
                                bool lenient, Console &console)
{
    const auto size = static_cast<std::int64_t>(input.size());
    const auto n = static_cast<std::int64_t>(search.be.size());
    const auto m = static_cast<std::int64_t>(replacement.be.size());
    const std::int64_t d = m - n;
    // Scan positions p satisfy p < L - n for the current length L, which in
    // input positions is one fixed bound.
    const std::int64_t limit = size - n;
    if (limit <= 0)
        return std::nullopt;

    const detail::Needle needle{search.be.data(), search.le.data(), std::size_t(n)};
    const std::uint8_t *data = input.data();
    Content content(input);
    NullUnits nulls(input);

    // i: the scan position in the input; p = i + shift in the content.
    std::int64_t i = 0;
    while (i < limit) {
        // Once there is a result, the input goes into it in windows right
        // after they are scanned, while they are still in the cache.
        const std::int64_t window = content.rewritten() ? std::min(limit, i + kCopyWindow) : limit;
        i = std::int64_t(detail::findEither(data, std::size_t(i), std::size_t(window), needle));
        if (i >= window) {
            if (window == limit)
                break;
            content.copyUpTo(window);
            continue;
        }
        const std::int64_t shift = content.shift();
        const std::int64_t p = i + shift;

        std::int64_t pos[2] = {-1, -1};
        const Order first = std::memcmp(data + i, search.be.data(), std::size_t(n)) == 0 ? BE : LE;
        pos[first] = p;
        const Order second = other(first);
        if (i + 1 < limit && std::memcmp(data + i + 1, search.in(second).data(), std::size_t(n)) == 0)
            pos[second] = p + 1;

        std::int64_t end[2] = {-1, -1};
        for (Order order : {BE, LE}) {
            if (pos[order] == -1)
                continue;
            const std::int64_t null = nulls.find(pos[order] - shift + n);
            if (null >= 0)
                end[order] = null + 2 + shift;
        }
        if (end[BE] == -1 && end[LE] == -1) {
            console.printout("Match found at index " + decimal(p) + " of output file, but unable to find the ending null.\n");
            ++i;
            continue;
        }

        // Walk back from p - 4 for the length field, switching byte order as
        // starts are found.
        std::int64_t start[2] = {-1, -1};
        bool done[2] = {end[BE] == -1, end[LE] == -1};
        Order current = first;
        for (std::int64_t s = p - 4; s >= 0; --s) {
            if (done[BE] && done[LE])
                break;
            const std::int64_t e = end[current];
            if (e == -1)
                break; // the order cannot change any more: every further candidate is passed over
            std::uint8_t scratch[6];
            const std::uint8_t *bytes = content.bytes(s, 6, scratch);
            if (bytes[4] == 0 && bytes[5] == 0) {
                done[current] = true;
                continue;
            }
            if (decode32(bytes, current) != ((e - s - 4) >> 1)) {
                if (start[other(current)] != -1)
                    break;
                continue;
            }
            if (current == BE) {
                start[BE] = s;
                done[BE] = true;
                current = LE;
                continue;
            }
            done[LE] = true;
            if (s < 12)
                continue;
            if (!lenient) {
                const std::int64_t expected = e - s + 8;
                const std::string prefix = "Possible little-endian string found at offset " + decimal(p);
                if (content.read32(s - 4, LE) != expected) {
                    console.printout(prefix + ", but little-endian byte count is not the expected value.\n");
                    continue;
                }
                if (content.read32(s - 12, BE) != expected) {
                    console.printout(prefix + ", but big-endian byte count is not the expected value.\n");
                    continue;
                }
                std::uint8_t scratch4[4];
                if (std::memcmp(content.bytes(s - 8, 4, scratch4), "txtu", 4) != 0) {
                    console.printout(prefix + ", but signature \"txtu\" not found.\n");
                    continue;
                }
            }
            start[LE] = s;
            current = BE;
        }

        if (start[BE] == -1 && start[LE] == -1) {
            console.printout("Unable to find the start of the string for a match at offset " + decimal(p)
                             + " in output file.\n");
            break;
        }

        const Order order = start[LE] >= 0 ? LE : BE;
        const std::int64_t s = start[order];
        const std::int64_t q = pos[order];
        content.rewrite(q, n, replacement.in(order), s, order, (end[order] - s - 4 + d) >> 1);
        // Go on just after the replacement, which is the input just after the match.
        i = q + m - content.shift();
    }
    if (!content.rewritten())
        return std::nullopt;
    return std::move(content).finish();
}

struct Texts {
    EncodedText search;
    EncodedText replacement;
};

Texts checkedTexts(std::string_view searchString, std::string_view replacementString)
{
    if (searchString.empty())
        throw RuntimeError::ThrowException("Search string must not be empty!");
    static constexpr std::string_view kSignature = "txtu";
    if (kSignature.size() != 4)
        throw RuntimeError::ThrowException("Internal error: Byte-representation of txtu is not 4 bytes!");
    EncodedText search = encodeChecked(searchString, "search", "Search");
    EncodedText replacement = encodeChecked(replacementString, "replacement", "Replacement");
    return {std::move(search), std::move(replacement)};
}

} // namespace

std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console)
{
    const Texts texts = checkedTexts(searchString, replacementString);
    std::optional<Bytes> result =
        rewriteAll(buffer, texts.search, texts.replacement, lenientLittleEndianHandling, console);
    return result ? std::move(*result) : buffer;
}

std::vector<std::uint8_t> process(std::vector<std::uint8_t> &&buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console)
{
    const Texts texts = checkedTexts(searchString, replacementString);
    std::optional<Bytes> result =
        rewriteAll(buffer, texts.search, texts.replacement, lenientLittleEndianHandling, console);
    if (!result)
        return std::move(buffer);
    Bytes().swap(buffer);
    return std::move(*result);
}

} // namespace engine
