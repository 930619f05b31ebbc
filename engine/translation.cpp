#include "translation.h"

#include "atnformat/actionfile.h"
#include "fileio.h"
#include "process.h"
#include "runtimeerror.h"

namespace engine {

ParameterLayout parameterLayout(const std::vector<std::string> &parameters)
{
    ParameterLayout layout;
    const std::size_t count = parameters.size();
    if (count < 4) {
        layout.problem = ParameterLayout::Problem::TooFew;
        return layout;
    }
    if (parameters[0] == kLenientOption) {
        layout.lenient = true;
        layout.inputIndex = 1;
        layout.outputIndex = 2;
        if (count < 5) {
            layout.problem = ParameterLayout::Problem::TooFew;
            return layout;
        }
    }
    if ((count - layout.outputIndex - 1) % 2 != 0)
        layout.problem = ParameterLayout::Problem::UnpairedText;
    return layout;
}

TranslationOutcome processTranslation(const std::vector<std::string> &parameters,
                                      Console &console,
                                      const StringTable &strings)
{
    TranslationOutcome outcome;
    const ParameterLayout layout = parameterLayout(parameters);
    if (layout.problem == ParameterLayout::Problem::TooFew) {
        console.printout(strings.text("Fewargs"));
        return outcome;
    }
    if (layout.lenient)
        console.printout(strings.text("llestring"));
    if (layout.problem == ParameterLayout::Problem::UnpairedText) {
        console.printout(strings.text("replstring"));
        return outcome;
    }
    outcome.parametersOk = true;

    const std::string &inputPath = parameters[layout.inputIndex];
    const std::string &outputPath = parameters[layout.outputIndex];

    console.printout(strings.text("OpenInputFile") + inputPath + "\n");
    ReadResult input = readFile(inputPath, kMaxReadSize, Room::ForRewrites);
    if (!input.ok) {
        // Going on with nothing would write an empty file over the output.
        console.printout("Error: " + input.error + "\n");
        console.printout(strings.text("Done"));
        return outcome;
    }
    outcome.inputRead = true;
    std::vector<std::uint8_t> buffer = std::move(input.bytes);
    // Only an input that is itself a well-formed action file can tell whether
    // the translation broke something; anything else is translated unchecked.
    const bool checkOutput = !atnformat::checkActionFile(buffer).has_value();
    console.printout(formatText(strings.text("ReadInputFile %@"), {std::to_string(buffer.size())}));

    for (std::size_t i = layout.outputIndex + 1; i + 1 < parameters.size(); i += 2) {
        const std::string &search = parameters[i];
        const std::string &replacement = parameters[i + 1];
        console.printout(formatText(strings.text("BeginReplacementOf %@ %@"), {search, replacement}));
        try {
            buffer = process(std::move(buffer), search, replacement, layout.lenient, console);
        } catch (const RuntimeError &error) {
            console.printout("Error: " + error.description() + "\n");
            ++outcome.failedPairs;
        } catch (...) {
            console.printout("Error: Unknown Error\n");
            ++outcome.failedPairs;
        }
    }

    if (checkOutput) {
        if (const auto broken = atnformat::checkActionFile(buffer)) {
            console.printout("Error: The translated file is no longer a well-formed action file (" +
                             broken->message() + "), so \"" + outputPath + "\" was not written.\n");
            console.printout(strings.text("Done"));
            return outcome;
        }
    }

    console.printout(strings.text("OpenOutputFile") + outputPath + "\n");
    console.printout(formatText(strings.text("WriteOutputFile %@"), {std::to_string(buffer.size())}));
    const WriteResult written = writeFileAtomically(outputPath, buffer);
    if (written.ok)
        outcome.outputWritten = true;
    else
        console.printout(written.error + "\n");
    console.printout(strings.text("Done"));
    return outcome;
}

} // namespace engine
