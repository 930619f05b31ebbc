#include "encodedtext.h"

#include <string>

#include "runtimeerror.h"
#include "utf16.h"

namespace engine::detail {
namespace {

EncodedText encodeChecked(std::string_view text, const char *what, const char *whatCapitalised)
{
    if (auto bad = findInvalidUtf8(text)) {
        throw RuntimeError::ThrowException(std::string(whatCapitalised) + " string is not valid UTF-8: "
                                           + bad->reason + " at byte offset " + std::to_string(bad->offset)
                                           + "!");
    }
    EncodedText encoded{encodeUtf16(text, ByteOrder::BigEndian), encodeUtf16(text, ByteOrder::LittleEndian)};
    if (encoded.be.size() != encoded.le.size()) {
        throw RuntimeError::ThrowException(
            std::string("Internal error: Big-endian and little-endian UTF-16 encodings of the ") + what
            + " string are not the same length!");
    }
    if (encoded.be.size() % 2 != 0) {
        throw RuntimeError::ThrowException(std::string("Internal error: UTF-16 encoding of the ") + what
                                           + " string does not have an even number of bytes!");
    }
    return encoded;
}

} // namespace

Texts checkedTexts(std::string_view searchString, std::string_view replacementString)
{
    if (searchString.empty())
        throw RuntimeError::ThrowException("Search string must not be empty!");
    static constexpr std::string_view kSignature = "txtu";
    if (kSignature.size() != 4)
        throw RuntimeError::ThrowException("Internal error: Byte-representation of txtu is not 4 bytes!");
    EncodedText search = encodeChecked(searchString, "search", "Search");
    EncodedText replacement = encodeChecked(replacementString, "replacement", "Replacement");
    return {std::move(search), std::move(replacement)};
}

} // namespace engine::detail
