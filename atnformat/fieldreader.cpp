#include "fieldreader.h"

namespace atnformat::detail {

void FieldReader::missingBytes(Pos p, std::string expected) const
{
    const std::size_t rest = left(p);
    fail([&] {
        return FormatError{offset(p), std::move(expected),
                           rest == 0 ? "the end of the file" : "only " + std::to_string(rest) + " bytes before the end"};
    });
}

void FieldReader::tooMany(Pos at, const char *what, std::uint32_t limit, std::uint32_t n) const
{
    fail([&] {
        return FormatError{offset(at), std::string(what) + " of at most " + std::to_string(limit), std::to_string(n)};
    });
}

void FieldReader::tooLong(Pos at, const char *what, std::uint32_t limit, std::uint32_t n) const
{
    fail([&] {
        return FormatError{offset(at), std::string(what) + " of at most " + std::to_string(limit) + " bytes",
                           std::to_string(n) + " bytes"};
    });
}

void FieldReader::tooLongText(Pos at, std::uint32_t units) const
{
    fail([&] {
        return FormatError{offset(at), "a text length of at most " + std::to_string(kMaxTextUnits) + " units",
                           std::to_string(units)};
    });
}

void FieldReader::noNull(std::size_t offset, const char *what)
{
    fail([&] { return FormatError{offset, "the ending null 00 00 of " + std::string(what), {}}; });
}

void FieldReader::unpaired(const std::uint8_t *p, std::size_t units, Layout layout, std::size_t offset)
{
    if (const auto bad = findUnpairedSurrogate(p, units, layout))
        fail([&] { return FormatError{offset + 2 * *bad, "UTF-16 text", "an unpaired surrogate"}; });
}

} // namespace atnformat::detail
