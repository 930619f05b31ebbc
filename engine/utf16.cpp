#include "utf16.h"

#include <cstdio>

namespace engine {
namespace {

std::string hexByte(unsigned char byte)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", byte);
    return text;
}

// Decodes one well-formed UTF-8 sequence at `i`; returns its length, or 0.
std::size_t sequenceLength(std::string_view s, std::size_t i, char32_t &cp, std::string &reason)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    std::size_t len;
    char32_t min;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1Fu;
        min = 0x80;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0Fu;
        min = 0x800;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07u;
        min = 0x10000;
    } else if (b0 >= 0x80 && b0 <= 0xBF) {
        reason = "unexpected continuation byte " + hexByte(b0);
        return 0;
    } else {
        reason = "invalid byte " + hexByte(b0);
        return 0;
    }
    if (i + len > s.size()) {
        reason = "sequence cut short by the end of the text";
        return 0;
    }
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            reason = "missing continuation byte (found " + hexByte(b) + ")";
            return 0;
        }
        cp = (cp << 6) | (b & 0x3Fu);
    }
    if (cp < min) {
        reason = "overlong encoding";
        return 0;
    }
    if (cp >= 0xD800 && cp <= 0xDFFF) {
        reason = "encoded surrogate";
        return 0;
    }
    if (cp > 0x10FFFF) {
        reason = "code point above U+10FFFF";
        return 0;
    }
    return len;
}

void putUnit(std::vector<std::uint8_t> &out, char16_t unit, ByteOrder order)
{
    const auto hi = static_cast<std::uint8_t>(unit >> 8);
    const auto lo = static_cast<std::uint8_t>(unit & 0xFF);
    if (order == ByteOrder::BigEndian) {
        out.push_back(hi);
        out.push_back(lo);
    } else {
        out.push_back(lo);
        out.push_back(hi);
    }
}

} // namespace

std::optional<Utf8Error> findInvalidUtf8(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        char32_t cp;
        std::string reason;
        const std::size_t len = sequenceLength(text, i, cp, reason);
        if (len == 0)
            return Utf8Error{i, std::move(reason)};
        i += len;
    }
    return std::nullopt;
}

std::vector<std::uint8_t> encodeUtf16(std::string_view utf8, ByteOrder order)
{
    std::vector<std::uint8_t> out;
    out.reserve(utf8.size() * 2);
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp;
        std::string reason;
        std::size_t len = sequenceLength(utf8, i, cp, reason);
        if (len == 0) {
            cp = 0xFFFD;
            len = 1;
        }
        i += len;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            putUnit(out, static_cast<char16_t>(0xD800 + (cp >> 10)), order);
            putUnit(out, static_cast<char16_t>(0xDC00 + (cp & 0x3FF)), order);
        } else {
            putUnit(out, static_cast<char16_t>(cp), order);
        }
    }
    return out;
}

} // namespace engine
