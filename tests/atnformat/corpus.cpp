#include "corpus.h"

#include <cstdio>
#include <random>

#include "atnformat/rewrite.h"
#include "engine/console.h"
#include "engine/process.h"

namespace corpus {

using namespace atnbuild;

namespace {

Bytes nestedObjects(int levels)
{
    Bytes value = objectValue("Lyr ", {{"Nm  ", textValue("innermost")}});
    for (int i = 1; i < levels; ++i)
        value = objectValue("Lyr ", {{"T   ", value}});
    return value;
}

Bytes rawPath(std::uint32_t byteCount, std::uint32_t repeatedCount, std::uint32_t units, const Bytes &text)
{
    return code("Pth ") + be32(byteCount) + code("txtu") + le32(repeatedCount) + le32(units) + text;
}

} // namespace

std::vector<DamagedCase> damagedCases()
{
    const std::size_t item = fileWithItems({}).size() + 8; // the type code of the first item
    const std::size_t firstEvent = actionFile("Set", {action("Action", {})}).size();
    const Bytes eventHead = Bytes{0, 1, 0, 0};
    const Bytes good = fileWithItems({{"Nm  ", textValue("Layer")}});
    const auto withEvent = [&](const char *selector, std::uint32_t flag) {
        return actionFile("Set", {action("Action", {eventHead + code(selector) + code("slct") +
                                                    byteString("Select") + be32(flag)})});
    };
    const auto withText = [](const Bytes &units) { return fileWithItems({{"Nm  ", code("TEXT") + units}}); };
    return {
        {"WrongVersion", actionFile("Set", {}, 15), 0, "version 16"},
        {"BadEventSelector", withEvent("lonf", 0), firstEvent + 4, "'TEXT' or 'long'"},
        {"BadDescriptorFlag", withEvent("long", 1), firstEvent + 22, "descriptor flag"},
        {"UnknownValueType", fileWithItems({{"Nm  ", code("TXET") + text("x")}}), item, "a value type"},
        {"ValueTypeOfZeros", fileWithItems({{"Nm  ", be32(0) + text("x")}}), item, "a value type"},
        {"UnknownReferenceForm",
         fileWithItems({{"null", code("obj ") + be32(1) + code("nmae") + text("") + ident("Lyr ") + text("x")}}),
         item + 8, "a reference form"},
        {"ObjectArrayWithoutUnFl",
         fileWithItems({{"Pts ", code("ObAr") + be32(1) + text("") + ident("Pnt ") + be32(1) + ident("Hrzn") +
                                     code("UnFL") + code("#Pxl") + be32(0)}}),
         item + 34, "'UnFl'"},
        {"TextWithoutEndingNull", withText(be32(2) + Bytes{0, 'A', 0, 'B'}), item + 10, "ending null"},
        {"TextWithLoneHighSurrogate", withText(be32(3) + Bytes{0xD8, 0, 0, 'A', 0, 0}), item + 8, "UTF-16"},
        {"TextLengthImplausible", withText(be32(0x100001)), item + 4, "text length"},
        {"TextCutShort", Bytes(good.begin(), good.end() - 3), item + 8, "units"},
        {"PathByteCountsDiffer", fileWithItems({{"null", rawPath(16, 18, 2, Bytes{'a', 0, 0, 0})}}), item + 12,
         "little-endian byte count"},
        {"PathUnitCountWrong", fileWithItems({{"null", rawPath(16, 16, 3, Bytes{'a', 0, 0, 0})}}), item + 16,
         "unit count"},
        {"PathOfZeroUnits", fileWithItems({{"null", rawPath(12, 12, 0, {})}}), item + 16, "unit count"},
        {"PathWithoutEndingNull", fileWithItems({{"null", rawPath(16, 16, 2, Bytes{'a', 0, 'b', 0})}}), item + 22,
         "ending null"},
        {"AliasWithLoneSurrogate",
         fileWithItems({{"Als ", code("alis") + be32(16) + code("txtu") + le32(16) + le32(2) + Bytes{0, 0xD8, 0, 0}}}),
         item + 20, "UTF-16"},
        {"BlobLongerThanFile", fileWithItems({{"Data", code("tdta") + be32(1000) + Bytes{1, 2, 3}}}), item + 8,
         "'tdta'"},
        {"ActionCountImplausible", be32(16) + text("Set") + Bytes{1} + be32(100001), 17, "action count"},
        {"ReferenceCountImplausible", fileWithItems({{"null", code("obj ") + be32(1001)}}), item + 4,
         "reference count"},
        {"DescriptorsNested65Deep", fileWithItems({{"T   ", nestedObjects(65)}}), item + 64 * 30 + 4, "nested"},
        {"TrailingByte", good + Bytes{0}, good.size(), "end of the file"},
    };
}

Bytes smallFile()
{
    return actionFile(
        "Small",
        {action("Levels", {event("Mk  ", "Make",
                                 {{{"null", reference({byClass("AdjL")})},
                                   {"Usng", objectValue("AdjL", {{"Nm  ", textValue("Levels 1")},
                                                                 {"Type", classValue("Lvls")},
                                                                 {"Gmm ", doubleValue(1.1)},
                                                                 {"Opct", unitValue("#Prc", 50)},
                                                                 {"Clrz", boolValue(true)},
                                                                 {"Vrsn", longValue(5)},
                                                                 {"Md  ", enumValue("BlnM", "Scrn")}})}}}),
                           event("FltI", "Flatten Image", std::nullopt)}),
         action("Files", {event("Opn ", "Open",
                                {{{"null", pathValue("/tmp/夕焼け.jpg")},
                                  {"Als ", aliasValue("HD:a")},
                                  {"Data", blobValue("tdta", Bytes{0, 1, 2, 3})},
                                  {"LyrI", listValue({longValue(1), textValue("x")})},
                                  {"T   ", reference({byName("Lyr ", "Layer 1"), byIdentifier("Lyr ", 4)})},
                                  {"Pts ", objectArrayValue("Pnt ", {{"Hrzn", {1.5}}})}}})})});
}

Bytes rawDataWithStoredString()
{
    return fileWithItems({{"Nm  ", textValue("Layer 1")},
                          {"legacyContentData", blobValue("tdta", text("Layer 1 copy"))},
                          {"Vrsn", longValue(5)}});
}

Bytes generatedFile(unsigned seed)
{
    static const char *const kTexts[] = {
        "Layer 1", "Layer 1 copy", "Background", "copy of copy", "a", "aa", "", "Ebene", "Hintergrund",
        "\u00d6lfarbe", "\u0424\u043e\u043d", "\u5199\u771f \U0001F600", "Levels 1", "Gradient Map",
        "/Users/anna/Backgrounds/paper.jpg", "C:\\Users\\Ann\\Layer 1.psd", "HD:Fotos:\U0001F600.psd"};
    std::mt19937 random(seed);
    const auto below = [&](std::size_t n) { return std::size_t(random() % n); };
    const auto some = [&] { return std::string_view(kTexts[below(std::size(kTexts))]); };
    const auto value = [&](const auto &self, int depth) -> Bytes {
        switch (below(depth > 2 ? 6 : 9)) {
        case 0: return textValue(some());
        case 1: return pathValue(some());
        case 2: return aliasValue(some());
        case 3: return reference({byName("Lyr ", some()), byIdentifier("Lyr ", 3)});
        case 4: return classValue("Lyr ", some());
        case 5: return below(2) ? longValue(7) : blobValue("tdta", text(some()));
        case 6: return listValue({self(self, depth + 1), self(self, depth + 1)});
        case 7: return objectValue("Lyr ", {{"Nm  ", self(self, depth + 1)}, {"Opct", unitValue("#Prc", 50)}});
        default: return enumValue("Ordn", "Trgt");
        }
    };
    std::vector<Bytes> actions;
    for (std::size_t a = 1 + below(3); a > 0; --a) {
        std::vector<Bytes> events;
        for (std::size_t e = below(4); e > 0; --e) {
            std::vector<Item> items;
            for (std::size_t i = 1 + below(5); i > 0; --i)
                items.push_back({"Nm  ", value(value, 0)});
            events.push_back(event("setd", "Set", items));
        }
        actions.push_back(action(some(), events));
    }
    return actionFile(some(), actions);
}

std::vector<NamedFile> allFiles()
{
    engine::StringConsole console;
    std::vector<NamedFile> files{
        {"rawdata.atn", rawDataWithStoredString()},
        {"rawdata-translated.atn", engine::process(rawDataWithStoredString(), "copy", "Kopie", false, console)}};
    const atnformat::TextPair pairs[] = {{"Layer", "Ebene"}, {"a", "\u00e4\U0001F305"}, {"copy", ""}};
    for (unsigned seed = 0; seed < 4; ++seed) {
        files.push_back({"generated-" + std::to_string(seed) + "-exact.atn",
                         atnformat::replaceTexts(generatedFile(seed), pairs).bytes});
    }
    files.push_back({"small-exact.atn", atnformat::replaceTexts(smallFile(), pairs).bytes});
    for (auto &c : damagedCases())
        files.push_back({"damaged-" + c.name + ".atn", std::move(c.bytes)});
    const Bytes small = smallFile();
    char name[64];
    for (std::size_t at = 0; at < small.size(); ++at) {
        std::snprintf(name, sizeof name, "truncated-%04zu.atn", at);
        files.push_back({name, Bytes(small.begin(), small.begin() + static_cast<std::ptrdiff_t>(at))});
        for (const int mask : {0x01, 0x80}) {
            Bytes changed = small;
            changed[at] ^= static_cast<std::uint8_t>(mask);
            std::snprintf(name, sizeof name, "changed-%04zu-%02x.atn", at, mask);
            files.push_back({name, std::move(changed)});
        }
    }
    return files;
}

} // namespace corpus
