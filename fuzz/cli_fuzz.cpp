// Fuzz target for the command line's parameter handling: cli::run with an
// argument vector made from the input, on real files in a folder of its own.
//
// Input: the number of arguments (one byte, at most 9), then one byte per
// argument choosing what it is (an option, one of the folder's paths, or a
// text whose length byte and bytes follow), then the length of the action
// file (two bytes) and its bytes; the rest is the rule file.
//
// Checked on every run: the exit status is 0, 1 or 2; status 2 (malformed
// arguments, or no enabled rules) touches no file; the only file that changes
// or appears is the output, besides the input's backups; when the output is
// the input, a backup holds the input's old content. Texts never hold "/" and
// the folder is the working folder, so no run writes outside it.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
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
    switch (input.byte() % 12) {
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
    default: {
        std::string text = input.text(input.byte());
        std::replace(text.begin(), text.end(), '/', '_');
        return text;
    }
    }
}

struct Paths {
    std::string input, output; // empty when the arguments are malformed
};

// Where the arguments put the input and the output, as the command line reads them.
Paths pathsOf(const std::vector<std::string> &args)
{
    if (!args.empty() && args[0] == "--rules") {
        const std::size_t at = args.size() > 2 && args[2] == translation::kLenientOption ? 3 : 2;
        if (args.size() == at + 2)
            return {args[at], args[at + 1]};
        return {};
    }
    const translation::ParameterLayout layout = translation::parameterLayout(args);
    if (layout.problem != translation::ParameterLayout::Problem::None)
        return {};
    return {args[layout.inputIndex], args[layout.outputIndex]};
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
    const Paths paths = pathsOf(args);
    const bool sameFile = !paths.output.empty() && engine::isSameFile(paths.input, paths.output);
    for (const auto &[name, content] : after) {
        const auto old = before.find(name);
        if (old != before.end() && old->second == content)
            continue;
        const std::string path = (g_folder / name).string();
        const bool isOutput = !paths.output.empty() && engine::isSameFile(path, paths.output);
        const bool isBackup = sameFile && old == before.end()
                              && name.starts_with(fs::path(paths.input).filename().string() + ".bak");
        check(isOutput || isBackup, "a file changed or left behind that is not the output", name);
        if (isOutput && sameFile && old != before.end()) {
            bool backedUp = false;
            for (const auto &[other, kept] : after)
                backedUp = backedUp || (other.starts_with(name + ".bak") && kept == old->second);
            check(backedUp, "the input was replaced without a backup of its old content", name);
        }
    }
    return 0;
}
