#include "startsearch.h"

#include <cstring>
#include <string>

#include "messages.h"

namespace engine::detail {

Starts findStart(Content &content, const Match &match, bool lenient, Console &console)
{
    const std::int64_t p = match.p;
    const std::int64_t i = match.inputAt;
    const std::int64_t *end = match.end;
    Starts starts;
    std::int64_t *start = starts.at;
    bool done[2] = {end[BE] == -1, end[LE] == -1};
    Order current = match.first;
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
            const std::string at = std::to_string(p);
            if (content.read32(s - 4, LE, i) != expected) {
                console.print({messages::kLittleEndianCountWrong, {at}});
                continue;
            }
            if (content.read32(s - 12, BE, i) != expected) {
                console.print({messages::kBigEndianCountWrong, {at}});
                continue;
            }
            std::uint8_t scratch4[4];
            if (std::memcmp(content.bytes(s - 8, 4, scratch4, i), "txtu", 4) != 0) {
                console.print({messages::kNoSignature, {at}});
                continue;
            }
        }
        start[LE] = s;
        current = BE;
    }
    return starts;
}

} // namespace engine::detail
