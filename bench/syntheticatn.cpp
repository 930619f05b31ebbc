#include "syntheticatn.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <random>
#include <string_view>

#include "engine/utf16.h"

namespace bench {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Names as they appear in recorded actions: steps, layers, adjustments, some
// of them as a translated editor writes them.
constexpr std::array<std::string_view, 62> kNames = {
    "Background", "Layer 1", "Layer 1 copy", "Layer 2", "Layer 2 copy 3", "Levels", "Levels 1", "Curves",
    "Curves 1", "Hue/Saturation", "Hue/Saturation 1", "Gradient Map", "Gradient Map 1", "Brightness/Contrast",
    "Color Balance", "Vibrance", "Photo Filter", "Channel Mixer", "Selective Color", "Exposure", "Invert",
    "Posterize", "Threshold", "Black & White", "Shadows/Highlights", "Gaussian Blur", "Unsharp Mask",
    "Smart Sharpen", "Merge Visible", "Flatten Image", "Duplicate", "Make", "Select", "Set", "Delete", "Move",
    "Copy", "Paste", "Fill", "Stroke", "Image Size", "Canvas Size", "Crop", "Rotate", "Default Actions",
    "Web Export", "Hintergrund", "Ebene 1", "Ebene 1 Kopie", "Tonwertkorrektur", "Farbton/S\u00e4ttigung",
    "Gradationskurven", "\u0421\u043b\u043e\u0439 1", "\u0424\u043e\u043d", "\u56fe\u5c42 1", "\u80cc\u666f",
    "\u8272\u9636", "\u30ec\u30a4\u30e4\u30fc 1", "Calque 1", "Arri\u00e8re-plan", "Niveaux",
    "Teinte/Saturation"};

// File paths, stored little-endian.
constexpr std::array<std::string_view, 8> kPaths = {
    "C:\\Users\\Anna\\Pictures\\Urlaub 2023\\IMG_0412.jpg",
    "/Users/kenji/Pictures/\u5199\u771f/\u685c.jpg",
    "/Users/olga/Desktop/\u0424\u043e\u0442\u043e/\u043b\u0435\u0442\u043e.png",
    "D:\\Projekte\\Katalog\\Seite 12.psd",
    "/Volumes/Archive/Scans/1987/Roll 4/frame 17.tif",
    "C:\\Temp\\export.png",
    "/Users/marie/Documents/Pr\u00e9sentation/fond d\u2019\u00e9cran.jpg",
    "/tmp/watermark.png"};

constexpr std::array<std::string_view, 24> kKeys = {
    "Nm  ", "Idnt", "Usng", "T   ", "null", "Lyr ", "Ordn", "Trgt", "Adjs", "Type", "Grad", "Clrs",
    "Mdpn", "Rd  ", "Grn ", "Bl  ", "Opct", "Md  ", "Cnt ", "Lvls", "Inpt", "Gmm ", "Strt", "Clr "};

constexpr std::array<std::string_view, 8> kEvents = {"make", "slct", "setd", "Dplc", "Mrg2", "Fltn", "save", "Cls "};

struct Text {
    Bytes units; // UTF-16 of the text and its ending null
    std::uint32_t count;
};

Text encoded(std::string_view text, engine::ByteOrder order)
{
    Text t{engine::encodeUtf16(text, order), 0};
    t.units.insert(t.units.end(), {0, 0});
    t.count = static_cast<std::uint32_t>(t.units.size() / 2);
    return t;
}

bool containsAny(std::string_view text, const std::vector<std::string> &needles)
{
    return std::any_of(needles.begin(), needles.end(), [&](const std::string &needle) {
        return !needle.empty() && text.find(needle) != std::string_view::npos;
    });
}

class Writer {
public:
    explicit Writer(const SyntheticAtnOptions &options) : m_rng(options.seed)
    {
        std::vector<std::string> avoid = options.avoid;
        avoid.push_back(options.marker);
        for (std::string_view name : kNames) {
            if (!containsAny(name, avoid))
                m_names.push_back(encoded(name, engine::ByteOrder::BigEndian));
        }
        for (std::string_view path : kPaths) {
            if (!containsAny(path, avoid))
                m_paths.push_back(encoded(path, engine::ByteOrder::LittleEndian));
        }
        m_out.reserve(options.size + kLongestItem);
    }

    Bytes &bytes() { return m_out; }

    void item()
    {
        const int kind = below(100);
        if (kind < 30)
            textItem(m_names[std::size_t(below(int(m_names.size())))]);
        else if (kind < 38)
            pathItem(m_paths[std::size_t(below(int(m_paths.size())))]);
        else if (kind < 50)
            event();
        else if (kind < 65)
            number("long", 4);
        else if (kind < 80)
            number("doub", 8);
        else if (kind < 88)
            unitDouble();
        else if (kind < 96)
            enumerated();
        else
            boolean();
    }

    void textItem(const Text &text)
    {
        key();
        code("TEXT");
        put32be(text.count);
        put(text.units);
    }

    // The longest item written, so callers know how close to the end an item
    // still fits whole.
    static constexpr std::size_t kLongestItem = 256;

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    void put(const Bytes &bytes) { m_out.insert(m_out.end(), bytes.begin(), bytes.end()); }
    void code(std::string_view fourChars) { m_out.insert(m_out.end(), fourChars.begin(), fourChars.end()); }

    void put32be(std::uint32_t v)
    {
        m_out.insert(m_out.end(), {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)});
    }

    void put32le(std::uint32_t v)
    {
        m_out.insert(m_out.end(), {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)});
    }

    // Keys are a zero length and a four-character code.
    void key()
    {
        put32be(0);
        code(kKeys[std::size_t(below(int(kKeys.size())))]);
    }

    void pathItem(const Text &path)
    {
        key();
        code("Pth ");
        const std::uint32_t byteCount = 2 * path.count + 12;
        put32be(byteCount);
        code("txtu");
        put32le(byteCount);
        put32le(path.count);
        put(path.units);
    }

    void event()
    {
        m_out.push_back(0);
        put32be(4);
        code(kEvents[std::size_t(below(int(kEvents.size())))]);
        put32be(1);
    }

    void number(std::string_view type, int width)
    {
        key();
        code(type);
        for (int i = 0; i < width; ++i)
            m_out.push_back(std::uint8_t(std::min(below(256), 0xFE)));
    }

    void unitDouble()
    {
        key();
        code("UntF");
        code("#Prc");
        // Doubles as the editor stores them: mostly small round values.
        double value = below(1000) / 4.0;
        std::uint64_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        for (int shift = 56; shift >= 0; shift -= 8)
            m_out.push_back(std::uint8_t(std::min<std::uint64_t>((bits >> shift) & 0xFF, 0xFE)));
    }

    void enumerated()
    {
        key();
        code("enum");
        put32be(0);
        code("Ordn");
        put32be(0);
        code("Trgt");
    }

    void boolean()
    {
        key();
        code("bool");
        m_out.push_back(std::uint8_t(below(2)));
    }

    std::mt19937_64 m_rng;
    std::vector<Text> m_names;
    std::vector<Text> m_paths;
    Bytes m_out;
};

} // namespace

SyntheticAtn makeSyntheticAtn(const SyntheticAtnOptions &options)
{
    Writer writer(options);
    Bytes &out = writer.bytes();
    SyntheticAtn result;
    const Text marker = encoded(options.marker, engine::ByteOrder::BigEndian);
    std::size_t nextMarker = 0;
    while (out.size() < options.size) {
        const bool roomForMarker = out.size() + 2 * Writer::kLongestItem < options.size;
        if (!options.marker.empty() && roomForMarker && out.size() >= nextMarker) {
            writer.textItem(marker);
            ++result.markers;
            nextMarker += options.markerSpacing;
        } else {
            writer.item();
        }
    }
    out.resize(options.size);
    result.bytes = std::move(out);
    return result;
}

} // namespace bench
