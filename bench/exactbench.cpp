// Speed of the exact translation (the rewriter of atnformat/) on a large
// well-formed action file, next to the byte scan's pass without a match on
// the same buffer in the same process:
//
//   scan_nomatch   engine::process for a text that occurs nowhere
//   exact_nomatch  replaceTexts for the same text: the whole walk, every
//                  stored text searched, nothing written
//   exact_rewrite  replaceTexts for "Gradient Map" -> "Verlaufsumsetzung",
//                  the result built in new memory
//   scan_rewrite   engine::process for the same pair, for comparison
//   walk           checkActionFile alone: the walk that both passes above
//                  share, and that the translation driver's check of a
//                  translated file makes too
//
// Each run consumes a buffer written just before it, as a translation gets
// one from reading the file, like the rewrite rows of engine_bench; the
// "_warm" rows take the same buffer again and again, which this kind of
// machine scans about twice as fast. A table of medians and of the speeds as
// a share of scan_nomatch follows the benchmarks. `--quick` shrinks the
// buffer 256 times, for a smoke run; `--recorded` gives the file's events the
// item orders of recorded steps instead of random ones (wellformedatn.h).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

#include "atnformat/actionfile.h"
#include "atnformat/rewrite.h"
#include "engine/process.h"
#include "wellformedatn.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const atnformat::TextPair kNoMatch{"Vignette", "Vignettierung"};
const atnformat::TextPair kRewrite{"Gradient Map", "Verlaufsumsetzung"};

Bytes g_atn;
bool g_broken = false;

void broken(benchmark::State &state, const char *why)
{
    g_broken = true;
    state.SkipWithError(why);
}

// How a run gets its buffer: consumed in both cases; freshly written just
// before the run (outside the timing) with the room to grow that reading a
// file gives it, as a translation gets it, or the same buffer again and again.
enum class Buffer { FreshlyRead, Warm };

// Runs `pass` on the buffer, which it consumes and hands back (or replaces).
template <typename Pass>
void run(benchmark::State &state, Buffer buffer, const Pass &pass)
{
    Bytes work;
    work.reserve(engine::capacityForRewrites(g_atn.size()));
    for (auto _ : state) {
        if (buffer == Buffer::Warm) {
            if (!pass(g_atn))
                return broken(state, "unexpected result");
            continue;
        }
        state.PauseTiming();
        work.assign(g_atn.begin(), g_atn.end());
        state.ResumeTiming();
        if (!pass(work))
            return broken(state, "unexpected result");
    }
    state.SetBytesProcessed(std::int64_t(state.iterations() * g_atn.size()));
}

void BM_Scan(benchmark::State &state, atnformat::TextPair pair, Buffer buffer)
{
    run(state, buffer, [&](Bytes &bytes) {
        engine::StringConsole console;
        const std::size_t size = bytes.size();
        bytes = engine::process(std::move(bytes), pair.search, pair.replacement, false, console);
        return console.text().empty() && (bytes.size() == size) == (pair.search == kNoMatch.search);
    });
}

void BM_Exact(benchmark::State &state, atnformat::TextPair pair, Buffer buffer)
{
    run(state, buffer, [&](Bytes &bytes) {
        atnformat::RewriteResult result = atnformat::replaceTexts(std::move(bytes), std::span(&pair, 1));
        bytes = std::move(result.bytes);
        return result.succeeded() && (result.stringsChanged == 0) == (pair.search == kNoMatch.search);
    });
}

void BM_Walk(benchmark::State &state, atnformat::TextPair, Buffer buffer)
{
    run(state, buffer, [](Bytes &bytes) { return !atnformat::checkActionFile(bytes); });
}

// Medians of the CPU time per iteration over the repetitions.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        std::vector<Run> shown;
        for (const Run &run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
                m_seconds[run.run_name.function_name].push_back(run.cpu_accumulated_time / double(run.iterations));
            if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1 || run.error_occurred)
                shown.push_back(run);
        }
        ConsoleReporter::ReportRuns(shown);
    }

    void print(const std::string &group, std::size_t bytes)
    {
        const double base = median(group + "/scan_nomatch"), warm = median(group + "/scan_nomatch_warm");
        std::printf("\nExact translation of %zu MiB, medians; speeds as a share of the byte scan's\n"
                    "no-match pass on a freshly read buffer (and on a warm one):\n",
                    bytes >> 20);
        for (const char *name : {"scan_nomatch", "scan_nomatch_warm", "exact_nomatch", "exact_nomatch_warm",
                                 "exact_rewrite", "scan_rewrite", "walk"}) {
            const double seconds = median(group + "/" + name);
            std::printf("  %-19s %8.2f ms %7.2f GB/s  %.2f (%.2f)\n", name, seconds * 1e3,
                        double(bytes) / seconds / 1e9, base / seconds, warm / seconds);
        }
        const double exact = std::max(median(group + "/exact_nomatch"), median(group + "/exact_rewrite"));
        std::printf("Goal: exact_nomatch and exact_rewrite at least 0.25 of scan_nomatch: %s\n",
                    base / exact >= 0.25 ? "met" : "MISSED");
    }

private:
    double median(const std::string &name)
    {
        std::vector<double> &values = m_seconds[name];
        if (values.empty())
            return 0;
        std::sort(values.begin(), values.end());
        const std::size_t half = values.size() / 2;
        return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
    }

    std::map<std::string, std::vector<double>> m_seconds;
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    std::size_t size = std::size_t(64) << 20;
    bench::ItemOrder order = bench::ItemOrder::Random;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--quick") {
            size /= 256;
        } else if (std::string(argv[i]) == "--recorded") {
            order = bench::ItemOrder::Recorded;
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    g_atn = bench::makeWellFormedAtn(size, 1, order);
    if (const auto error = atnformat::checkActionFile(g_atn)) {
        std::fprintf(stderr, "the benchmark file does not walk: %s\n", error->message().c_str());
        return 1;
    }
    // Both modes must agree on the benchmark file.
    engine::StringConsole console;
    if (engine::process(g_atn, kRewrite.search, kRewrite.replacement, false, console) !=
        atnformat::replaceTexts(std::span(g_atn), std::span(&kRewrite, 1)).bytes) {
        std::fprintf(stderr, "the byte scan and the rewriter disagree on the benchmark file\n");
        return 1;
    }
    const std::string group = std::string(order == bench::ItemOrder::Recorded ? "exact_recorded_" : "exact_") +
                              std::to_string(g_atn.size() >> 10) + "KiB";
    const auto add = [&](const char *name, auto function, atnformat::TextPair pair, Buffer buffer) {
        benchmark::RegisterBenchmark((group + "/" + name).c_str(), function, pair, buffer);
    };
    add("scan_nomatch", BM_Scan, kNoMatch, Buffer::FreshlyRead);
    add("scan_nomatch_warm", BM_Scan, kNoMatch, Buffer::Warm);
    add("exact_nomatch", BM_Exact, kNoMatch, Buffer::FreshlyRead);
    add("exact_nomatch_warm", BM_Exact, kNoMatch, Buffer::Warm);
    add("exact_rewrite", BM_Exact, kRewrite, Buffer::FreshlyRead);
    add("scan_rewrite", BM_Scan, kRewrite, Buffer::FreshlyRead);
    add("walk", BM_Walk, kNoMatch, Buffer::FreshlyRead);
    MedianReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.print(group, g_atn.size());
    return g_broken ? 1 : 0;
}
