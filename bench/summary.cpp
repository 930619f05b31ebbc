#include "summary.h"

#include <algorithm>

#include <unistd.h>

namespace bench {
namespace {

std::string format(const char *pattern, double value)
{
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string speed(std::size_t bytes, double seconds)
{
    return format("%.2f GB/s", double(bytes) / seconds / 1e9);
}

std::string duration(double seconds)
{
    return seconds >= 0.1 ? format("%.2f s", seconds) : format("%.2f ms", seconds * 1e3);
}

std::string size(std::size_t bytes)
{
    return bytes >= (std::size_t(1) << 20) ? std::to_string(bytes >> 20) + " MiB"
                                           : std::to_string(bytes >> 10) + " KiB";
}

std::string verdict(bool met)
{
    return met ? "met" : "MISSED";
}

} // namespace

void Summary::record(const std::string &name, double secondsPerIteration)
{
    m_seconds[name].push_back(secondsPerIteration);
}

std::optional<double> Summary::median(const std::string &name) const
{
    const auto it = m_seconds.find(name);
    if (it == m_seconds.end() || it->second.empty())
        return std::nullopt;
    std::vector<double> values = it->second;
    std::sort(values.begin(), values.end());
    const std::size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2;
}

std::size_t Summary::runs() const
{
    std::size_t most = 0; // the reference's long string runs once
    for (const auto &[name, values] : m_seconds)
        most = std::max(most, values.size());
    return most;
}

void Summary::print(std::FILE *out) const
{
    const SummaryLayout &l = m_layout;
    const auto get = [&](const std::string &group, const std::string &what) { return median(group + "/" + what); };
    std::fprintf(out, "\nMedians of %zu runs, CPU time; process chose %s.\n\n", runs(), l.fastest.c_str());
    std::fprintf(out, "| Buffer | Measure | Median | Ratio |\n|---|---|---|---|\n");

    const auto memchrTime = get(l.noMatchGroup, "memchr");
    const auto memmemTime = get(l.noMatchGroup, "memmem");
    const auto processTime = get(l.noMatchGroup, l.fastest);
    const auto noMatchRow = [&](const std::string &label, const std::optional<double> &seconds,
                                const std::string &first) {
        if (!seconds)
            return;
        std::string ratio;
        if (memchrTime)
            ratio = format("%.2f of memchr", *memchrTime / *seconds);
        if (memmemTime && label.rfind("process", 0) == 0)
            ratio += format(", %.2f x memmem", *memmemTime / *seconds);
        std::fprintf(out, "| %s | %s | %s | %s |\n", first.c_str(), label.c_str(),
                     speed(l.noMatchSize, *seconds).c_str(), ratio.c_str());
    };
    const std::string noMatchBuffer = size(l.noMatchSize) + ", no match";
    noMatchRow("memchr, a byte that never occurs", memchrTime, noMatchBuffer);
    noMatchRow("glibc memmem, big-endian text only", memmemTime, "");
    noMatchRow("reference, both byte orders", get(l.noMatchGroup, "reference"), "");
    noMatchRow(l.fastest + ", both byte orders", processTime, "");
    for (const std::string &other : l.others)
        noMatchRow(other, get(l.noMatchGroup, other), "");

    const auto none = get(l.rewritesGroup, "none");
    const auto noneWarm = get(l.rewritesGroup, "none_warm");
    const auto longer = get(l.rewritesGroup, "longer");
    const auto shorter = get(l.rewritesGroup, "shorter");
    const std::string rewrites = std::to_string(l.rewrites);
    const auto rewriteRow = [&](const std::string &label, const std::optional<double> &seconds,
                                const std::string &first) {
        if (!seconds)
            return;
        std::string ratio = none ? format("%.2f x no match", *seconds / *none) : "";
        if (noneWarm && seconds != noneWarm)
            ratio += format(" (%.2f x warm)", *seconds / *noneWarm);
        std::fprintf(out, "| %s | %s | %s | %s |\n", first.c_str(), label.c_str(), duration(*seconds).c_str(),
                     ratio.c_str());
    };
    rewriteRow("process, no match, buffer freshly read", none, size(l.rewritesSize) + ", a marker per KiB");
    rewriteRow("process, no match, warm: the same buffer again and again", noneWarm, "");
    rewriteRow("process, 1 rewrite, in the buffer", get(l.rewritesGroup, "one"), "");
    rewriteRow("process, " + rewrites + " rewrites 10 bytes longer, in the buffer", longer, "");
    rewriteRow("process, " + rewrites + " rewrites 10 bytes shorter, in the buffer", shorter, "");
    rewriteRow("process, " + rewrites + " rewrites 10 bytes longer, result in new memory",
               get(l.rewritesGroup, "longer_new"), "");

    const auto smallReference = get(l.smallGroup, "reference");
    const auto smallProcess = get(l.smallGroup, "process");
    const std::string smallRewrites = std::to_string(l.smallRewrites);
    if (smallReference)
        std::fprintf(out, "| %s, a marker per KiB | reference, %s rewrites 10 bytes longer | %s | |\n",
                     size(l.smallSize).c_str(), smallRewrites.c_str(), duration(*smallReference).c_str());
    if (smallProcess)
        std::fprintf(out, "| | process, the same | %s | %s |\n", duration(*smallProcess).c_str(),
                     smallReference ? format("%.0f x faster", *smallReference / *smallProcess).c_str() : "");

    const auto longProcess = get(l.longGroup, "process");
    const auto longReference = get(l.longGroup, "reference");
    if (longProcess)
        std::fprintf(out, "| one stored string, %zu matches | process, a to b | %s | |\n", l.longUnits,
                     duration(*longProcess).c_str());
    if (longReference)
        std::fprintf(out, "| one stored string, %zu matches | reference, the same (one run) | %s | |\n",
                     l.longReferenceUnits, duration(*longReference).c_str());

    std::fprintf(out, "\n");
    if (processTime && memmemTime)
        std::fprintf(out, "Goal: process at least as fast as memmem: %.2f x, %s\n", *memmemTime / *processTime,
                     verdict(*processTime <= *memmemTime).c_str());
    if (processTime && memchrTime)
        std::fprintf(out, "Goal: process at least 40%% of memchr's speed: %.0f%%, %s\n",
                     100 * *memchrTime / *processTime, verdict(*memchrTime / *processTime >= 0.4).c_str());
    const auto rewriteGoal = [&](const char *what, const std::optional<double> &seconds) {
        if (none && seconds)
            std::fprintf(out, "Goal: %s at most 3 x the no-match time: %.2f x, %s\n", what, *seconds / *none,
                         verdict(*seconds <= 3 * *none).c_str());
    };
    rewriteGoal("lengthening rewrites", longer);
    rewriteGoal("shortening rewrites", shorter);
    if (longProcess)
        std::fprintf(out, "Goal: %zu matches in one string in under 1 s: %s, %s\n", l.longUnits,
                     duration(*longProcess).c_str(), verdict(*longProcess < 1).c_str());
}

SummaryReporter::SummaryReporter(Summary &summary)
    : ConsoleReporter(::isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular), m_summary(summary)
{
}

void SummaryReporter::ReportRuns(const std::vector<Run> &runs)
{
    std::vector<Run> shown;
    for (const Run &run : runs) {
        if (run.run_type == Run::RT_Iteration && !run.error_occurred && run.iterations > 0)
            m_summary.record(run.run_name.function_name, run.cpu_accumulated_time / double(run.iterations));
        if (run.run_type == Run::RT_Aggregate || run.repetitions <= 1 || run.error_occurred)
            shown.push_back(run);
    }
    ConsoleReporter::ReportRuns(shown);
}

} // namespace bench
