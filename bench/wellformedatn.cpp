#include "wellformedatn.h"

#include <array>
#include <random>
#include <string_view>

#include "engine/utf16.h"

namespace bench {
namespace {

constexpr std::array<std::string_view, 24> kNames = {
    "Background", "Layer 1", "Layer 1 copy", "Levels 1", "Curves 1", "Hue/Saturation 1", "Gradient Map",
    "Gradient Map 1", "Color Fill 1", "Brightness/Contrast", "Photo Filter", "Merge Visible", "Hintergrund",
    "Ebene 1 Kopie", "Tonwertkorrektur", "Farbton/S\u00e4ttigung", "\u0421\u043b\u043e\u0439 1", "\u80cc\u666f",
    "\u30ec\u30a4\u30e4\u30fc 1", "Calque 1", "Arri\u00e8re-plan", "Niveaux", "Web Export", "Smart Sharpen"};

constexpr std::array<std::string_view, 6> kPaths = {
    "C:\\Users\\Anna\\Pictures\\Urlaub 2023\\IMG_0412.jpg", "/Users/kenji/Pictures/\u5199\u771f/\u685c.jpg",
    "/Users/olga/Desktop/\u0424\u043e\u0442\u043e/\u043b\u0435\u0442\u043e.png", "D:\\Projekte\\Katalog\\Seite 12.psd",
    "/Volumes/Archive/Scans/1987/Roll 4/frame 17.tif", "/tmp/watermark.png"};

// The kinds of item below, in the order the steps of recorded actions hold them.
constexpr std::size_t kItemsPerEvent = 8;
constexpr std::array<std::array<std::size_t, kItemsPerEvent>, 4> kRecordedSteps = {{
    {0, 6, 3, 4, 0, 6, 3, 4}, // select layers by name, set their name, opacity and mode
    {1, 3, 4, 6, 1, 3, 4, 6}, // place files
    {5, 6, 3, 4, 5, 6, 3, 4}, // make adjustment layers
    {2, 0, 6, 3, 2, 0, 6, 3}, // link aliases to layers
}};

class Writer {
public:
    Writer(std::size_t size, std::uint64_t seed, ItemOrder order) : m_random(seed), m_order(order)
    {
        m_out.reserve(size + 64 * 1024);
    }

    std::vector<std::uint8_t> file(std::size_t size)
    {
        put32(16);
        text("Benchmark Actions");
        m_out.push_back(1);
        const std::size_t countAt = m_out.size();
        put32(0);
        std::uint32_t actions = 0;
        for (; m_out.size() < size; ++actions)
            action();
        for (int i = 0; i < 4; ++i)
            m_out[countAt + std::size_t(i)] = std::uint8_t(actions >> (24 - 8 * i));
        return std::move(m_out);
    }

private:
    void action()
    {
        m_out.insert(m_out.end(), 6, 0);
        text(name());
        m_out.push_back(0);
        constexpr std::uint32_t kEvents = 48;
        put32(kEvents);
        for (std::uint32_t e = 0; e < kEvents; ++e)
            event();
    }

    void event()
    {
        put32(0x00010000);
        code("long");
        code("setd");
        put32(3);
        m_out.insert(m_out.end(), {'S', 'e', 't'});
        put32(0xFFFFFFFF);
        text("");
        ident("null");
        put32(std::uint32_t(kItemsPerEvent));
        if (m_order == ItemOrder::Recorded) {
            for (const std::size_t kind : kRecordedSteps[below(kRecordedSteps.size())])
                item(kind);
            return;
        }
        for (std::size_t i = 0; i < kItemsPerEvent; ++i)
            item(below(8));
    }

    void item(std::size_t kind)
    {
        switch (kind) {
        case 0:
            ident("null");
            code("obj ");
            put32(1);
            code("name");
            text("");
            ident("Lyr ");
            return text(name());
        case 1:
        case 2:
            return path(below(2) == 0 ? "Pth " : "alis");
        case 3:
            ident("Opct");
            code("UntF");
            code("#Prc");
            return put64(0x4049000000000000);
        case 4:
            ident("Md  ");
            code("enum");
            ident("BlnM");
            return ident("Scrn");
        case 5:
            ident("Usng");
            code("Objc");
            text("");
            ident("AdjL");
            put32(2);
            ident("Nm  ");
            code("TEXT");
            text(name());
            ident("Gmm ");
            code("doub");
            return put64(0x3FF199999999999A);
        default:
            ident("Nm  ");
            code("TEXT");
            return text(name());
        }
    }

    void path(std::string_view type)
    {
        ident(type == "Pth " ? "In  " : "Als ");
        code(type);
        const std::vector<std::uint8_t> units =
            engine::encodeUtf16(kPaths[below(kPaths.size())], engine::ByteOrder::LittleEndian);
        const auto n = std::uint32_t(units.size() / 2 + 1);
        put32(2 * n + 12);
        code("txtu");
        put32le(2 * n + 12);
        put32le(n);
        m_out.insert(m_out.end(), units.begin(), units.end());
        m_out.insert(m_out.end(), {0, 0});
    }

    std::string_view name() { return kNames[below(kNames.size())]; }
    std::size_t below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(m_random); }

    void text(std::string_view utf8)
    {
        const std::vector<std::uint8_t> units = engine::encodeUtf16(utf8, engine::ByteOrder::BigEndian);
        put32(std::uint32_t(units.size() / 2 + 1));
        m_out.insert(m_out.end(), units.begin(), units.end());
        m_out.insert(m_out.end(), {0, 0});
    }
    void ident(std::string_view four)
    {
        put32(0);
        code(four);
    }
    void code(std::string_view four) { m_out.insert(m_out.end(), four.begin(), four.end()); }
    void put32(std::uint32_t v)
    {
        m_out.insert(m_out.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
    }
    void put32le(std::uint32_t v)
    {
        m_out.insert(m_out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }
    void put64(std::uint64_t v)
    {
        put32(std::uint32_t(v >> 32));
        put32(std::uint32_t(v));
    }

    std::mt19937_64 m_random;
    ItemOrder m_order;
    std::vector<std::uint8_t> m_out;
};

} // namespace

std::vector<std::uint8_t> makeWellFormedAtn(std::size_t size, std::uint64_t seed, ItemOrder order)
{
    return Writer(size, seed, order).file(size);
}

} // namespace bench
