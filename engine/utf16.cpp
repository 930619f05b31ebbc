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

std::string decodeUtf16(const std::uint8_t *data, std::size_t bytes, ByteOrder order)
{
    auto unitAt = [&](std::size_t k) -> char32_t {
        const std::uint8_t a = data[2 * k], b = data[2 * k + 1];
        return order == ByteOrder::BigEndian ? char32_t(a << 8 | b) : char32_t(b << 8 | a);
    };
    std::string out;
    const std::size_t units = bytes / 2;
    for (std::size_t k = 0; k < units; ++k) {
        char32_t cp = unitAt(k);
        if (cp >= 0xD800 && cp <= 0xDBFF && k + 1 < units) {
            const char32_t low = unitAt(k + 1);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                ++k;
            } else {
                cp = 0xFFFD;
            }
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

} // namespace engine
