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

bool isHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool isLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

void readUnits(const std::uint8_t *p, std::size_t units, Layout layout, std::u16string &out)
{
    out.resize(units);
    char16_t *to = out.data();
    const int high = layout == Layout::BigEndian ? 0 : 1;
    for (std::size_t i = 0; i < units; ++i)
        to[i] = static_cast<char16_t>(p[2 * i + high] << 8 | p[2 * i + 1 - high]);
}

std::u16string storedUnits(std::u16string_view text, Layout layout)
{
    std::u16string out(text);
    if (storedUnit(0x0102, layout) != 0x0102) {
        for (char16_t &unit : out)
            unit = static_cast<char16_t>(unit >> 8 | (unit & 0xFF) << 8);
    }
    return out;
}

bool holdsUnpairedSurrogate(std::u16string_view text, Layout layout)
{
    // Most texts hold no surrogate at all; a pass without branches tells.
    const std::uint16_t mask = storedUnit(0xF800, layout), surrogate = storedUnit(0xD800, layout);
    bool any = false;
    for (const char16_t unit : text)
        any |= (unit & mask) == surrogate;
    return any && findUnpairedSurrogate(storedUnits(text, layout)).has_value();
}

std::optional<std::size_t> findUnpairedSurrogate(const std::uint8_t *p, std::size_t units, Layout layout)
{
    std::u16string text;
    readUnits(p, units, layout, text);
    return findUnpairedSurrogate(text);
}

std::optional<std::size_t> findUnpairedSurrogate(std::u16string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (isHigh(text[i]) && i + 1 < text.size() && isLow(text[i + 1]))
            ++i;
        else if (isHigh(text[i]) || isLow(text[i]))
            return i;
    }
    return std::nullopt;
}

std::string utf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t u = text[i];
        if (isHigh(u) && i + 1 < text.size() && isLow(text[i + 1]))
            appendUtf8(out, 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (text[++i] - 0xDC00));
        else
            appendUtf8(out, u);
    }
    return out;
}

std::u16string utf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int extra = b < 0x80 ? 0 : b < 0xE0 ? 1 : b < 0xF0 ? 2 : 3;
        char32_t c = extra == 0 ? b : b & (0x3F >> extra);
        for (int k = 1; k <= extra && i + k < text.size(); ++k)
            c = c << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        i += static_cast<std::size_t>(extra) + 1;
        if (c < 0x10000) {
            out += static_cast<char16_t>(c);
        } else {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::string latin1(std::string_view bytes)
{
    std::string out;
    for (const char b : bytes)
        appendUtf8(out, static_cast<unsigned char>(b));
    return out;
}

std::string quotedCode(std::string_view bytes)
{
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "'";
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F) {
            out += c;
        } else {
            out += "\\x";
            out += kHex[b >> 4];
            out += kHex[b & 0xF];
        }
    }
    return out + "'";
}

} // namespace atnformat::detail
