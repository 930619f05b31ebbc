#include "characterboundaries.h"

#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/utext.h>

namespace rules {

struct CharacterBoundaries::Iterator {
    std::unique_ptr<icu::BreakIterator> breaks;
};

CharacterBoundaries::CharacterBoundaries(std::string_view text)
    : m_size(text.size())
{
    if (text.size() > kMaxTextSize)
        return;
    UErrorCode status = U_ZERO_ERROR;
    UText *utext = utext_openUTF8(nullptr, text.data(), static_cast<int64_t>(text.size()), &status);
    std::unique_ptr<icu::BreakIterator> breaks(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    if (U_SUCCESS(status) && breaks)
        breaks->setText(utext, status); // keeps its own shallow clone of `utext`
    utext_close(utext);
    if (U_FAILURE(status) || !breaks)
        return;
    m_iterator = std::make_unique<Iterator>(Iterator{std::move(breaks)});
}

CharacterBoundaries::~CharacterBoundaries() = default;

bool CharacterBoundaries::isBoundary(std::size_t offset)
{
    if (!m_iterator || offset > m_size)
        return false;
    if (offset != m_lastOffset) {
        m_lastAnswer = m_iterator->breaks->isBoundary(static_cast<int32_t>(offset)) != 0;
        m_lastOffset = offset;
    }
    return m_lastAnswer;
}

} // namespace rules
