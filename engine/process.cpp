#include "process.h"

#include <algorithm>
#include <atomic>
#include <bit>
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

// A first-in first-out queue of bytes, kept in a ring.
class Carry {
public:
    [[nodiscard]] std::size_t size() const noexcept { return m_size; }
    [[nodiscard]] std::size_t capacity() const noexcept { return m_ring.size(); }

    // Room for `bytes` in all; the only call that allocates.
    void reserve(std::size_t bytes)
    {
        if (bytes <= m_ring.size())
            return;
        std::vector<std::uint8_t> grown(std::bit_ceil(bytes));
        peek(0, m_size, grown.data());
        m_ring.swap(grown);
        m_head = 0;
    }

    void push(const std::uint8_t *from, std::size_t n) noexcept
    {
        const std::size_t tail = (m_head + m_size) & mask();
        const std::size_t first = std::min(n, m_ring.size() - tail);
        copy(from, m_ring.data() + tail, first);
        copy(from + first, m_ring.data(), n - first);
        m_size += n;
    }

    // Copies `n` bytes from `offset` on, leaving them queued.
    void peek(std::size_t offset, std::size_t n, std::uint8_t *to) const noexcept
    {
        const std::size_t at = (m_head + offset) & mask();
        const std::size_t first = std::min(n, m_ring.size() - at);
        copy(m_ring.data() + at, to, first);
        copy(m_ring.data(), to + first, n - first);
    }

    void drop(std::size_t n) noexcept
    {
        m_head = (m_head + n) & mask();
        m_size -= n;
    }

private:
    static void copy(const std::uint8_t *from, std::uint8_t *to, std::size_t n) noexcept
    {
        if (n > 0)
            std::memcpy(to, from, n);
    }
    [[nodiscard]] std::size_t mask() const noexcept { return m_ring.empty() ? 0 : m_ring.size() - 1; }

    std::vector<std::uint8_t> m_ring;
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

// Rewrites decided during the scan, which never has to read what they
// change. Every one replaces n bytes by m = n + d, so the content after k of
// them is the input shifted by k * d; the length field and header of each
// lie between the previous replacement and its own match.
//
// Given the input's storage, the plan makes the rewrites there while the
// scan goes on, never over input the scan may still read (from the end of the
// last planned match on): the content made so far, up to `written`, stands in
// the storage, holding the input up to `taken`. When rewrites shorten the
// text the content never reaches past the input it was made from, and each
// rewrite is made at once. When they lengthen it, the content reaches into
// input not yet taken, which waits in a carry queue; a rewrite is made only
// once the content it ends does not reach the end of the last planned match,
// and only while the result fits the storage's capacity. `undo` takes the
// storage back to the input. Without storage, or for what is not made yet,
// appendTo builds the content in new memory.
class Plan {
public:
    // `room`: how far the storage may grow beyond the input.
    Plan(Input input, const EncodedText &search, const EncodedText &replacement, std::uint8_t *storage,
         std::size_t room)
        : m_input(input),
          m_search(search),
          m_replacement(replacement),
          m_n(std::int64_t(search.be.size())),
          m_d(std::int64_t(replacement.be.size()) - m_n),
          m_storage(storage),
          m_room(std::int64_t(room))
    {
    }

    [[nodiscard]] std::int64_t searchSize() const noexcept { return m_n; }
    [[nodiscard]] std::int64_t change() const noexcept { return m_d; } // d
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
        if (m_storage != nullptr && m_d > 0 && shift() + m_d <= m_room)
            m_carry.reserve(carryRoom(1));
        m_rewrites.push_back(planned);
        if (m_storage != nullptr)
            makePlanned(false);
    }

    [[nodiscard]] std::size_t resultSize() const noexcept { return std::size_t(std::int64_t(m_input.size()) + shift()); }

    // Appends the content up to input position `upTo` (at least consumed())
    // to the empty `out`.
    void appendTo(Bytes &out, std::int64_t upTo) const
    {
        std::int64_t from = 0;
        if (m_storage != nullptr) {
            out.insert(out.end(), m_storage, m_storage + m_written);
            from = m_taken;
        }
        for (std::size_t k = m_made; k < m_rewrites.size(); ++k) {
            const Planned &r = m_rewrites[k];
            appendInput(out, from, r.inputAt);
            const Bytes &with = m_replacement.in(r.order);
            out.insert(out.end(), with.begin(), with.end());
            from = r.inputAt + m_n;
        }
        appendInput(out, from, upTo);
        for (std::size_t k = m_made; k < m_rewrites.size(); ++k)
            writeFields(m_rewrites[k], out.data());
    }

    // Makes ready for applyTo: the one step of it that may fail.
    void prepareToApply()
    {
        if (m_storage != nullptr && m_d > 0)
            m_carry.reserve(carryRoom(0));
    }

    // Completes the rewrites in `buffer`, whose storage the plan was given,
    // so that it holds the whole result. When they lengthen it, resultSize()
    // must not exceed its capacity: nothing is allocated and nothing fails
    // (after prepareToApply).
    void applyTo(Bytes &buffer) noexcept
    {
        if (m_d > 0)
            buffer.resize(resultSize()); // room for the carried input to go into
        makePlanned(true);
        emitInput(std::int64_t(m_input.size()));
        buffer.resize(resultSize());
    }

    // Takes the storage back to the input after rewrites made in it. The
    // fields and headers lie apart from each other and from every
    // replacement, so their old values can go back in any order.
    void undo() const noexcept
    {
        if (m_storage == nullptr)
            return;
        for (std::size_t k = 0; k < m_made; ++k) {
            const Planned &r = m_rewrites[k];
            encode32(m_storage + r.fieldAt, r.order, std::int64_t(r.field) - m_d / 2);
            if (r.order == LE) {
                encode32(m_storage + r.fieldAt - 4, LE, std::int64_t(r.littleEndianCount) - m_d);
                encode32(m_storage + r.fieldAt - 12, BE, std::int64_t(r.bigEndianCount) - m_d);
            }
        }
        // Every stretch of input between two matches goes back where it
        // was: back to front when the content is shorter than the input,
        // front to back when it is longer, so that none is overwritten
        // before it has moved.
        const std::int64_t m = m_n + m_d;
        const auto restore = [&](std::size_t k) {
            const Planned &r = m_rewrites[k];
            const std::int64_t end = k + 1 < m_made ? m_rewrites[k + 1].inputAt : m_taken;
            const std::int64_t from = r.inputAt + std::int64_t(k) * m_d + m;
            std::memmove(m_storage + r.inputAt + m_n, m_storage + from, std::size_t(end - (r.inputAt + m_n)));
            copy(m_search.in(r.order), m_storage + r.inputAt);
        };
        if (m_d <= 0) {
            for (std::size_t k = m_made; k-- > 0;)
                restore(k);
            return;
        }
        // Front to back, each stretch before its match, then the carried input.
        std::int64_t from = 0;
        for (std::size_t k = 0; k < m_made; ++k) {
            const Planned &r = m_rewrites[k];
            const std::int64_t at = r.inputAt + std::int64_t(k) * m_d; // its replacement
            const std::int64_t start = k == 0 ? 0 : m_rewrites[k - 1].inputAt + m_n;
            std::memmove(m_storage + start, m_storage + from, std::size_t(r.inputAt - start));
            copy(m_search.in(r.order), m_storage + r.inputAt);
            from = at + m;
        }
        const std::int64_t start = m_made == 0 ? 0 : m_rewrites[m_made - 1].inputAt + m_n;
        std::memmove(m_storage + start, m_storage + from, std::size_t(m_taken - start));
        m_carry.peek(0, m_carry.size(), m_storage + m_taken);
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

    static constexpr std::size_t kChunk = 64 << 10;

    // What the carry holds at most while the planned rewrites and `more`
    // besides are made: what it carries between them, and a chunk or a
    // replacement on top.
    [[nodiscard]] std::size_t carryRoom(std::size_t more) const noexcept
    {
        return std::size_t(shift() + std::int64_t(more) * m_d) + std::max<std::size_t>(kChunk, std::size_t(m_n + m_d));
    }

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

    // Appends the input from `from` to `to` (not before taken) to `out`.
    void appendInput(Bytes &out, std::int64_t from, std::int64_t to) const
    {
        const std::uint8_t *in = m_input.data();
        if (m_storage != nullptr && m_d > 0 && from < m_written) {
            const std::int64_t carried = std::min(to, m_written) - from;
            const std::size_t at = out.size();
            out.resize(at + std::size_t(carried));
            m_carry.peek(std::size_t(from - m_taken), std::size_t(carried), out.data() + at);
            from += carried;
        }
        out.insert(out.end(), in + from, in + to);
    }

    // Makes the planned rewrites not made yet in the storage, as far as they
    // may be made before the scan is over; all of them when `all`.
    void makePlanned(bool all) noexcept
    {
        const std::int64_t limit = consumed();
        for (; m_made < m_rewrites.size(); ++m_made) {
            const Planned &r = m_rewrites[m_made];
            const std::int64_t growth = std::int64_t(m_made + 1) * m_d;
            if (!all && (r.inputAt + m_n + growth > limit || growth > m_room))
                return;
            emitInput(r.inputAt);
            emitReplacement(r);
            writeFields(r, m_storage);
        }
    }

    // Moves the input from taken up to `to` into the content.
    void emitInput(std::int64_t to) noexcept
    {
        if (m_d <= 0) {
            if (m_written != m_taken)
                std::memmove(m_storage + m_written, m_storage + m_taken, std::size_t(to - m_taken));
            m_written += to - m_taken;
            m_taken = to;
            return;
        }
        const std::int64_t carried = m_written - m_taken;
        if (carried == 0) { // the content is the input where it stands
            m_written = m_taken = to;
            return;
        }
        if (to - m_taken > carried + std::int64_t(kChunk) && m_carry.capacity() >= 2 * std::size_t(carried)) {
            // A long stretch moves in one go: what it will cover goes into
            // the carry, the rest moves up by what is carried, and what was
            // carried comes first.
            const std::int64_t end = m_written + (to - m_taken);
            m_carry.push(m_storage + end - carried, std::size_t(carried));
            std::memmove(m_storage + m_written + carried, m_storage + m_written, std::size_t(end - carried - m_written));
            m_carry.peek(0, std::size_t(carried), m_storage + m_written);
            m_carry.drop(std::size_t(carried));
            m_written = end;
            m_taken = to;
            return;
        }
        // The storage at `written` holds the input just after the carried
        // part: into the carry with it, and out comes the input to write.
        while (m_taken < to) {
            const auto n = std::size_t(std::min<std::int64_t>(to - m_taken, kChunk));
            m_carry.push(m_storage + m_written, n);
            m_carry.peek(0, n, m_storage + m_written);
            m_carry.drop(n);
            m_written += std::int64_t(n);
            m_taken += std::int64_t(n);
        }
    }

    // Puts the replacement of the match at taken into the content.
    void emitReplacement(const Planned &r) noexcept
    {
        const std::int64_t m = m_n + m_d;
        if (m_d > 0) {
            m_carry.push(m_storage + m_written, std::size_t(m));
            m_carry.drop(std::size_t(m_n));
        }
        copy(m_replacement.in(r.order), m_storage + m_written);
        m_written += m;
        m_taken += m_n;
    }

    Input m_input;
    const EncodedText &m_search;
    const EncodedText &m_replacement;
    std::int64_t m_n;
    std::int64_t m_d;
    std::uint8_t *m_storage;
    std::int64_t m_room;
    std::vector<Planned> m_rewrites;
    std::size_t m_made = 0;      // rewrites made in the storage
    std::int64_t m_taken = 0;    // input made into content
    std::int64_t m_written = 0;  // content in the storage
    Carry m_carry;               // the input from taken to written, when d > 0
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
    Builder(Input input, const Plan &plan, std::int64_t inputAt) : m_input(input), m_shift(plan.shift())
    {
        reserveFor(inputAt, plan.searchSize(), plan.change());
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
        m_builder->rewrite(q, m_plan.searchSize(), with, fieldAt, order, field);
    }

    void copyUpTo(std::int64_t inputAt) { m_builder->copyUpTo(inputAt); }

    [[nodiscard]] Bytes finishBuilding() && { return std::move(*m_builder).finish(); }

    void undo() const noexcept { m_plan.undo(); }

private:
    void startBuilding(std::int64_t inputAt) { m_builder.emplace(m_input, m_plan, inputAt); }

    Input m_input;
    Plan m_plan;
    std::optional<Builder> m_builder;
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
    Content content(input, texts.search, texts.replacement, false, nullptr, 0);
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
    // The rewrites are made in the buffer as the scan goes, as far as they
    // can be; taken back if anything fails.
    Content content(input, texts.search, texts.replacement, true, buffer.data(), buffer.capacity() - buffer.size());
    std::optional<Bytes> elsewhere; // a result in new memory
    try {
        rewriteAll(input, content, texts.search, texts.replacement, lenientLittleEndianHandling, console);
        if (content.building())
            elsewhere = std::move(content).finishBuilding();
        else if (content.rewritten() && content.plan().resultSize() > buffer.capacity())
            elsewhere = planned(content.plan(), std::int64_t(buffer.size()));
        else
            content.prepareToApply();
    } catch (...) {
        content.undo();
        throw;
    }
    if (elsewhere) {
        Bytes().swap(buffer);
        return std::move(*elsewhere);
    }
    if (content.rewritten())
        content.applyTo(buffer);
    return std::move(buffer);
}

} // namespace engine
