#include "decoding.h"

namespace atnformat::detail {

namespace {

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::optional<std::size_t> decodeUtf16(const std::uint8_t *p, std::size_t units, Layout layout, std::string &out)
{
    auto unitAt = [&](std::size_t i) -> char16_t {
        const std::uint8_t a = p[2 * i];
        const std::uint8_t b = p[2 * i + 1];
        return layout == Layout::BigEndian ? static_cast<char16_t>(a << 8 | b) : static_cast<char16_t>(b << 8 | a);
    };
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t u = unitAt(i);
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 >= units)
                return i;
            const char16_t low = unitAt(i + 1);
            if (low < 0xDC00 || low > 0xDFFF)
                return i;
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (low - 0xDC00));
            ++i;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            return i;
        } else {
            appendUtf8(out, u);
        }
    }
    return std::nullopt;
}

std::string latin1(std::span<const std::uint8_t> bytes)
{
    std::string out;
    for (const std::uint8_t b : bytes)
        appendUtf8(out, b);
    return out;
}

std::string quotedCode(std::span<const std::uint8_t> bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "'";
    for (const std::uint8_t b : bytes) {
        if (b >= 0x20 && b < 0x7F) {
            out += static_cast<char>(b);
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out + "'";
}

} // namespace atnformat::detail
