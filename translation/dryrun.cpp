#include "dryrun.h"

#include <algorithm>

#include "consoletexts.h"

namespace translation {

std::vector<TextChange> TextPreview::changes() const
{
    std::vector<TextChange> changed;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (before.strings[i].text != after[i])
            changed.push_back({before.strings[i], after[i]});
    }
    return changed;
}

TextPreview previewTexts(std::vector<std::uint8_t> bytes, std::span<const Pair> pairs, Mode mode, bool lenient,
                         engine::Console &console, const engine::StringTable &strings)
{
    TextPreview preview;
    preview.before = atnformat::readActionFile(bytes);
    preview.translated = translateBytes(std::move(bytes), pairs, mode, lenient, console, strings);
    if (!preview.before.isWellFormed() || !preview.translated.isWritable())
        return preview;
    atnformat::ActionFile result = atnformat::readActionFile(preview.translated.bytes);
    // A result that can be written walks as the input does.
    if (!result.isWellFormed() || result.strings.size() != preview.before.strings.size())
        return preview;
    preview.after.reserve(result.strings.size());
    for (atnformat::StoredString &string : result.strings)
        preview.after.push_back(std::move(string.text));
    return preview;
}

DryRun dryRun(const Request &request, engine::Console &console, const engine::StringTable &strings)
{
    DryRun dry;
    PreparedPairs prepared = preparePairs(request, strings);
    if (prepared.refused) {
        dry.outcome = std::move(*prepared.refused);
        return dry;
    }
    if (request.lenient)
        console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "llestring")));
    engine::ReadResult input = readInput(request.input, console, strings);
    if (!input.ok)
        return dry;
    dry.outcome.inputRead = true;
    TextPreview preview =
        previewTexts(std::move(input.bytes), prepared.pairs, request.mode, request.lenient, console, strings);
    dry.outcome.pairs = std::move(preview.translated.pairs);
    dry.inputWellFormed = preview.before.isWellFormed();
    dry.outcome.inputChecked = dry.inputWellFormed;
    if (preview.translated.brokenResult) {
        console.printout(engine::formatText(strings.text(QT_TRANSLATE_NOOP("Localizable", "WouldNotBeWellFormed %@")),
                                            {*preview.translated.brokenResult}));
    }
    dry.wouldWrite = preview.translated.isWritable();
    dry.storedTexts = std::size_t(std::count_if(preview.before.strings.begin(), preview.before.strings.end(),
                                                [](const atnformat::StoredString &s) { return !s.text.empty(); }));
    dry.changes = preview.changes();
    return dry;
}

} // namespace translation
