// Speed of the replacement engine next to the limits of the machine.
//
//   memchr     a byte that never occurs: one read of every byte, the
//              bandwidth line;
//   memmem     glibc, for the big-endian search text only, what a hand-made
//              tool would use;
//   reference  the literal engine: every position compared with both texts,
//              every rewrite moving the rest of the buffer;
//   process    the engine, searching both byte orders at once.
//
// All of them run in one process on the same synthetic buffers; after the
// benchmarks a table of medians and ratios is printed (see summary.h).
// `--quick` shrinks every buffer 256 times, for a smoke run.
//
// The rewrite runs take their buffer as the driver does: consumed, freshly
// written (as by reading the file) and with the driver's room to grow, so
// that the rewrites are made in its own storage. Their baseline is the
// no-match run on a buffer prepared the same way: on this kind of machine a
// buffer read again and again without being written is scanned about twice
// as fast as one just written, and that run is shown too. One more run makes
// the result in new memory, which the system zeroes page by page.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <tuple>

#include "engine/bytescan.h"
#include "engine/process.h"
#include "engine/utf16.h"
#include "tests/support/referenceprocess.h"
#include "summary.h"
#include "syntheticatn.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using engine::detail::ScanKernel;

constexpr std::size_t kMiB = std::size_t(1) << 20;

// The marker stands once per KiB in the buffers with rewrites; the other
// texts occur nowhere.
const std::string kMarker = "Gradient Map";
const std::string kLonger = "Verlaufsumsetzung"; // 10 bytes longer
const std::string kShorter = "Verlauf";          // 10 bytes shorter
const std::string kNoMatch = "Vignette";

std::size_t g_divisor = 1;
bool g_broken = false; // a check of the benchmark data failed

std::size_t sized(std::size_t bytes)
{
    return bytes / g_divisor;
}

void broken(benchmark::State &state, const std::string &why)
{
    g_broken = true;
    state.SkipWithError(why.c_str());
}

Bytes encodedBe(std::string_view text)
{
    return engine::encodeUtf16(text, engine::ByteOrder::BigEndian);
}

bool occurs(const Bytes &buffer, std::string_view text)
{
    for (auto order : {engine::ByteOrder::BigEndian, engine::ByteOrder::LittleEndian}) {
        const Bytes needle = engine::encodeUtf16(text, order);
        if (memmem(buffer.data(), buffer.size(), needle.data(), needle.size()) != nullptr)
            return true;
    }
    return false;
}

// The benchmark buffers, made once per size and marker.
struct Data {
    std::string marker;
    Bytes bytes;
    std::size_t markers = 0;
};

// One marker per `spacing` bytes.
Data &data(std::size_t size, const std::string &marker, std::size_t spacing = 1024)
{
    static std::map<std::tuple<std::size_t, std::string, std::size_t>, Data> made;
    auto [it, fresh] = made.try_emplace({size, marker, spacing});
    if (fresh) {
        auto atn = bench::makeSyntheticAtn({.size = size,
                                            .seed = 1,
                                            .marker = marker,
                                            .markerSpacing = spacing,
                                            .avoid = {kNoMatch, kLonger, kShorter}});
        it->second = {marker, std::move(atn.bytes), atn.markers};
    }
    return it->second;
}

void BM_Memchr(benchmark::State &state, std::size_t size)
{
    const Data &d = data(size, "");
    for (auto _ : state) {
        const void *hit = std::memchr(d.bytes.data(), bench::kAbsentByte, d.bytes.size());
        benchmark::DoNotOptimize(hit);
        if (hit != nullptr)
            return broken(state, "the absent byte occurs");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * d.bytes.size()));
}

void BM_Memmem(benchmark::State &state, std::size_t size)
{
    const Data &d = data(size, "");
    const Bytes needle = encodedBe(kNoMatch);
    for (auto _ : state) {
        const void *hit = memmem(d.bytes.data(), d.bytes.size(), needle.data(), needle.size());
        benchmark::DoNotOptimize(hit);
        if (hit != nullptr)
            return broken(state, "the search text occurs");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * d.bytes.size()));
}

// What a run over `d` must give: every marker rewritten when the marker is
// searched, nothing otherwise, and no console text. Also checks up front that
// a text meant to occur nowhere really does not occur.
struct Expectation {
    std::size_t size = 0;
    bool valid = true;

    Expectation(benchmark::State &state, const Data &d, std::string_view search, std::string_view replacement)
    {
        const bool rewrites = search == d.marker;
        const auto delta = std::int64_t(encodedBe(replacement).size()) - std::int64_t(encodedBe(search).size());
        size = std::size_t(std::int64_t(d.bytes.size()) + (rewrites ? std::int64_t(d.markers) * delta : 0));
        if (!rewrites && occurs(d.bytes, search))
            fail(state, "the search text occurs");
    }

    bool met(benchmark::State &state, const Bytes &result, const engine::StringConsole &console)
    {
        if (!console.text().empty() || result.size() != size)
            fail(state, "unexpected result: " + console.text().substr(0, 200));
        return valid;
    }

    void fail(benchmark::State &state, const std::string &why)
    {
        if (valid)
            broken(state, why);
        valid = false;
    }
};

void BM_Reference(benchmark::State &state, std::size_t size, std::string marker, std::string search,
                  std::string replacement)
{
    const Data &d = data(size, marker);
    Expectation expectation(state, d, search, replacement);
    for (auto _ : state) {
        if (!expectation.valid)
            break;
        engine::StringConsole console;
        const Bytes result = reference::process(d.bytes, search, replacement, false, console);
        expectation.met(state, result, console);
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * d.bytes.size()));
}

// How the buffer of a run stands when `process` gets it.
enum class Buffer {
    // Read again and again, never written: on some machines (this virtual
    // one among them) it is then scanned faster than a buffer just written.
    Warm,
    // Written just before each run, outside the timing, as a buffer read
    // from a file is; with the room the driver gives it, and consumed.
    FreshlyRead,
    // Not consumed: the result is new memory.
    Kept,
};

struct Job {
    ScanKernel kernel;
    std::size_t size;
    std::string marker;
    std::size_t spacing;
    std::string search;
    std::string replacement;
    Buffer buffer = Buffer::Warm;
};

void BM_Process(benchmark::State &state, const Job &job)
{
    Data &d = data(job.size, job.marker, job.spacing);
    Expectation expectation(state, d, job.search, job.replacement);
    const ScanKernel previous = engine::detail::scanKernel();
    engine::detail::setScanKernel(job.kernel);
    Bytes work;
    work.reserve(engine::capacityForRewrites(d.bytes.size()));
    for (auto _ : state) {
        if (!expectation.valid)
            break;
        engine::StringConsole console;
        switch (job.buffer) {
        case Buffer::Warm:
            d.bytes = engine::process(std::move(d.bytes), job.search, job.replacement, false, console);
            expectation.met(state, d.bytes, console);
            break;
        case Buffer::FreshlyRead:
            state.PauseTiming();
            work.assign(d.bytes.begin(), d.bytes.end());
            state.ResumeTiming();
            work = engine::process(std::move(work), job.search, job.replacement, false, console);
            expectation.met(state, work, console);
            break;
        case Buffer::Kept: {
            const Bytes result = engine::process(d.bytes, job.search, job.replacement, false, console);
            expectation.met(state, result, console);
            break;
        }
        }
    }
    engine::detail::setScanKernel(previous);
    state.SetBytesProcessed(std::int64_t(state.iterations() * d.bytes.size()));
}

// One big-endian stored string of `units` times "a", each rewritten as "b":
// every walk back to the length field crosses all the rewrites before it.
const Bytes &longString(std::size_t units)
{
    static std::map<std::size_t, Bytes> made;
    Bytes &bytes = made[units];
    if (bytes.empty()) {
        const auto count = std::uint32_t(units + 1);
        bytes = {0x11, 0x22, 0x33, 0x44, std::uint8_t(count >> 24), std::uint8_t(count >> 16),
                 std::uint8_t(count >> 8), std::uint8_t(count)};
        for (std::size_t i = 0; i < units; ++i)
            bytes.insert(bytes.end(), {0x00, 0x61});
        bytes.insert(bytes.end(), {0x00, 0x00, 0x55, 0x66});
    }
    return bytes;
}

void BM_LongString(benchmark::State &state, std::size_t units, bool literal)
{
    const Bytes &input = longString(units);
    for (auto _ : state) {
        engine::StringConsole console;
        engine::ProcessReport report;
        const Bytes result = literal ? reference::process(input, "a", "b", false, console, &report)
                                     : engine::process(input, "a", "b", false, console, &report);
        if (report.rewrites != units || !console.text().empty() || result.size() != input.size())
            return broken(state, "unexpected result: " + console.text().substr(0, 200));
    }
}

// The small buffer is the one the reference can still rewrite in reasonable
// time; there both engines must agree byte for byte.
bool enginesAgree(std::size_t size)
{
    const Data &d = data(size, kMarker);
    engine::StringConsole a, b;
    return engine::process(d.bytes, kMarker, kLonger, false, a)
               == reference::process(d.bytes, kMarker, kLonger, false, b)
           && a.text() == b.text();
}

void registerAll(bench::Summary &summary)
{
    const std::size_t big = sized(256 * kMiB), middle = sized(64 * kMiB), small = sized(1 * kMiB);
    const auto kernels = engine::detail::supportedScanKernels();
    const ScanKernel fastest = kernels.back();
    const auto kernelName = [](ScanKernel k) { return "process:" + std::string(engine::detail::scanKernelName(k)); };
    const auto add = [](const std::string &group, const std::string &what, auto function, auto... args) {
        benchmark::RegisterBenchmark((group + "/" + what).c_str(), function, args...);
    };

    bench::SummaryLayout layout;
    layout.noMatchGroup = "nomatch_" + std::to_string(big / 1024) + "KiB";
    layout.noMatchSize = big;
    layout.fastest = kernelName(fastest);
    add(layout.noMatchGroup, "memchr", BM_Memchr, big);
    add(layout.noMatchGroup, "memmem", BM_Memmem, big);
    add(layout.noMatchGroup, "reference", BM_Reference, big, "", kNoMatch, kLonger);
    for (auto it = kernels.rbegin(); it != kernels.rend(); ++it) {
        add(layout.noMatchGroup, kernelName(*it), BM_Process, Job{*it, big, "", 1024, kNoMatch, kLonger, Buffer::Warm});
        if (*it != fastest)
            layout.others.push_back(kernelName(*it));
    }

    layout.rewritesGroup = "rewrites_" + std::to_string(middle / 1024) + "KiB";
    layout.rewritesSize = middle;
    layout.rewrites = data(middle, kMarker).markers;
    const auto rewriteJob = [&](const std::string &search, const std::string &replacement, Buffer buffer) {
        return Job{fastest, middle, kMarker, 1024, search, replacement, buffer};
    };
    add(layout.rewritesGroup, "none", BM_Process, rewriteJob(kNoMatch, kLonger, Buffer::FreshlyRead));
    add(layout.rewritesGroup, "none_warm", BM_Process, rewriteJob(kNoMatch, kLonger, Buffer::Warm));
    add(layout.rewritesGroup, "one", BM_Process,
        Job{fastest, middle, kMarker, middle, kMarker, kLonger, Buffer::FreshlyRead});
    add(layout.rewritesGroup, "longer", BM_Process, rewriteJob(kMarker, kLonger, Buffer::FreshlyRead));
    add(layout.rewritesGroup, "shorter", BM_Process, rewriteJob(kMarker, kShorter, Buffer::FreshlyRead));
    add(layout.rewritesGroup, "longer_new", BM_Process, rewriteJob(kMarker, kLonger, Buffer::Kept));

    layout.smallGroup = "rewrites_" + std::to_string(small / 1024) + "KiB";
    layout.smallSize = small;
    layout.smallRewrites = data(small, kMarker).markers;
    add(layout.smallGroup, "reference", BM_Reference, small, kMarker, kMarker, kLonger);
    add(layout.smallGroup, "process", BM_Process, Job{fastest, small, kMarker, 1024, kMarker, kLonger, Buffer::Kept});

    // The reference takes seconds for a sixteenth of the matches: one run.
    layout.longGroup = "longstring";
    layout.longUnits = sized(1 << 20);
    layout.longReferenceUnits = sized(1 << 16);
    add(layout.longGroup, "process", BM_LongString, layout.longUnits, false);
    benchmark::RegisterBenchmark((layout.longGroup + "/reference").c_str(), BM_LongString,
                                 layout.longReferenceUnits, true)
        ->Iterations(1)
        ->Repetitions(1);

    summary.setLayout(std::move(layout));
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--quick") {
            g_divisor = 256;
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    if (!enginesAgree(sized(1 * kMiB))) {
        std::fprintf(stderr, "process and the reference disagree on the benchmark data\n");
        return 1;
    }
    bench::Summary summary;
    registerAll(summary);
    bench::SummaryReporter reporter(summary);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    summary.print(stdout);
    return g_broken ? 1 : 0;
}
