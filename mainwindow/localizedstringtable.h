// The application's string tables as the translation driver sees them: the
// keys of the "Localizable" context, the key itself when no table has it.
#pragma once

#include "engine/stringtable.h"

class LocalizedStringTable final : public engine::StringTable {
public:
    [[nodiscard]] std::string text(std::string_view key) const override;
};
