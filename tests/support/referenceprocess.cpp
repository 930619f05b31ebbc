#include "referenceprocess.h"

#include <cstring>
#include <string>

#include "engine/runtimeerror.h"
#include "engine/utf16.h"

namespace reference {
namespace {

using engine::ByteOrder;
using engine::Console;
using engine::RuntimeError;

using Bytes = std::vector<std::uint8_t>;

enum Order { BE = 0, LE = 1 };

struct EncodedText {
    Bytes be;
    Bytes le;
};

// The guards of the engine against a UTF-16 encoder that breaks its contract
// (encodings of different or odd lengths) cannot fire and are left out.
EncodedText encodeChecked(std::string_view text, const char *whatCapitalised)
{
    if (auto bad = engine::findInvalidUtf8(text)) {
        throw RuntimeError::ThrowException(std::string(whatCapitalised) + " string is not valid UTF-8: "
                                           + bad->reason + " at byte offset " + std::to_string(bad->offset)
                                           + "!");
    }
    return {engine::encodeUtf16(text, ByteOrder::BigEndian), engine::encodeUtf16(text, ByteOrder::LittleEndian)};
}

std::uint32_t read32(const Bytes &b, std::int64_t at, Order order)
{
    const auto *p = b.data() + at;
    if (order == BE)
        return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3];
    return std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
}

void write32(Bytes &b, std::int64_t at, Order order, std::int64_t value)
{
    const auto v = static_cast<std::uint32_t>(value);
    auto *p = b.data() + at;
    for (int i = 0; i < 4; ++i) {
        const int shift = order == BE ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<std::uint8_t>(v >> shift);
    }
}

bool equalAt(const Bytes &b, std::int64_t at, const Bytes &text)
{
    return std::memcmp(b.data() + at, text.data(), text.size()) == 0;
}

// Position just after the first 00 00 unit at or after `from`, stepping by
// whole units; -1 when the content ends first.
std::int64_t findEndingNull(const Bytes &b, std::int64_t from, std::int64_t length)
{
    for (std::int64_t j = from; j < length - 1; j += 2) {
        if (b[j] == 0 && b[j + 1] == 0)
            return j + 2;
    }
    return -1;
}

} // namespace

std::vector<std::uint8_t> process(const std::vector<std::uint8_t> &buffer,
                                  std::string_view searchString,
                                  std::string_view replacementString,
                                  bool lenientLittleEndianHandling,
                                  Console &console,
                                  engine::ProcessReport *report)
{
    if (searchString.empty())
        throw RuntimeError::ThrowException("Search string must not be empty!");
    static constexpr std::string_view kSignature = "txtu";
    const EncodedText search = encodeChecked(searchString, "Search");
    const EncodedText replacement = encodeChecked(replacementString, "Replacement");

    const Bytes *searchText[2] = {&search.be, &search.le};
    const Bytes *replacementText[2] = {&replacement.be, &replacement.le};
    const auto n = static_cast<std::int64_t>(search.be.size());
    const auto m = static_cast<std::int64_t>(replacement.be.size());
    const std::int64_t d = m - n;

    engine::ProcessReport counted;
    const auto print = [&](const std::string &line) {
        console.printout(line);
        ++counted.problems;
    };
    std::int64_t lastStart = -1;

    Bytes work = buffer;
    auto length = static_cast<std::int64_t>(work.size());

    std::int64_t p = 0;
    while (p < length - n) {
        std::int64_t pos[2] = {-1, -1};
        Order first;
        if (equalAt(work, p, search.be)) {
            pos[BE] = p;
            first = BE;
        } else if (equalAt(work, p, search.le)) {
            pos[LE] = p;
            first = LE;
        } else {
            ++p;
            continue;
        }
        const Order second = first == BE ? LE : BE;
        if (p + 1 < length - n && equalAt(work, p + 1, *searchText[second]))
            pos[second] = p + 1;

        std::int64_t end[2] = {-1, -1};
        for (Order order : {BE, LE}) {
            if (pos[order] != -1)
                end[order] = findEndingNull(work, pos[order] + n, length);
        }
        if (end[BE] == -1 && end[LE] == -1) {
            print("Match found at index " + std::to_string(p)
                             + " of output file, but unable to find the ending null.\n");
            ++p;
            continue;
        }

        std::int64_t start[2] = {-1, -1};
        bool done[2] = {end[BE] == -1, end[LE] == -1};
        Order current = first;
        for (std::int64_t s = p - 4; s >= 0; --s) {
            if (done[BE] && done[LE])
                break;
            const std::int64_t e = end[current];
            if (e == -1)
                continue;
            if (work[s + 4] == 0 && work[s + 5] == 0) {
                done[current] = true;
                continue;
            }
            if (read32(work, s, current) != ((e - s - 4) >> 1)) {
                if (start[current == BE ? LE : BE] != -1)
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
            if (!lenientLittleEndianHandling) {
                const std::int64_t expected = e - s + 8;
                const std::string prefix = "Possible little-endian string found at offset " + std::to_string(p);
                if (read32(work, s - 4, LE) != expected) {
                    print(prefix + ", but little-endian byte count is not the expected value.\n");
                    continue;
                }
                if (read32(work, s - 12, BE) != expected) {
                    print(prefix + ", but big-endian byte count is not the expected value.\n");
                    continue;
                }
                if (std::memcmp(work.data() + s - 8, kSignature.data(), 4) != 0) {
                    print(prefix + ", but signature \"txtu\" not found.\n");
                    continue;
                }
            }
            start[LE] = s;
            current = BE;
        }

        if (start[BE] == -1 && start[LE] == -1) {
            print("Unable to find the start of the string for a match at offset " + std::to_string(p)
                             + " in output file.\n");
            counted.stoppedAt = p;
            break;
        }

        const Order order = start[LE] >= 0 ? LE : BE;
        const std::int64_t s = start[order];
        const std::int64_t q = pos[order];
        ++counted.rewrites;
        counted.rewrittenStrings += s != lastStart;
        lastStart = s;
        write32(work, s, order, (end[order] - s - 4 + d) >> 1);
        const Bytes &with = *replacementText[order];
        if (d > 0)
            work.insert(work.begin() + q + n, std::size_t(d), 0);
        else if (d < 0)
            work.erase(work.begin() + q + m, work.begin() + q + n);
        if (m > 0)
            std::memcpy(work.data() + q, with.data(), with.size());
        length += d;
        if (order == LE) {
            write32(work, s - 4, LE, std::int64_t(read32(work, s - 4, LE)) + d);
            write32(work, s - 12, BE, std::int64_t(read32(work, s - 12, BE)) + d);
        }
        p = q + m;
    }
    if (report != nullptr)
        *report = counted;
    return work;
}

} // namespace reference
