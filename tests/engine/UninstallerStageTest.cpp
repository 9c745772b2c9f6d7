// The uninstaller stage: the decoded uninstaller followed by its record, and
// no uninstaller at all when its stream is damaged.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "EngineHarness.h"
#include "FileStream.h"
#include "ShellHelpers.h"
#include "UninstallRecord.h"

namespace {

Bytes RecordBytes(CSetupInfo& info, const char (*linkpaths)[PATH_BUF_SIZE], const char* menupath)
{
    std::string path = JoinPath(MakeTestFolder("engine-record"), "record.bin");
    {
        COutFileStream out(path.c_str());
        REQUIRE(out.IsOpen());
        WriteUninstallRecord(info, linkpaths, menupath, out);
    }
    return ReadFileBytes(path);
}

}  // namespace

TEST_CASE("the record: title, version, link count, link paths, menu folder")
{
    CSetupInfo info;
    strcpy(info.title, "Demo");
    strcpy(info.version, "1.0");
    char linkpaths[MAX_LINKS][PATH_BUF_SIZE] = {};
    strcpy(linkpaths[0], "C:\\D\\Demo.lnk");

    info.linkcount = 1;
    Bytes expected = ByteWriter()
                         .Counted("Demo").Counted("1.0").U32(1).Counted("C:\\D\\Demo.lnk").Counted("C:\\M\\Demo")
                         .bytes();
    Bytes record = RecordBytes(info, linkpaths, "C:\\M\\Demo");
    CHECK(record.size() == 49);
    CHECK(record == expected);

    // No entries: the count 0 and nothing between it and the menu folder.
    for (int count : {0, -3}) {
        CAPTURE(count);
        info.linkcount = count;
        CHECK(RecordBytes(info, linkpaths, "C:\\M\\Demo") ==
              ByteWriter().Counted("Demo").Counted("1.0").U32(0).Counted("C:\\M\\Demo").bytes());
    }
}

TEST_CASE("the uninstaller is the decoded image with the record right after it, replacing an older one")
{
    EngineFixture f("engine-uninstaller");
    std::string menu = JoinPath(ProgramsFolder(), "Demo");
    ShellLitter cleanup({menu});
    f.Prepare(ShortcutPayload({}));
    WriteFileBytes(f.Installed("卸载.exe"), Bytes(100000, 0xCC));

    InstallRun run = f.Install();
    REQUIRE(run.result == 1);
    Bytes image = FixtureBytes("uninstaller.exe");
    Bytes written = ReadFileBytes(f.Installed("卸载.exe"));
    Bytes record = ByteWriter().Counted("Demo").Counted("1.0").U32(0).Counted(menu).bytes();
    REQUIRE(written.size() == image.size() + record.size());
    CHECK(Bytes(written.begin(), written.begin() + image.size()) == image);
    CHECK(Bytes(written.begin() + image.size(), written.end()) == record);
    CHECK(PathExists(menu));
    CHECK(f.Log().back() == "ExtraFileFromInfo end");
}

TEST_CASE("an uninstaller that cannot be written whole fails the install and leaves none")
{
    Bytes coded = FixtureBytes("uninstaller.lz");
    Bytes malformed = StoredBlockStream(Bytes(1000, 0x90));
    // A coded block whose first token copies from an empty window.
    malformed.insert(malformed.end(), {0x05, 0x00, 0x02, 0x00, 0xFF, 0xFF});
    struct Case {
        std::string what;
        Bytes stream;
        bool cutInstaller;
        std::string line;
    };
    const Case cases[] = {
        {"stream cut short", Bytes(coded.begin(), coded.begin() + coded.size() / 2), false,
         "uninstaller unpack Failed"},
        {"installer cut inside the stream", coded, true, "uninstaller unpack Failed"},
        {"malformed block", malformed, false, "uninstaller unpack Failed"},
        {"no stream", Bytes(), false, "uninstaller stream missing"},
    };
    std::string menu = JoinPath(ProgramsFolder(), "Demo");
    ShellLitter cleanup({menu});
    for (const Case& c : cases) {
        CAPTURE(c.what);
        EngineFixture f("engine-uninstaller-damage");
        PayloadFixture payload = ShortcutPayload({});
        payload.uninstaller = c.stream;
        f.Prepare(payload);
        if (c.cutInstaller) {
            Bytes installer = ReadFileBytes(f.installer);
            installer.resize(f.app.info.uninstpos + f.app.info.uninstsize - 10);
            WriteFileBytes(f.installer, installer);
        }
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        std::vector<std::string> log = f.Log();
        CHECK(log.back() == c.line);
        CHECK(std::find(log.begin(), log.end(), "ExtraFileFromInfo end") == log.end());
        CHECK_FALSE(PathExists(f.Installed("卸载.exe")));
        CHECK(PathExists(f.Installed("c.txt")));
    }
}

TEST_CASE("an uninstaller file that cannot be created fails the install")
{
    EngineFixture f("engine-uninstaller-blocked");
    ShellLitter cleanup({JoinPath(ProgramsFolder(), "Demo")});
    f.Prepare(ShortcutPayload({}));
    REQUIRE(CreateDirectoryA(f.Installed("卸载.exe").c_str(), nullptr));
    InstallRun run = f.Install();
    CHECK(run.result == 0);
    CHECK(f.Log().back() == "uninstoutfile can't open");
}
