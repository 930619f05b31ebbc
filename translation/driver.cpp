#include "driver.h"

#include "consoletexts.h"

namespace translation {

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

Outcome processTranslation(const std::vector<std::string> &parameters, engine::Console &console,
                           const engine::StringTable &strings, Mode mode)
{
    const ParameterLayout layout = parameterLayout(parameters);
    if (layout.problem != ParameterLayout::Problem::None) {
        if (layout.problem == ParameterLayout::Problem::TooFew) {
            console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "Fewargs")));
        } else {
            if (layout.lenient)
                console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "llestring")));
            console.printout(strings.text(QT_TRANSLATE_NOOP("Localizable", "replstring")));
        }
        Outcome outcome;
        outcome.refusal = Outcome::Refusal::MalformedParameters;
        return outcome;
    }
    Request request{.input = parameters[layout.inputIndex], .output = parameters[layout.outputIndex],
                    .ruleFile = {}, .pairs = {}, .lenient = layout.lenient, .mode = mode};
    for (std::size_t i = layout.outputIndex + 1; i + 1 < parameters.size(); i += 2)
        request.pairs.push_back({parameters[i], parameters[i + 1]});
    return run(request, console, strings);
}

} // namespace translation
