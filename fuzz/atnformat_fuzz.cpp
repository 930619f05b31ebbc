// Feeds arbitrary bytes to the action-file reader and rewriter. Besides
// crashes and sanitizer reports it stops on a reader that contradicts itself
// (the walk with and without collecting strings must agree, and every
// reported string must lie inside the bytes) and on a rewriter whose result
// does not walk, that changes anything for the identity, whose lengths do
// not add up when every text grows by one unit, or that gives other bytes
// when it rewrites the buffer it is handed.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "atnformat/actionfile.h"
#include "atnformat/rewrite.h"
#include "fuzzcheck.h"

namespace {

void checkRewrites(std::span<const std::uint8_t> bytes, const atnformat::ActionFile &file)
{
    const auto identity = atnformat::rewriteStrings(bytes, [](const atnformat::StoredText &s, std::u16string &out) {
        out = s.units;
        return true;
    });
    fuzz::check(identity.succeeded() && identity.stringsChanged == 0, "the identity changes a string");
    fuzz::check(std::equal(bytes.begin(), bytes.end(), identity.bytes.begin(), identity.bytes.end()),
                "the identity changes bytes");

    const auto longer = atnformat::rewriteStrings(bytes, [](const atnformat::StoredText &s, std::u16string &out) {
        out.append(s.units).push_back(u'\u00E9');
        return true;
    });
    const atnformat::ActionFile after = atnformat::readActionFile(longer.bytes);
    fuzz::check(after.isWellFormed(), "a longer rewrite does not walk", after.error ? after.error->message() : "");
    fuzz::check(after.strings.size() == file.strings.size() && longer.stringsChanged == file.strings.size(),
                "a longer rewrite changes the number of strings");
    std::size_t grown = 0;
    for (std::size_t i = 0; i < file.strings.size(); ++i) {
        const atnformat::StoredString &was = file.strings[i], &is = after.strings[i];
        const std::uint32_t units = was.units == 0 ? 2 : was.units + 1;
        fuzz::check(is.text == was.text + "\u00E9" && is.units == units && is.role == was.role,
                    "a longer rewrite gives another text", was.text);
        grown += 2ULL * (units - was.units);
    }
    fuzz::check(longer.bytes.size() == bytes.size() + grown, "a longer rewrite has the wrong size");

    const atnformat::TextPair pairs[] = {{"e", "\U0001F305e"}, {"a", ""}};
    const auto replaced = atnformat::replaceTexts(bytes, pairs);
    fuzz::check(!atnformat::checkActionFile(replaced.bytes), "replaced texts do not walk");
    std::vector<std::uint8_t> buffer(bytes.begin(), bytes.end());
    buffer.reserve(2 * bytes.size());
    const auto inPlace = atnformat::replaceTexts(std::move(buffer), pairs);
    fuzz::check(inPlace.bytes == replaced.bytes, "replacing in the buffer itself gives other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);
    const atnformat::ActionFile file = atnformat::readActionFile(bytes);
    const auto checked = atnformat::checkActionFile(bytes);
    fuzz::check(checked.has_value() == file.error.has_value(), "the check and the reader disagree");
    fuzz::check(!checked || (checked->offset == file.error->offset && checked->offset <= size),
                "the check and the reader fail at different offsets");
    for (const atnformat::StoredString &s : file.strings)
        fuzz::check(s.offset + 4 + 2ULL * s.units <= size, "a string beyond the end");
    if (file.isWellFormed()) {
        checkRewrites(bytes, file);
    } else {
        const auto refused = atnformat::rewriteStrings(bytes, [](const auto &, auto &) { return false; });
        fuzz::check(refused.error && refused.error->offset == checked->offset && refused.bytes.empty(),
                    "the rewriter takes a file that does not walk");
    }
    return 0;
}
