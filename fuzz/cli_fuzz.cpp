// Fuzz target for the command line's parameter handling: cli::run with an
// argument vector made from the input, on real files in a folder of its own.
//
// Input: the number of arguments (one byte, at most 9), then one byte per
// argument choosing what it is (an option, one of the folder's paths, or a
// text whose length byte and bytes follow), then the length of the action
// file (two bytes) and its bytes; the rest is the rule file.
//
// Checked on every run: the exit status is 0, 1 or 2; status 2 (malformed
// arguments, or no enabled rules) touches no file, and neither does a dry run;
// the only files that change or appear are the outputs (with --output-dir,
// each input's name in that folder), besides the inputs' backups; when an
// output is its input, a backup holds the input's old content. Texts never
// hold "/" and the folder is the working folder, so no run writes outside it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "cli/cli.h"
#include "engine/backup.h"
#include "translation/driver.h"
#include "fuzzcheck.h"

using fuzz::check;
namespace fs = std::filesystem;

namespace {

using Snapshot = std::map<std::string, std::string>; // file name -> content ("<folder>" for folders)

fs::path g_folder;

std::string contentOf(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path &path, const std::string &content)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

Snapshot snapshot()
{
    Snapshot files;
    for (const auto &entry : fs::directory_iterator(g_folder))
        files[entry.path().filename().string()] = entry.is_directory() ? "<folder>" : contentOf(entry.path());
    return files;
}

std::string argument(fuzz::InputReader &input)
{
    switch (input.byte() % 16) {
    case 0: return "--rules";
    case 1: return "--lenient-le";
    case 2: return "--help";
    case 3: return "--version";
    case 4: return (g_folder / "in.atn").string();
    case 5: return (g_folder / "out.atn").string();
    case 6: return (g_folder / "de.rul").string();
    case 7: return (g_folder / "." / "in.atn").string(); // the input under another name
    case 8: return (g_folder / "sub").string();          // a folder
    case 9: return (g_folder / "missing.atn").string();
    case 12: return "--exact";
    case 13: return "--dry-run";
    case 14: return "--json";
    case 15: return "--output-dir";
    default: {
        std::string text = input.text(input.byte());
        std::replace(text.begin(), text.end(), '/', '_');
        return text;
    }
    }
}

struct Written {
    std::string input, output;
};

bool isRulesOption(const std::string &arg)
{
    return arg == "--exact" || arg == translation::kLenientOption || arg == "--dry-run" || arg == "--json";
}

// The inputs and the outputs they may be written to, as the command line
// reads its arguments; none when the arguments are malformed or for a dry run.
std::vector<Written> writtenBy(const std::vector<std::string> &args)
{
    // The rule file's options may stand before "--rules RULFILE" as well as after it.
    std::size_t at = 0;
    while (at < args.size() && (isRulesOption(args[at]) || args[at] == "--output-dir"))
        at += args[at] == "--output-dir" ? 2 : 1;
    if (at < args.size() && args[at] == "--rules" && (at == 0 || at + 1 < args.size())) {
        bool dryRun = false;
        std::optional<std::string> folder;
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (i == at) {
                ++i; // RULFILE
            } else if (paths.empty() && isRulesOption(args[i])) {
                dryRun = dryRun || args[i] == "--dry-run";
            } else if (paths.empty() && args[i] == "--output-dir" && i + 1 < args.size() && !folder) {
                folder = args[++i];
            } else {
                paths.push_back(args[i]);
            }
        }
        std::vector<Written> written;
        if (dryRun)
            return written;
        if (folder) {
            for (const std::string &path : paths)
                written.push_back({path, (fs::path(*folder) / fs::path(path).filename()).string()});
        } else if (paths.size() == 2) {
            written.push_back({paths[0], paths[1]});
        }
        return written;
    }
    const bool exact = !args.empty() && args[0] == "--exact";
    const std::vector<std::string> rest(args.begin() + (exact ? 1 : 0), args.end());
    const translation::ParameterLayout layout = translation::parameterLayout(rest);
    if (layout.problem != translation::ParameterLayout::Problem::None)
        return {};
    return {{rest[layout.inputIndex], rest[layout.outputIndex]}};
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // The rule reader prints "File not found" on standard output; keep the
    // fuzzer's own output readable.
    std::cout.rdbuf(nullptr);
    // A memory-backed folder when there is one: the program flushes every
    // file it writes to disk.
    const fs::path base = fs::is_directory("/dev/shm") && ::access("/dev/shm", W_OK) == 0
                              ? fs::path("/dev/shm")
                              : fs::temp_directory_path();
    g_folder = base / ("atnlingo-cli-fuzz-" + std::to_string(::getpid()));
    fs::create_directories(g_folder);
    fs::current_path(g_folder);
    std::atexit([] {
        std::error_code ignored;
        fs::current_path(g_folder.parent_path(), ignored);
        fs::remove_all(g_folder, ignored);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    for (const auto &entry : fs::directory_iterator(g_folder))
        fs::remove_all(entry.path());
    fs::create_directory(g_folder / "sub");

    fuzz::InputReader input(data, size);
    std::vector<std::string> args(input.byte() % 10);
    for (std::string &arg : args)
        arg = argument(input);
    writeFile(g_folder / "in.atn", input.text(input.twoBytes()));
    writeFile(g_folder / "de.rul", input.restAsText());

    const Snapshot before = snapshot();
    std::ostringstream out, err;
    const int status = cli::run(args, out, err);
    const Snapshot after = snapshot();

    check(status == cli::Success || status == cli::Failure || status == cli::Usage, "unknown exit status",
          std::to_string(status));
    if (status == cli::Usage) {
        check(after == before, "malformed arguments or no rules, yet a file changed");
        return 0;
    }
    const std::vector<Written> written = writtenBy(args);
    for (const auto &[name, content] : after) {
        const auto old = before.find(name);
        if (old != before.end() && old->second == content)
            continue;
        const std::string path = (g_folder / name).string();
        bool isOutput = false, isBackup = false, inPlace = false;
        for (const Written &w : written) {
            const bool sameFile = engine::isSameFile(w.input, w.output);
            const bool here = engine::isSameFile(path, w.output);
            isOutput = isOutput || here;
            inPlace = inPlace || (here && sameFile);
            isBackup = isBackup || (sameFile && old == before.end()
                                    && name.starts_with(fs::path(w.input).filename().string() + ".bak"));
        }
        check(isOutput || isBackup, "a file changed or left behind that is not an output", name);
        if (inPlace && old != before.end()) {
            bool backedUp = false;
            for (const auto &[other, kept] : after)
                backedUp = backedUp || (other.starts_with(name + ".bak") && kept == old->second);
            check(backedUp, "the input was replaced without a backup of its old content", name);
        }
    }
    return 0;
}
