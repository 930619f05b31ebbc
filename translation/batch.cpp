#include "batch.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "consoletexts.h"

namespace translation {
namespace {

namespace fs = std::filesystem;

struct FolderProblem {
    BatchOutcome::Refusal refusal;
    std::string reason;
};

// Why the inputs cannot all go to the folder, or nothing when they can.
std::optional<FolderProblem> folderProblem(const BatchRequest &request, const engine::StringTable &strings)
{
    std::error_code error;
    if (!fs::is_directory(request.outputFolder, error)) {
        return FolderProblem{BatchOutcome::Refusal::NoFolder,
                             engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "NotAFolder %@")),
                                                {request.outputFolder})};
    }
    std::map<std::string, const std::string *> byName;
    for (const std::string &input : request.inputs) {
        const auto [seen, fresh] = byName.emplace(fs::path(input).filename().string(), &input);
        if (!fresh) {
            return FolderProblem{
                BatchOutcome::Refusal::SameName,
                engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "SameFileName %@ %@")),
                                   {*seen->second, input})};
        }
    }
    return std::nullopt;
}

} // namespace

std::size_t BatchOutcome::translatedFiles() const noexcept
{
    return std::size_t(std::count_if(files.begin(), files.end(), [](const Outcome &o) { return o.succeeded(); }));
}

BatchOutcome runBatch(const BatchRequest &request, engine::Console &console, const engine::StringTable &strings,
                      const BatchProgress &progress)
{
    BatchOutcome batch;
    batch.inputs = request.inputs.size();
    PreparedPairs prepared = preparePairs(
        Request{.input = {}, .output = {}, .ruleFile = request.ruleFile, .pairs = request.pairs}, strings);
    if (prepared.refused) {
        batch.refusal = prepared.refused->refusal == Outcome::Refusal::NoPairs ? BatchOutcome::Refusal::NoPairs
                                                                               : BatchOutcome::Refusal::InvalidPair;
        batch.summary = prepared.refused->summary;
        return batch;
    }
    if (const auto problem = folderProblem(request, strings)) {
        batch.refusal = problem->refusal;
        batch.summary = notWrittenSummary(problem->reason, strings);
        return batch;
    }

    for (std::size_t i = 0; i < request.inputs.size(); ++i) {
        const std::string &input = request.inputs[i];
        if (progress && !progress(i, input)) {
            batch.cancelled = true;
            console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "BatchCancelled")));
            break;
        }
        console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "BatchFile %@ %@ %@")),
                                            {std::to_string(i + 1), std::to_string(batch.inputs), input}));
        const Request run{.input = input,
                          .output = (fs::path(request.outputFolder) / fs::path(input).filename()).string(),
                          .ruleFile = {},
                          .pairs = prepared.pairs,
                          .lenient = request.lenient,
                          .mode = request.mode};
        Outcome &outcome = batch.files.emplace_back(translation::run(run, console, strings));
        // A refused run says nothing on its own; here the next file follows.
        if (!outcome.started())
            console.printout(outcome.summary + "\n");
    }
    batch.summary = engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "TranslatedFiles %@ %@")),
                                       {std::to_string(batch.translatedFiles()), std::to_string(batch.inputs)});
    console.printout(batch.summary + "\n");
    return batch;
}

} // namespace translation
