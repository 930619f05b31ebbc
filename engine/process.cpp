#include "process.h"

#include <algorithm>
#include <atomic>
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

constexpr std::size_t kPlanLimitBySize = std::size_t(-1);
std::atomic<std::size_t> g_planLimit{kPlanLimitBySize};

// Rewrites decided during the scan, which never has to read what they
// change. Every one replaces n bytes by m = n + d, so the content after k of
// them is the input shifted by k * d; the length field and header of each
// lie between the previous replacement and its own match.
//
// Without storage of its own, the plan leaves the input untouched and its
// rewrites are made after the scan. Given the input's storage (only when
// d <= 0), each rewrite is made there at once: the content up to the end of
// the last match is then in the storage and the rest of the input stands
// where it was, since the content never grows past the input it was made
// from. `undo` takes the storage back to the input.
class Plan {
public:
    Plan(Input input, const EncodedText &search, const EncodedText &replacement, std::uint8_t *storage)
        : m_input(input),
          m_search(search),
          m_replacement(replacement),
          m_n(std::int64_t(search.be.size())),
          m_d(std::int64_t(replacement.be.size()) - m_n),
          m_storage(storage)
    {
    }

    [[nodiscard]] bool empty() const noexcept { return m_rewrites.empty(); }
    [[nodiscard]] std::size_t size() const noexcept { return m_rewrites.size(); }
    [[nodiscard]] std::int64_t shift() const noexcept { return std::int64_t(m_rewrites.size()) * m_d; }

    // The input consumed by the rewrites: everything up to the end of the
    // last match.
    [[nodiscard]] std::int64_t consumed() const noexcept
    {
        return m_rewrites.empty() ? 0 : m_rewrites.back().inputAt + m_n;
    }

    // From this content position on, the content is the input shifted.
    [[nodiscard]] std::int64_t untouchedFrom() const noexcept { return consumed() + shift(); }

    // Plans the rewrite of the match at input position `inputAt`; the length
    // field at content position `fieldAt`, and the header before it, must lie
    // at or after untouchedFrom().
    void add(std::int64_t inputAt, std::int64_t fieldAt, Order order, std::int64_t field)
    {
        Planned planned{inputAt, fieldAt, static_cast<std::uint32_t>(field), 0, 0, order};
        if (order == LE) {
            const std::uint8_t *header = m_input.data() + (fieldAt - shift());
            planned.littleEndianCount = static_cast<std::uint32_t>(std::int64_t(decode32(header - 4, LE)) + m_d);
            planned.bigEndianCount = static_cast<std::uint32_t>(std::int64_t(decode32(header - 12, BE)) + m_d);
        }
        const std::int64_t from = consumed();
        m_rewrites.push_back(planned);
        if (m_storage != nullptr) {
            // The input since the last match moves up to the content made so far.
            const std::int64_t at = from + shift() - m_d;
            if (at != from)
                std::memmove(m_storage + at, m_storage + from, std::size_t(inputAt - from));
            copy(m_replacement.in(order), m_storage + at + (inputAt - from));
            writeFields(planned, m_storage);
        }
    }

    [[nodiscard]] std::size_t resultSize() const noexcept { return std::size_t(std::int64_t(m_input.size()) + shift()); }

    // Appends the content up to input position `upTo` (at least consumed())
    // to the empty `out`.
    void appendTo(Bytes &out, std::int64_t upTo) const
    {
        const std::uint8_t *in = m_input.data();
        if (m_storage != nullptr) {
            out.insert(out.end(), m_storage, m_storage + untouchedFrom());
            out.insert(out.end(), in + consumed(), in + upTo);
            return;
        }
        std::int64_t from = 0;
        for (const Planned &r : m_rewrites) {
            out.insert(out.end(), in + from, in + r.inputAt);
            const Bytes &with = m_replacement.in(r.order);
            out.insert(out.end(), with.begin(), with.end());
            from = r.inputAt + m_n;
        }
        out.insert(out.end(), in + from, in + upTo);
        for (const Planned &r : m_rewrites)
            writeFields(r, out.data());
    }

    // Completes the rewrites in `buffer`, which must be the input, so that it
    // holds the whole result: when they lengthen it, resultSize() must not
    // exceed its capacity, so that nothing is allocated and nothing can fail.
    void applyTo(Bytes &buffer) const noexcept
    {
        const auto size = std::int64_t(m_input.size());
        if (m_storage != nullptr) {
            std::memmove(m_storage + untouchedFrom(), m_storage + consumed(), std::size_t(size - consumed()));
            buffer.resize(resultSize());
            return;
        }
        // Back to front: with d > 0 everything moves towards the end.
        buffer.resize(resultSize());
        std::uint8_t *data = buffer.data();
        const std::int64_t m = m_n + m_d;
        std::int64_t end = size;
        for (std::size_t k = m_rewrites.size(); k-- > 0;) {
            const Planned &r = m_rewrites[k];
            const std::int64_t from = r.inputAt + m_n;
            const std::int64_t at = r.inputAt + std::int64_t(k) * m_d;
            std::memmove(data + at + m, data + from, std::size_t(end - from));
            copy(m_replacement.in(r.order), data + at);
            end = r.inputAt;
        }
        for (const Planned &r : m_rewrites)
            writeFields(r, data);
    }

    // Takes the storage back to the input after rewrites made in it. The
    // fields and headers lie apart from each other and from every
    // replacement, so their old values can go back in any order.
    void undo() const noexcept
    {
        if (m_storage == nullptr)
            return;
        for (const Planned &r : m_rewrites) {
            encode32(m_storage + r.fieldAt, r.order, std::int64_t(r.field) - m_d / 2);
            if (r.order == LE) {
                encode32(m_storage + r.fieldAt - 4, LE, std::int64_t(r.littleEndianCount) - m_d);
                encode32(m_storage + r.fieldAt - 12, BE, std::int64_t(r.bigEndianCount) - m_d);
            }
        }
        // Back to front, as the content never is longer than the input.
        const std::int64_t m = m_n + m_d;
        std::int64_t end = consumed();
        for (std::size_t k = m_rewrites.size(); k-- > 0;) {
            const Planned &r = m_rewrites[k];
            const std::int64_t from = r.inputAt + std::int64_t(k) * m_d + m;
            std::memmove(m_storage + r.inputAt + m_n, m_storage + from, std::size_t(end - (r.inputAt + m_n)));
            copy(m_search.in(r.order), m_storage + r.inputAt);
            end = r.inputAt;
        }
    }

private:
    struct Planned {
        std::int64_t inputAt;
        std::int64_t fieldAt;
        std::uint32_t field;
        std::uint32_t littleEndianCount;
        std::uint32_t bigEndianCount;
        Order order;
    };

    static void copy(const Bytes &text, std::uint8_t *to) noexcept
    {
        if (!text.empty()) // an empty text has no storage to copy from
            std::memcpy(to, text.data(), text.size());
    }

    static void writeFields(const Planned &r, std::uint8_t *data) noexcept
    {
        encode32(data + r.fieldAt, r.order, r.field);
        if (r.order == LE) {
            encode32(data + r.fieldAt - 4, LE, r.littleEndianCount);
            encode32(data + r.fieldAt - 12, BE, r.bigEndianCount);
        }
    }

    Input m_input;
    const EncodedText &m_search;
    const EncodedText &m_replacement;
    std::int64_t m_n;
    std::int64_t m_d;
    std::uint8_t *m_storage;
    std::vector<Planned> m_rewrites;
};

// The result being built in new memory, once the input can no longer be
// left untouched until the end of the scan. Content positions below `done()`
// are in the result, which holds every rewrite made so far; from `done()` on
// the content is the untouched input, shifted by `shift()` (the sum of the
// length changes so far). The scan position never falls below `done()`, so
// only the walk back to a length field and the header fixes read the result,
// and only the length field and the header fixes change bytes already in it.
class Builder {
public:
    // Starts with the planned rewrites made; `inputAt` is where the scan
    // stands.
    Builder(Input input, const Plan &plan, std::int64_t inputAt, std::int64_t n, std::int64_t d)
        : m_input(input), m_shift(plan.shift())
    {
        reserveFor(inputAt, n, d);
        plan.appendTo(m_result, plan.consumed());
    }

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

    // Replaces the n content bytes at q by `with`; `fieldAt` (below q) gets the
    // new length field, and for little-endian strings both byte counts of the
    // header are shifted by the change in length.
    void rewrite(std::int64_t q, std::int64_t n, const Bytes &with, std::int64_t fieldAt, Order order,
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

    // Copies the input before `inputAt` (not beyond the scan position) into
    // the result unchanged.
    void copyUpTo(std::int64_t inputAt)
    {
        const std::int64_t consumed = done() - m_shift;
        m_result.insert(m_result.end(), m_input.begin() + consumed, m_input.begin() + inputAt);
    }

    [[nodiscard]] Bytes finish() &&
    {
        copyUpTo(std::int64_t(m_input.size()));
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
        std::int64_t growth = std::max<std::int64_t>(m_shift, 0);
        if (d > 0) {
            const std::int64_t rewrites = (size - inputAt) / n;
            growth += rewrites > size / d ? size : rewrites * d;
        }
        m_result.reserve(std::size_t(size + growth));
        adviseHugePages(m_result.data(), m_result.capacity());
    }

    Input m_input;
    Bytes m_result;
    std::int64_t m_shift = 0;
};

// The content as the scan sees it. Rewrites are planned while every byte
// the walk back to a length field reads lies after the last planned
// replacement, and while the plan stays small; otherwise the result is built
// in new memory from then on.
class Content {
public:
    // `plan`: whether rewrites may be planned at all; `storage`: the input's
    // own, to make planned rewrites in at once (see Plan).
    Content(Input input, const EncodedText &search, const EncodedText &replacement, bool plan,
            std::uint8_t *storage)
        : m_input(input),
          m_plan(input, search, replacement, storage),
          m_n(std::int64_t(search.be.size())),
          m_d(std::int64_t(replacement.be.size()) - m_n)
    {
        // The plan takes about 32 bytes a rewrite: at most a sixteenth of the
        // input, but never more than 16 MiB.
        const std::size_t limit = g_planLimit.load(std::memory_order_relaxed);
        m_planLimit = !plan                        ? 0
                      : limit != kPlanLimitBySize ? limit
                                                  : std::clamp<std::size_t>(input.size() / 16 / 32, 4096, (16 << 20) / 32);
    }

    [[nodiscard]] bool building() const noexcept { return m_builder.has_value(); }
    [[nodiscard]] bool rewritten() const noexcept { return building() || !m_plan.empty(); }
    [[nodiscard]] std::int64_t shift() const noexcept { return building() ? m_builder->shift() : m_plan.shift(); }
    [[nodiscard]] const Plan &plan() const noexcept { return m_plan; }

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

    void rewrite(std::int64_t q, const Bytes &with, std::int64_t fieldAt, Order order, std::int64_t field)
    {
        if (!building()) {
            const std::int64_t lowest = order == LE ? fieldAt - 12 : fieldAt;
            if (lowest >= m_plan.untouchedFrom() && m_plan.size() < m_planLimit) {
                m_plan.add(q - m_plan.shift(), fieldAt, order, field);
                return;
            }
            startBuilding(q - m_plan.shift());
        }
        m_builder->rewrite(q, m_n, with, fieldAt, order, field);
    }

    void copyUpTo(std::int64_t inputAt) { m_builder->copyUpTo(inputAt); }

    [[nodiscard]] Bytes finishBuilding() && { return std::move(*m_builder).finish(); }

    void undo() const noexcept { m_plan.undo(); }

private:
    void startBuilding(std::int64_t inputAt) { m_builder.emplace(m_input, m_plan, inputAt, m_n, m_d); }

    Input m_input;
    Plan m_plan;
    std::optional<Builder> m_builder;
    std::int64_t m_n;
    std::int64_t m_d;
    std::size_t m_planLimit = 0;
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

// Runs the scan over `content`, whose input it reads.
void rewriteAll(Input input, Content &content, const EncodedText &search, const EncodedText &replacement,
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
        return;

    const detail::Needle needle{search.be.data(), search.le.data(), std::size_t(n)};
    const std::uint8_t *data = input.data();
    NullUnits nulls(input);

    // i: the scan position in the input; p = i + shift in the content.
    std::int64_t i = 0;
    while (i < limit) {
        // Once a result is being built, the input goes into it in windows
        // right after they are scanned, while they are still in the cache.
        const std::int64_t window = content.building() ? std::min(limit, i + kCopyWindow) : limit;
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
            const std::uint8_t *bytes = content.bytes(s, 6, scratch, i);
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
                if (content.read32(s - 4, LE, i) != expected) {
                    console.printout(prefix + ", but little-endian byte count is not the expected value.\n");
                    continue;
                }
                if (content.read32(s - 12, BE, i) != expected) {
                    console.printout(prefix + ", but big-endian byte count is not the expected value.\n");
                    continue;
                }
                std::uint8_t scratch4[4];
                if (std::memcmp(content.bytes(s - 8, 4, scratch4, i), "txtu", 4) != 0) {
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
        content.rewrite(q, replacement.in(order), s, order, (end[order] - s - 4 + d) >> 1);
        // Go on just after the replacement, which is the input just after the match.
        i = q + m - content.shift();
    }
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

// The result of a scan that planned its rewrites, in new memory.
Bytes planned(const Plan &plan, std::int64_t inputSize)
{
    Bytes result;
    result.reserve(capacityForRewrites(plan.resultSize()));
    adviseHugePages(result.data(), result.capacity());
    plan.appendTo(result, inputSize);
    return result;
}

} // namespace

std::size_t capacityForRewrites(std::size_t size)
{
    return size + size / 4 + (64 << 10);
}

namespace detail {

void setPlanLimit(std::size_t rewrites)
{
    g_planLimit.store(rewrites, std::memory_order_relaxed);
}

void resetPlanLimit()
{
    g_planLimit.store(kPlanLimitBySize, std::memory_order_relaxed);
}

} // namespace detail

std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console)
{
    const Texts texts = checkedTexts(searchString, replacementString);
    const Input input(buffer);
    // The result is new memory anyway: it is built as the scan goes.
    Content content(input, texts.search, texts.replacement, false, nullptr);
    rewriteAll(input, content, texts.search, texts.replacement, lenientLittleEndianHandling, console);
    return content.rewritten() ? std::move(content).finishBuilding() : buffer;
}

std::vector<std::uint8_t> process(std::vector<std::uint8_t> &&buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console)
{
    const Texts texts = checkedTexts(searchString, replacementString);
    const Input input(buffer);
    // Rewrites that do not lengthen the text are made in the buffer as the
    // scan goes; longer ones once it is over, where the buffer has the room.
    const bool lengthening = texts.replacement.be.size() > texts.search.be.size();
    Content content(input, texts.search, texts.replacement, true, lengthening ? nullptr : buffer.data());
    std::optional<Bytes> elsewhere; // a result in new memory
    try {
        rewriteAll(input, content, texts.search, texts.replacement, lenientLittleEndianHandling, console);
        if (content.building())
            elsewhere = std::move(content).finishBuilding();
        else if (content.rewritten() && content.plan().resultSize() > buffer.capacity())
            elsewhere = planned(content.plan(), std::int64_t(buffer.size()));
    } catch (...) {
        content.undo();
        throw;
    }
    if (elsewhere) {
        Bytes().swap(buffer);
        return std::move(*elsewhere);
    }
    if (content.rewritten())
        content.plan().applyTo(buffer);
    return std::move(buffer);
}

} // namespace engine
