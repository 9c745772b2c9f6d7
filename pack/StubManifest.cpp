#include "StubManifest.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "PackError.h"
#include "PeResources.h"

namespace {

constexpr uint32_t kManifestResource = 24;  // RT_MANIFEST
constexpr char kElement[] = "requestedExecutionLevel";
constexpr char kBlanks[] = " \t\r\n";

struct LevelAttribute {
    size_t value;   // file offset of the value, after its opening quote
    size_t length;  // of the value
    size_t room;    // bytes that the value and its closing quote may take
    char quote;
};

[[noreturn]] void Refuse(const std::string& why) { throw PackError(why); }

size_t SkipBlanks(std::string_view xml, size_t at) { return std::min(xml.find_first_not_of(kBlanks, at), xml.size()); }

// Where the name of each requestedExecutionLevel start tag ends (with or
// without a namespace prefix); commented-out ones are passed over.
std::vector<size_t> ElementTags(std::string_view xml)
{
    std::vector<size_t> tags;
    for (size_t at = xml.find('<'); at != std::string_view::npos; at = xml.find('<', at + 1)) {
        if (xml.substr(at, 4) == "<!--") {
            at = xml.find("-->", at + 4);
            if (at == std::string_view::npos) break;
            continue;
        }
        size_t nameEnd = std::min(xml.find_first_of(" \t\r\n/>", at + 1), xml.size());
        std::string_view name = xml.substr(at + 1, nameEnd - at - 1);
        if (size_t colon = name.rfind(':'); colon != std::string_view::npos) name.remove_prefix(colon + 1);
        if (name == kElement) tags.push_back(nameEnd);
    }
    return tags;
}

// The element's level attribute; `at` is where the element's name ends.
LevelAttribute ParseLevelAttribute(std::string_view xml, size_t at)
{
    const std::string malformed = std::string("its ") + kElement + " element is malformed";
    std::optional<LevelAttribute> level;
    for (;;) {
        at = SkipBlanks(xml, at);
        if (at == xml.size()) Refuse(malformed);
        if (xml[at] == '/' || xml[at] == '>') break;
        size_t nameEnd = std::min(xml.find_first_of(" \t\r\n=/>", at), xml.size());
        size_t equals = SkipBlanks(xml, nameEnd);
        if (nameEnd == at || equals == xml.size() || xml[equals] != '=') Refuse(malformed);
        size_t open = SkipBlanks(xml, equals + 1);
        if (open == xml.size() || (xml[open] != '"' && xml[open] != '\'')) Refuse(malformed);
        size_t close = xml.find(xml[open], open + 1);
        if (close == std::string_view::npos) Refuse(malformed);
        size_t next = SkipBlanks(xml, close + 1);
        if (next == xml.size()) Refuse(malformed);
        bool lastAttribute = xml[next] == '/' || xml[next] == '>';
        if (!lastAttribute && next == close + 1) Refuse(malformed);
        if (xml.substr(at, nameEnd - at) == "level") {
            if (level) Refuse(std::string("its ") + kElement + " element has two level attributes");
            // One blank has to stay between this attribute and the next.
            level = LevelAttribute{open + 1, close - open - 1, next - open - 1 - (lastAttribute ? 0 : 1), xml[open]};
        }
        at = close + 1;
    }
    if (!level) Refuse(std::string("its ") + kElement + " element has no level attribute");
    return *level;
}

LevelAttribute FindLevelAttribute(const Bytes& program)
{
    FileSpan manifest = FindResourceData(program, kManifestResource);
    std::string_view xml(reinterpret_cast<const char*>(program.data()) + manifest.offset, manifest.size);
    std::vector<size_t> tags = ElementTags(xml);
    if (tags.empty()) Refuse(std::string("its manifest has no ") + kElement + " element");
    if (tags.size() > 1) Refuse("its manifest has " + std::to_string(tags.size()) + " " + kElement + " elements, not one");
    LevelAttribute level = ParseLevelAttribute(xml, tags[0]);
    level.value += manifest.offset;
    return level;
}

}  // namespace

std::optional<std::string> ReadExecutionLevel(const Bytes& program)
{
    try {
        LevelAttribute level = FindLevelAttribute(program);
        return std::string(program.begin() + level.value, program.begin() + level.value + level.length);
    } catch (const PackError&) {
        return std::nullopt;
    }
}

void WriteExecutionLevel(Bytes& program, const std::string& level, const std::string& what)
{
    LevelAttribute attribute;
    try {
        attribute = FindLevelAttribute(program);
    } catch (const PackError& e) {
        throw PackError(what + " has no application manifest with " + kElement + ": " + e.what());
    }
    auto value = program.begin() + attribute.value;
    std::string current(value, value + attribute.length);
    if (current == level) return;  // blanks other than spaces stay as they are
    if (level.size() + 1 > attribute.room)
        throw PackError(what + ": its manifest's level=\"" + current + "\" has no room for \"" + level + "\"");
    std::string text = level + attribute.quote + std::string(attribute.room - level.size() - 1, ' ');
    std::copy(text.begin(), text.end(), value);
}
