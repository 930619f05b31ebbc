#include "atnbuilder.h"

#include <cstring>

AtnBuilder &AtnBuilder::bytes(std::initializer_list<std::uint8_t> raw)
{
    m_data.insert(m_data.end(), raw.begin(), raw.end());
    return *this;
}

AtnBuilder &AtnBuilder::ascii(const char *text)
{
    m_data.insert(m_data.end(), text, text + std::strlen(text));
    return *this;
}

AtnBuilder &AtnBuilder::u32be(std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        m_data.push_back(std::uint8_t(value >> shift));
    return *this;
}

AtnBuilder &AtnBuilder::bigEndianString(const QString &text)
{
    u32be(std::uint32_t(text.size() + 1));
    for (const QChar unit : text) {
        m_data.push_back(std::uint8_t(unit.unicode() >> 8));
        m_data.push_back(std::uint8_t(unit.unicode() & 0xff));
    }
    return bytes({0, 0});
}

AtnBuilder &AtnBuilder::littleEndianString(const QString &text)
{
    const auto units = std::uint32_t(text.size() + 1);
    const std::uint32_t byteCount = 2 * units + 12;
    u32be(byteCount);
    ascii("txtu");
    const auto u32le = [this](std::uint32_t value) {
        for (int shift = 0; shift <= 24; shift += 8)
            m_data.push_back(std::uint8_t(value >> shift));
    };
    u32le(byteCount);
    u32le(units);
    for (const QChar unit : text) {
        m_data.push_back(std::uint8_t(unit.unicode() & 0xff));
        m_data.push_back(std::uint8_t(unit.unicode() >> 8));
    }
    return bytes({0, 0});
}

std::vector<std::uint8_t> layerActionSet(const QStringList &layerNames, const QString &filePath)
{
    AtnBuilder atn;
    atn.u32be(16).bigEndianString(QStringLiteral("Names")).bytes({0}).u32be(1);
    atn.bigEndianString(QStringLiteral("Rename layers")).bytes({0, 0, 0}).u32be(std::uint32_t(layerNames.size() + 1));
    for (const QString &name : layerNames) {
        atn.bytes({0}).u32be(4).ascii("setd").u32be(0).ascii("Nm  ").ascii("TEXT").bigEndianString(name);
    }
    atn.bytes({0}).u32be(4).ascii("Plc ").u32be(0).ascii("null").ascii("alis");
    atn.littleEndianString(filePath).bytes({0xff, 0xff});
    return atn.data();
}
