#include "startsearch.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "messages.h"

namespace engine::detail {
namespace {

// Walks shorter than this are not worth remembering.
constexpr std::int64_t kWorthKeeping = 64;

} // namespace

Starts StartSearch::find(Content &content, const Match &match, Console &console)
{
    const std::int64_t p = match.p;
    const std::int64_t i = match.inputAt;
    const std::int64_t shift = p - i;
    const std::int64_t *end = match.end;
    const Order first = match.first;
    Starts starts;
    std::int64_t *start = starts.at;
    bool done[2] = {end[BE] == -1, end[LE] == -1};
    Order current = first;

    // Until the first start is found, the walk may skip what is known for
    // its end, and records what it reads from p - 6 down (the rewrite for
    // this match writes above that) next to what is known.
    const Stretch &known = m_stretch[first];
    const std::int64_t endIn = end[first] - shift;
    const bool usable = end[first] != -1 && known.end == endIn && known.lo <= known.hi;
    const std::int64_t recordAbove = usable ? known.hi : -1;
    m_run.end = endIn;
    m_run.hi = p - 6;
    m_run.lo = p - 5;
    m_run.zero = -1;
    m_run.fits.clear();
    m_run.first = 0;

    for (std::int64_t s = p - 4; s >= 0; --s) {
        if (done[BE] && done[LE])
            break;
        const std::int64_t e = end[current];
        if (e == -1)
            break; // the order cannot change any more: every further candidate is passed over
        const bool firstOrder = start[BE] == -1 && start[LE] == -1;
        if (firstOrder && usable && known.covers(s)) {
            // Passing a candidate that does not stop the walk changes
            // nothing that matters: the other order's done flag stays as
            // the walk began.
            const std::int64_t stop = known.stop(s, shift, done[other(first)]);
            if (stop == -1) {
                s = known.lo;
                continue;
            }
            s = stop;
        }
        std::uint8_t scratch[6];
        const std::uint8_t *bytes = content.bytes(s, 6, scratch, i);
        const bool zero = bytes[4] == 0 && bytes[5] == 0;
        const std::uint32_t value = decode32(bytes, current);
        if (firstOrder && s <= m_run.hi && s > recordAbove) {
            m_run.lo = s;
            std::int64_t fitShift = 0;
            if (zero && m_run.zero == -1)
                m_run.zero = s;
            else if (!zero && mayFit(s, value, endIn, shift, i, fitShift))
                m_run.fits.push_back({s, fitShift});
        }
        if (zero) {
            done[current] = true;
            continue;
        }
        if (value != ((e - s - 4) >> 1)) {
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
        if (s >= 12 && (m_lenient || headerHolds(content, s, e, match, console))) {
            start[LE] = s;
            current = BE;
        }
    }
    if (m_run.lo <= m_run.hi)
        keep(first, usable);
    return starts;
}

void StartSearch::rewritten(std::int64_t start, Order order, std::int64_t at) noexcept
{
    // A candidate reads its 4 bytes and the 2 after them.
    const std::int64_t low = start - (order == LE ? 17 : 5);
    const std::int64_t high = start + 3;
    for (Stretch &stretch : m_stretch) {
        if (stretch.lo > stretch.hi)
            continue;
        if (stretch.hi + 5 >= at) {
            stretch = Stretch();
            continue;
        }
        if (high >= stretch.lo && low <= stretch.hi)
            stretch.raiseLo(high + 1);
    }
}

std::int64_t StartSearch::Stretch::stop(std::int64_t s, std::int64_t shift, bool zeroStops) const noexcept
{
    std::int64_t best = -1;
    if (zeroStops && zero >= lo) {
        if (zero > s) // which candidates below have 00 00 is not known
            return s;
        best = zero;
    }
    const auto begin = fits.begin() + std::ptrdiff_t(first);
    auto it = std::upper_bound(begin, fits.end(), s, [](std::int64_t at, const Fit &fit) { return at < fit.at; });
    while (it != begin) {
        --it;
        if (it->at <= best)
            break;
        const std::int64_t k = shift - it->shift;
        if (k == 0 || k == 1)
            return it->at;
    }
    return best;
}

void StartSearch::Stretch::raiseLo(std::int64_t to) noexcept
{
    lo = to;
    if (zero < lo)
        zero = -1;
    while (first < fits.size() && fits[first].at < lo)
        ++first;
    if (first > 1024 && first > fits.size() / 2) {
        fits.erase(fits.begin(), fits.begin() + std::ptrdiff_t(first));
        first = 0;
    }
}

// The candidate's length fits the end at the shift `fitShift` or one more;
// the shift of every later walk is this one plus a whole number of length
// changes, at most one for every n input bytes before the end.
bool StartSearch::mayFit(std::int64_t s, std::uint32_t value, std::int64_t endIn, std::int64_t shift,
                         std::int64_t inputAt, std::int64_t &fitShift) const noexcept
{
    fitShift = 2 * std::int64_t(value) + s + 4 - endIn;
    const std::int64_t t = fitShift - shift;
    if (m_d == 0)
        return t == 0 || t == -1;
    const std::int64_t even = t % 2 == 0 ? t : t + 1; // d is even
    if (even % m_d != 0)
        return false;
    const std::int64_t rewrites = even / m_d;
    return rewrites >= 0 && rewrites <= (endIn - inputAt) / m_n + 1;
}

bool StartSearch::headerHolds(Content &content, std::int64_t s, std::int64_t e, const Match &match,
                              Console &console) const
{
    const std::int64_t i = match.inputAt;
    const std::int64_t expected = e - s + 8;
    const std::string at = std::to_string(match.p);
    if (content.read32(s - 4, LE, i) != expected) {
        console.print({messages::kLittleEndianCountWrong, {at}});
        return false;
    }
    if (content.read32(s - 12, BE, i) != expected) {
        console.print({messages::kBigEndianCountWrong, {at}});
        return false;
    }
    std::uint8_t scratch[4];
    if (std::memcmp(content.bytes(s - 8, 4, scratch, i), "txtu", 4) != 0) {
        console.print({messages::kNoSignature, {at}});
        return false;
    }
    return true;
}

// What this walk read joins what is known for its end when it lies right
// above it; otherwise it replaces it if it is long enough to be worth it.
void StartSearch::keep(Order first, bool usable)
{
    Stretch &stretch = m_stretch[first];
    if (usable && m_run.lo == stretch.hi + 1) {
        stretch.hi = m_run.hi;
        if (m_run.zero != -1)
            stretch.zero = m_run.zero;
        stretch.fits.insert(stretch.fits.end(), m_run.fits.rbegin(), m_run.fits.rend());
        return;
    }
    if (m_run.hi - m_run.lo + 1 < kWorthKeeping)
        return;
    std::reverse(m_run.fits.begin(), m_run.fits.end());
    std::swap(stretch, m_run);
}

} // namespace engine::detail
