// engine::process against the literal reference on many random buffers.
//
// The buffers are assembled from the pieces the engine reacts to: big-endian
// and little-endian stored strings (now and then with a wrong length field, a
// missing ending null, a header with a wrong count or signature, or the
// search text hundreds of times over), bare encodings of the search text,
// runs of zeros and noise drawn mostly from the bytes of the texts. Search and replacement texts mix Latin letters, letters
// whose two bytes swap into other letters, characters outside the basic plane
// and NUL. Every case must give the same bytes, console text and report, with
// every scan kernel the processor supports, whether the rewrites are made in
// the given buffer's storage, in new memory after the scan, or in new memory
// as the scan goes.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/bytescan.h"
#include "engine/process.h"
#include "engine/utf16.h"
#include "failingconsole.h"
#include "hexbytes.h"
#include "tests/support/referenceprocess.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Case {
    Bytes buffer;
    std::string search, replacement;
    bool lenient = false;
};

class CaseMaker {
public:
    explicit CaseMaker(std::uint64_t seed) : m_rng(seed) {}

    Case next()
    {
        Case c;
        m_clean = chance(0.5);
        c.search = text(1 + below(3));
        c.replacement = replacementFor(c.search);
        c.lenient = chance(0.3);
        const int pieces = chance(0.05) ? 30 + below(30) : below(12);
        for (int i = 0; i < pieces; ++i)
            addPiece(c.buffer, c.search, c.replacement);
        // A last occurrence without an ending null: a console line after the
        // rewrites, for the calls whose console fails there.
        if (chance(0.25)) {
            const Bytes last = engine::encodeUtf16(c.search, engine::ByteOrder::BigEndian);
            c.buffer.insert(c.buffer.end(), last.begin(), last.end());
            c.buffer.push_back(0x41);
        }
        return c;
    }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(double p) { return std::bernoulli_distribution(p)(m_rng); }

    std::string character()
    {
        // Latin letters dominate, as in real files. U+0101 reads the same in
        // both byte orders. U+0100, U+4100, U+1F600 and NUL have a zero low
        // byte: next to a Latin letter it makes a 00 00 pair off the unit
        // grid, which stops the walk back to a length field; clean cases
        // leave them out.
        static const std::array<std::string, 8> plain = {
            "a", "b", "A", "x", "\u00e9", "\u0101", "\u4e2d", "\U0001F601"};
        static const std::array<std::string, 4> zeroLow = {"\u0100", "\u4100", "\U0001F600", std::string(1, '\0')};
        const int roll = below(100);
        if (roll < 55)
            return plain[std::size_t(below(4))];
        if (m_clean || roll < 80)
            return plain[std::size_t(4 + below(4))];
        return zeroLow[std::size_t(roll < 97 ? below(3) : 3)];
    }

    std::string text(int characters)
    {
        std::string s;
        for (int i = 0; i < characters; ++i)
            s += character();
        return s;
    }

    std::string replacementFor(const std::string &search)
    {
        switch (below(7)) {
        case 0: return "";
        case 1: return search + text(1 + below(2)); // contains the search text
        case 2: return text(below(2)) + search + search;
        case 3: return search;
        default: return text(1 + below(4));
        }
    }

    // Text of a stored string: other characters with the search text among
    // them. `guarded` puts a character before each occurrence whose high byte
    // differs from that of the search text's first character: with a high
    // byte equal to it, the bytes from one position earlier read as the
    // big-endian search text and shadow a little-endian occurrence.
    std::string storedText(const std::string &search, bool guarded)
    {
        const std::uint8_t high = engine::encodeUtf16(search, engine::ByteOrder::BigEndian)[0];
        const std::string guard = high == 0x4E ? "\u0101" : "\u4e2d";
        std::string s;
        const int parts = chance(0.1) ? 20 + below(60) : 1 + below(5);
        for (int i = 0; i < parts; ++i)
            s += chance(0.4) ? (guarded ? guard + search : search) : text(1 + below(3));
        return s;
    }

    // Usually right, sometimes a little off (never in clean cases).
    std::uint32_t perhapsWrong(std::uint32_t value)
    {
        if (m_clean || !chance(0.12))
            return value;
        return value + static_cast<std::uint32_t>(below(5)) - 2u;
    }

    bool ended() { return m_clean || !chance(0.1); }

    static void put32(Bytes &out, std::uint32_t v, engine::ByteOrder order)
    {
        for (int i = 0; i < 4; ++i) {
            const int shift = order == engine::ByteOrder::BigEndian ? 24 - 8 * i : 8 * i;
            out.push_back(static_cast<std::uint8_t>(v >> shift));
        }
    }

    void addPiece(Bytes &out, const std::string &search, const std::string &replacement)
    {
        using engine::ByteOrder;
        const int kind = below(10);
        if (kind <= 5) { // a big-endian stored string, or a little-endian one with its header
            const bool little = kind > 2;
            const ByteOrder order = little ? ByteOrder::LittleEndian : ByteOrder::BigEndian;
            Bytes units = chance(0.007) ? longText(search, replacement, order)
                                        : engine::encodeUtf16(storedText(search, little && m_clean), order);
            const bool ended = this->ended();
            const auto count = std::uint32_t(units.size() / 2 + (ended ? 1 : 0));
            if (little) {
                const std::uint32_t bytes = 2 * count + 12;
                put32(out, perhapsWrong(bytes), ByteOrder::BigEndian);
                out.insert(out.end(), {0x74, 0x78, 0x74, std::uint8_t(!m_clean && chance(0.1) ? 0x78 : 0x75)});
                put32(out, perhapsWrong(bytes), ByteOrder::LittleEndian);
            }
            put32(out, perhapsWrong(count), order);
            out.insert(out.end(), units.begin(), units.end());
            if (ended)
                out.insert(out.end(), {0, 0});
        } else if (kind == 6 && !m_clean) { // the search text on its own
            Bytes units = engine::encodeUtf16(search, chance(0.5) ? ByteOrder::BigEndian : ByteOrder::LittleEndian);
            out.insert(out.end(), units.begin(), units.end());
        } else if (kind == 7) {
            out.insert(out.end(), std::size_t(1 + below(6)), 0);
        } else { // noise, mostly bytes that occur in the texts
            static constexpr std::uint8_t common[] = {0x00, 0x01, 0x41, 0x61, 0x78, 0x4E, 0x2D, 0xD8, 0x3D, 0xDE};
            for (int i = below(13); i > 0; --i)
                out.push_back(!m_clean && chance(0.7) ? common[below(10)] : std::uint8_t(below(256)));
        }
    }

    // The text of a stored string: the search text hundreds of times over,
    // mostly with three units planted in it whose bytes, read one byte off
    // the unit grid, give the length field that fits the string's end after
    // a chosen number k of rewrites of later matches: the walks back from
    // those matches pass it, and only the k-th meets it. Little-endian
    // occurrences are guarded; a one-unit text gets a guard with its low
    // byte, which makes its big-endian reading the second one.
    Bytes longText(const std::string &search, const std::string &replacement, engine::ByteOrder order)
    {
        const bool little = order == engine::ByteOrder::LittleEndian;
        Bytes unit = engine::encodeUtf16(search, order), text;
        const auto d = std::int64_t(engine::encodeUtf16(replacement, order).size()) - std::int64_t(unit.size());
        const std::uint8_t high = unit[1] == 0x4E ? 0x01 : 0x4E;
        if (little && unit.size() == 2) { // the first guard must not follow a 00
            unit.insert(unit.begin(), {unit[0], high});
            text = {0x2D, high};
        } else if (little) {
            unit = engine::encodeUtf16("\u4e2d" + search, order);
        }
        const std::size_t before = std::size_t(below(40)), after = 600 / unit.size() + std::size_t(below(200));
        // The bytes from the planted field to the end: 5, the units after, the null.
        const std::int64_t field = (std::int64_t(after * unit.size()) + 3 + below(int(after)) * d) >> 1;
        const bool plant = chance(0.7) && field >= 256 && field < 65536;
        const auto top = std::uint8_t(field >> 8), low = std::uint8_t(field);
        const Bytes planted = little ? Bytes{0x4E, low, top, 0, 0, 0x41} : Bytes{0x41, 0, 0, top, low, 0x2D};
        for (std::size_t k = 0; k < before + after; ++k) {
            if (k == before && plant)
                text.insert(text.end(), planted.begin(), planted.end());
            text.insert(text.end(), unit.begin(), unit.end());
        }
        return text;
    }

    std::mt19937_64 m_rng;
    // Clean cases hold well-formed strings only, so that their scans mostly
    // run to the end of the buffer instead of stopping at the first oddity.
    bool m_clean = false;
};

// The big-endian byte counts in front of every "txtu", in order.
std::vector<std::uint32_t> headerCounts(const Bytes &b)
{
    std::vector<std::uint32_t> counts;
    for (std::size_t i = 4; i + 4 <= b.size(); ++i)
        if (std::memcmp(b.data() + i, "txtu", 4) == 0)
            counts.push_back(std::uint32_t(b[i - 4]) << 24 | std::uint32_t(b[i - 3]) << 16
                             | std::uint32_t(b[i - 2]) << 8 | b[i - 1]);
    return counts;
}

// What the reference did with a case, to check that the cases reach every
// outcome of the scan: each console message, and each kind of rewrite.
std::vector<std::string> outcomes(const Case &c, const Bytes &result, const std::string &console)
{
    std::vector<std::string> found;
    for (const char *message : {"unable to find the ending null", "little-endian byte count is not",
                                "big-endian byte count is not", "signature \"txtu\" not found",
                                "Unable to find the start"})
        if (console.find(message) != std::string::npos)
            found.emplace_back(message);
    if (result == c.buffer)
        return found;
    found.emplace_back(result.size() > c.buffer.size()   ? "longer"
                       : result.size() < c.buffer.size() ? "shorter"
                                                         : "same length");
    if (headerCounts(result) != headerCounts(c.buffer))
        found.emplace_back("header counts shifted");
    if (c.lenient)
        found.emplace_back("lenient rewrite");
    if (c.search.find('\xF0') != std::string::npos)
        found.emplace_back("astral rewrite");
    return found;
}

std::string describe(const engine::ProcessReport &r)
{
    return std::to_string(r.rewrites) + " rewrites in " + std::to_string(r.rewrittenStrings) + " strings, "
           + std::to_string(r.problems) + " problems, stopped at "
           + (r.stoppedAt ? std::to_string(*r.stoppedAt) : "none");
}

std::string describe(const Case &c, std::size_t index)
{
    const auto hex = [](const std::string &s) { return toHex(Bytes(s.begin(), s.end())); };
    return "case " + std::to_string(index) + ": search (UTF-8) " + hex(c.search) + ", replacement (UTF-8) "
           + hex(c.replacement) + (c.lenient ? ", lenient" : "") + "\ninput " + toHex(c.buffer);
}

class ProcessDifferential : public testing::Test {
protected:
    void TearDown() override
    {
        engine::detail::setScanKernel(m_kernel);
        engine::detail::resetPlanLimit();
    }

private:
    engine::detail::ScanKernel m_kernel = engine::detail::scanKernel();
};

TEST_F(ProcessDifferential, MatchesReferenceOnRandomBuffers)
{
    constexpr std::size_t kCases = 40000;
    const auto kernels = engine::detail::supportedScanKernels();
    CaseMaker maker(20240611);
    std::map<std::string, int> reached;
    for (std::size_t index = 0; index < kCases; ++index) {
        const Case c = maker.next();
        engine::StringConsole expectedConsole;
        engine::ProcessReport expectedReport;
        const Bytes expected =
            reference::process(c.buffer, c.search, c.replacement, c.lenient, expectedConsole, &expectedReport);
        for (const auto &outcome : outcomes(c, expected, expectedConsole.text()))
            ++reached[outcome];
        if (expectedReport.rewrittenStrings < expectedReport.rewrites)
            ++reached["several rewrites in one string"];

        // Each case runs once on every kernel, alternating the two overloads,
        // the room the consumed buffer has and how many rewrites are planned
        // before a result is built as the scan goes (none, a few, or as many
        // as the buffer's size allows).
        for (std::size_t k = 0; k < kernels.size(); ++k) {
            const std::size_t variant = index + k;
            engine::detail::setScanKernel(kernels[k]);
            const std::size_t limit = variant / 2 % 4; // the overload alternates with variant % 2
            if (limit == 0)
                engine::detail::resetPlanLimit();
            else
                engine::detail::setPlanLimit(limit - 1);
            engine::StringConsole console;
            engine::ProcessReport report;
            Bytes consumed;
            consumed.reserve(c.buffer.size() + std::array<std::size_t, 3>{0, 6, 4096}[variant / 8 % 3]);
            consumed = c.buffer;
            const std::uint8_t *storage = consumed.data();
            const bool consuming = variant % 2 == 1;
            const Bytes result =
                consuming ? engine::process(std::move(consumed), c.search, c.replacement, c.lenient, console, &report)
                          : engine::process(c.buffer, c.search, c.replacement, c.lenient, console, &report);
            if (consuming) {
                // The consumed buffer goes into the result or is released;
                // one that nothing rewrote is handed back as it is.
                ASSERT_EQ(consumed.capacity(), 0u) << describe(c, index);
                if (expectedReport.rewrites == 0)
                    ASSERT_EQ(result.data(), storage) << describe(c, index);
                else if (result.data() == storage)
                    ++reached[result.size() > c.buffer.size() ? "lengthened in place" : "rewritten in place"];
            }
            ASSERT_TRUE(result == expected)
                << describe(c, index) << "\nkernel " << engine::detail::scanKernelName(kernels[k])
                << "\nexpected " << toHex(expected) << "\nactual   " << toHex(result);
            ASSERT_EQ(console.text(), expectedConsole.text())
                << describe(c, index) << "\nkernel " << engine::detail::scanKernelName(kernels[k]);
            ASSERT_EQ(describe(report), describe(expectedReport)) << describe(c, index);

            // A consumed buffer and the report stay as they were when the
            // console fails, whatever was planned or built before.
            const auto lines = std::size_t(std::count(console.text().begin(), console.text().end(), '\n'));
            if (consuming && lines > 0) {
                Bytes again;
                again.reserve(c.buffer.size() + 4096);
                again = c.buffer;
                FailingConsole failing(variant % lines);
                const engine::ProcessReport untouched{99, 99, 99, -99};
                engine::ProcessReport given = untouched;
                EXPECT_THROW(
                    (void)engine::process(std::move(again), c.search, c.replacement, c.lenient, failing, &given),
                    std::runtime_error);
                ASSERT_TRUE(again == c.buffer) << describe(c, index);
                ASSERT_TRUE(given == untouched) << describe(given);
            }
        }
    }

    // The cases must reach every outcome, or the comparison proves little.
    EXPECT_EQ(reached.size(), 14u);
    for (const auto &[outcome, count] : reached)
        EXPECT_GE(count, int(kCases / 500)) << outcome;
}

// Rewrites far apart: when the result is built in new memory, the input goes
// into it in windows as the scan goes, and here the walk back from a match
// crosses what was copied that way (the string's length field lies more than
// one window before the match); when the rewrites are made in the buffer
// itself, long stretches of input move between them.
TEST_F(ProcessDifferential, WalkBackReachesInputCopiedWindowsAgo)
{
    std::vector<std::uint8_t> buffer = hexBytes("AB AB 00 00 00 02 00 61 00 00");
    const auto filler = [&](std::size_t bytes) {
        for (std::size_t i = 0; i < bytes; ++i)
            buffer.push_back(std::uint8_t(0x10 + i % 7));
    };
    filler(150000);
    const std::size_t units = 50000; // 100,000 bytes of text, the match near its end
    const std::uint8_t count[] = {0, 0, std::uint8_t((units + 2) >> 8), std::uint8_t(units + 2)};
    buffer.insert(buffer.end(), {0x00, 0x00});
    buffer.insert(buffer.end(), count, count + 4);
    for (std::size_t i = 0; i < units; ++i)
        buffer.insert(buffer.end(), {0x00, 0x78});
    buffer.insert(buffer.end(), {0x00, 0x61, 0x00, 0x00});
    filler(70000);
    buffer.insert(buffer.end(), {0x00, 0x00, 0x00, 0x02, 0x00, 0x61, 0x00, 0x00, 0xCD});

    for (const std::string replacement : {"bcd", ""}) {
        engine::StringConsole referenceConsole;
        const auto expected = reference::process(buffer, "a", replacement, false, referenceConsole);
        // All three strings are rewritten.
        EXPECT_EQ(std::int64_t(expected.size()), std::int64_t(buffer.size()) + 3 * (2 * std::int64_t(replacement.size()) - 2));
        // Kept, and consumed with the room to be rewritten where it stands.
        for (const bool consumed : {false, true}) {
            engine::StringConsole console;
            std::vector<std::uint8_t> copy;
            copy.reserve(engine::capacityForRewrites(buffer.size()));
            copy = buffer;
            const auto result = consumed ? engine::process(std::move(copy), "a", replacement, false, console)
                                         : engine::process(buffer, "a", replacement, false, console);
            EXPECT_TRUE(result == expected) << "replacement \"" << replacement << "\", consumed " << consumed;
            EXPECT_EQ(console.text(), referenceConsole.text());
        }
    }
}

} // namespace
