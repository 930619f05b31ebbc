// The table printed after the benchmarks: medians over the repetitions,
// speeds, the ratios the engine is held to, and whether each goal is met.
// Ratios are taken between measurements of one process, so they hold better
// than the speeds themselves on a shared machine.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// Which benchmark names the table reads, and what their buffers hold. Names
// are "group/measure".
struct SummaryLayout {
    std::string noMatchGroup; // memchr, memmem, reference, process:<kernel>
    std::size_t noMatchSize = 0;
    std::string rewritesGroup; // none, none_warm, one, longer, shorter, longer_new
    std::size_t rewritesSize = 0;
    std::size_t rewrites = 0;
    std::string smallGroup; // reference, process
    std::size_t smallSize = 0;
    std::size_t smallRewrites = 0;
    std::string longGroup; // process, reference: one long string of matches
    std::size_t longUnits = 0;
    std::size_t longReferenceUnits = 0;
    std::string fastest;             // process:<kernel> chosen at run time
    std::vector<std::string> others; // the other kernels, fastest first
};

class Summary {
public:
    void setLayout(SummaryLayout layout) { m_layout = std::move(layout); }
    void record(const std::string &name, double secondsPerIteration);
    void print(std::FILE *out) const;

private:
    [[nodiscard]] std::optional<double> median(const std::string &name) const;
    [[nodiscard]] std::size_t runs() const;

    SummaryLayout m_layout;
    std::map<std::string, std::vector<double>> m_seconds;
};

// The usual console output, showing only the aggregates when there are
// repetitions, and every repetition's CPU time per iteration handed to the
// summary.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal.
    explicit SummaryReporter(Summary &summary);
    void ReportRuns(const std::vector<Run> &runs) override;

private:
    Summary &m_summary;
};

} // namespace bench
