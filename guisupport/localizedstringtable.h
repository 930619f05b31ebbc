// The application's string tables as the translation driver sees them: the
// keys of the "Localizable" context and the formats of the engine's messages
// in the "Messages" context; the key or the English format itself when no
// table has it.
#pragma once

#include <QString>

#include "engine/stringtable.h"

class LocalizedStringTable final : public engine::StringTable {
public:
    [[nodiscard]] std::string text(std::string_view key) const override;
    [[nodiscard]] std::string translation(std::string_view english) const override;
};

// The warning sheet's text for a rule file without enabled rules.
[[nodiscard]] QString noEnabledRulesWarning();
