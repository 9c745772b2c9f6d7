#include <doctest/doctest.h>

#include <functional>
#include <optional>

#include "PackError.h"
#include "PeFixture.h"
#include "StubManifest.h"

namespace {

const char kNoManifest[] = "stub.exe has no application manifest with requestedExecutionLevel: ";

std::string InManifest(const std::string& element)
{
    return "<?xml version=\"1.0\"?>\n<assembly><trustInfo><security><requestedPrivileges>\n  " + element +
           "\n</requestedPrivileges></security></trustInfo></assembly>\n";
}

struct LevelCase {
    const char* what;
    const char* element;
    std::optional<std::string> read;  // what the reader finds
    const char* rewritten;            // the element after asInvoker is written
    const char* refusal;              // or a part of the message refusing it
};

const LevelCase kLevelCases[] = {
    {"the stub's own form", R"(<requestedExecutionLevel level="requireAdministrator" uiAccess="false"/>)",
     "requireAdministrator", R"(<requestedExecutionLevel level="asInvoker"            uiAccess="false"/>)", nullptr},
    {"the level as the last attribute", R"(<requestedExecutionLevel uiAccess="false" level="highestAvailable"/>)",
     "highestAvailable", R"(<requestedExecutionLevel uiAccess="false" level="asInvoker"       />)", nullptr},
    {"a prefix, single quotes, blanks around = and a > in another value",
     "<v2:requestedExecutionLevel note='a>b' level = 'requireAdministrator'\tuiAccess='false'></v2:requestedExecutionLevel>",
     "requireAdministrator",
     "<v2:requestedExecutionLevel note='a>b' level = 'asInvoker'           \tuiAccess='false'></v2:requestedExecutionLevel>",
     nullptr},
    {"a commented-out element beside the real one",
     R"(<!-- <requestedExecutionLevel level="highestAvailable"/> --><requestedExecutionLevel level="requireAdministrator"/>)",
     "requireAdministrator",
     R"(<!-- <requestedExecutionLevel level="highestAvailable"/> --><requestedExecutionLevel level="asInvoker"           />)",
     nullptr},
    {"the level already asked for, left with its blanks", "<requestedExecutionLevel level=\"asInvoker\"\n    uiAccess=\"false\"/>",
     "asInvoker", "<requestedExecutionLevel level=\"asInvoker\"\n    uiAccess=\"false\"/>", nullptr},
    {"a level too short for the new one", R"(<requestedExecutionLevel level="a" uiAccess="false"/>)", "a", nullptr,
     R"(stub.exe: its manifest's level="a" has no room for "asInvoker")"},
    {"no element", "<requestedPrivileges/>", std::nullopt, nullptr, "its manifest has no requestedExecutionLevel element"},
    {"two elements", R"(<requestedExecutionLevel level="asInvoker"/><requestedExecutionLevel level="asInvoker"/>)",
     std::nullopt, nullptr, "its manifest has 2 requestedExecutionLevel elements"},
    {"no level attribute", R"(<requestedExecutionLevel uiAccess="false"/>)", std::nullopt, nullptr,
     "element has no level attribute"},
    {"a value without its closing quote", R"(<requestedExecutionLevel level="asInvoker)", std::nullopt, nullptr,
     "element is malformed"},
    {"attributes without a blank between them", R"(<requestedExecutionLevel level="asInvoker"uiAccess="false"/>)",
     std::nullopt, nullptr, "element is malformed"},
};

struct Damage {
    const char* what;
    std::function<void(PeFixture&)> change;
    const char* reason;
};

const Damage kDamage[] = {
    {"a PE header offset past the end", [](PeFixture& pe) { pe.Put32(0x3C, 0x7FFFFFF0); },
     "the PE header at 0x7ffffff0 lies past the end of the file"},
    {"a file cut inside the optional header", [](PeFixture& pe) { pe.file.resize(pe.optionalHeader + 60); },
     "the data directory count at 0xc4 lies past the end of the file"},
    {"a data directory that stops before the resources", [](PeFixture& pe) { pe.Put32(pe.dataDirectoryCount, 2); },
     "no resource directory"},
    {"an optional header too short for the resource directory", [](PeFixture& pe) { pe.Put16(pe.peHeader + 20, 120); },
     "no resource directory"},
    {"a section table past the end", [](PeFixture& pe) { pe.Put16(pe.peHeader + 20, 0xFFF0); },
     "a section header at 0x10050 lies past the end of the file"},
    {"a resource directory in no section", [](PeFixture& pe) { pe.Put32(pe.resourceDirectory, 0x9000); },
     "directory (RVA 0x9000, "},
    {"a resource section whose data lies past the end of the file",
     [](PeFixture& pe) { pe.Put32(pe.section + 20, 0x100000); }, "bytes) lies past the end of the file"},
    {"a resource directory larger than its section",
     [](PeFixture& pe) { pe.Put32(pe.resourceDirectory + 4, 0xFFFFFFFF); }, "bytes) runs past its section's data"},
    {"no manifest among the resources", [](PeFixture& pe) { pe.Put32(pe.resources + 16, 3); }, "no resource of type 24"},
    {"more entries than the directory holds",
     [](PeFixture& pe) {
         pe.Put32(pe.resources + 16, 3);
         pe.Put16(pe.resources + 14, 0xFFFF);
     },
     "is cut short at its offset"},
    {"a type entry pointing past the directory", [](PeFixture& pe) { pe.Put32(pe.resources + 20, 0x8FFFFFF0); },
     "is cut short at its offset 0xffffffc"},
    {"a type entry pointing at data", [](PeFixture& pe) { pe.Put32(pe.resources + 20, 0x18); },
     "type entry points at data, not a directory"},
    {"a name directory without entries", [](PeFixture& pe) { pe.Put16(pe.names + 14, 0); },
     "the resource of type 24 has no name"},
    {"a language entry pointing at a directory", [](PeFixture& pe) { pe.Put32(pe.languages + 20, 0x80000048); },
     "language entry points at a directory, not data"},
    {"manifest data larger than its section", [](PeFixture& pe) { pe.Put32(pe.dataEntry + 4, 0x7FFFFFFF); },
     "the resource of type 24's data (RVA 0x1058, 2147483647 bytes) runs past its section's data"},
    {"manifest data in no section", [](PeFixture& pe) { pe.Put32(pe.dataEntry, 0x50000); },
     "data (RVA 0x50000, "},
};

}  // namespace

TEST_CASE("the level is read from the manifest and rewritten in place, padded with blanks")
{
    for (bool pe32 : {false, true}) {
        for (const LevelCase& c : kLevelCases) {
            CAPTURE(pe32);
            CAPTURE(c.what);
            PeFixture pe(InManifest(c.element), pe32);
            CHECK(ReadExecutionLevel(pe.file) == c.read);
            const Bytes before = pe.file;
            try {
                WriteExecutionLevel(pe.file, "asInvoker", "stub: stub.exe");
                REQUIRE_MESSAGE(c.rewritten, "rewritten anyway");
                CHECK(pe.file.size() == before.size());
                CHECK(pe.ManifestText() == InManifest(c.rewritten));
                CHECK(ReadExecutionLevel(pe.file) == "asInvoker");
            } catch (const PackError& e) {
                REQUIRE_MESSAGE(c.refusal, e.what());
                CHECK_MESSAGE(std::string(e.what()).find(c.refusal) != std::string::npos, e.what());
                CHECK(pe.file == before);
            }
        }
    }
}

TEST_CASE("a program whose headers lead outside the file or to no manifest is refused, not read past its end")
{
    CHECK(ReadExecutionLevel(PeFixture(InManifest(kLevelCases[0].element)).file) == "requireAdministrator");
    for (const Damage& damage : kDamage) {
        CAPTURE(damage.what);
        PeFixture pe(InManifest(kLevelCases[0].element));
        damage.change(pe);
        CHECK(ReadExecutionLevel(pe.file) == std::nullopt);
        const Bytes before = pe.file;
        try {
            WriteExecutionLevel(pe.file, "asInvoker", "stub: stub.exe");
            FAIL("rewritten anyway");
        } catch (const PackError& e) {
            CHECK_MESSAGE(std::string(e.what()).find(kNoManifest) != std::string::npos, e.what());
            CHECK_MESSAGE(std::string(e.what()).find(damage.reason) != std::string::npos, e.what());
        }
        CHECK(pe.file == before);
    }
}
