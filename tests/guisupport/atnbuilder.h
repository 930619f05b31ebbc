// Small action files built piece by piece, in the two stored-string layouts
// of ATN files, for tests that run whole translations.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

class AtnBuilder {
public:
    // Raw bytes, e.g. a version number or a four-letter key.
    AtnBuilder &bytes(std::initializer_list<std::uint8_t> raw);
    AtnBuilder &ascii(const char *text);
    AtnBuilder &u32be(std::uint32_t value);
    // u32be N, then N UTF-16 big-endian units ending in a null unit.
    AtnBuilder &bigEndianString(const QString &text);
    // u32be B, "txtu", u32le B, u32le N, N UTF-16 little-endian units ending
    // in a null unit; B = 2N + 12.
    AtnBuilder &littleEndianString(const QString &text);

    [[nodiscard]] const std::vector<std::uint8_t> &data() const { return m_data; }

private:
    std::vector<std::uint8_t> m_data;
};

// An action set "Names" with one action that makes and renames layers and
// adjustment layers, shaped like a recorded one: each name a big-endian
// "TEXT" value, plus a file path in the little-endian layout.
[[nodiscard]] std::vector<std::uint8_t> layerActionSet(const QStringList &layerNames, const QString &filePath);
