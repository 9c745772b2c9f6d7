// A whole installation, headless: the installer that setup-pack built from
// the fixture product is installed into a folder of the test prefix, and
// everything the engine leaves behind is checked.
#include <doctest/doctest.h>
#include <windows.h>

#include "EngineHarness.h"
#include "ShellHelpers.h"

namespace {

FILETIME LastWriteTime(const std::string& path)
{
    FILETIME written = {0, 0};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE_MESSAGE(file != INVALID_HANDLE_VALUE, path);
    GetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
    return written;
}

}  // namespace

TEST_CASE("an installer built by setup-pack installs its files, shortcuts and uninstaller")
{
    std::string desktop = DesktopFolder();
    std::string menu = JoinPath(ProgramsFolder(), "引擎测试");
    std::string foreign = JoinPath(desktop, "引擎测试.lnk");
    ShellLitter cleanup({foreign, JoinPath(desktop, "引擎测试(1).lnk"), JoinPath(desktop, "工具.lnk"), menu});
    WriteShortcut(foreign, "C:\\windows\\notepad.exe");

    EngineFixture f("engine-install");
    f.PrepareFile(FixturePath("headless\\headless-setup.exe"));
    InstallRun run = f.Install();
    REQUIRE(run.result == 1);
    CHECK(run.positions == std::vector<int>{25, 50, 75, 100});

    // The files, byte for byte and with their times, from both archives.
    struct Source {
        const char* folder;
        const char* name;
    };
    const Source files[] = {{"product", "readme.txt"}, {"product", "bin\\工具.exe"}, {"product", "文档\\说明.txt"},
                            {"extras", "bin\\工具.ico"}};
    for (const Source& file : files) {
        CAPTURE(file.name);
        std::string source = FixturePath(std::string("headless\\") + file.folder + "\\" + file.name);
        CHECK(ReadFileBytes(f.Installed(file.name)) == ReadFileBytes(source));
        FILETIME installed = LastWriteTime(f.Installed(file.name));
        FILETIME original = LastWriteTime(source);
        CHECK(CompareFileTime(&installed, &original) == 0);
    }
    CHECK_FALSE(PathExists(f.Installed("tmp1.zip")));
    CHECK_FALSE(PathExists(f.Installed("tmp2.zip")));

    // The shortcuts, as the shell reads them.
    std::string manual = f.Installed("文档\\说明.txt");
    std::string uninstaller = f.Installed("卸载.exe");
    struct Link {
        std::string path, target, workingFolder, icon;
    };
    const Link links[] = {
        {JoinPath(desktop, "引擎测试(1).lnk"), manual, f.Installed("文档"), manual},
        {JoinPath(menu, "引擎测试.lnk"), manual, f.Installed("文档"), manual},
        {JoinPath(menu, "卸载引擎测试.lnk"), uninstaller, f.InstallDir(), uninstaller},
        {JoinPath(desktop, "工具.lnk"), f.Installed("bin\\工具.exe"), f.Installed("bin"), f.Installed("bin\\工具.ico")},
    };
    for (const Link& link : links) {
        CAPTURE(link.path);
        ShortcutFields fields = ReadShortcut(link.path);
        REQUIRE(fields.loaded);
        CHECK(fields.target == link.target);
        CHECK(fields.workingFolder == link.workingFolder);
        CHECK(fields.icon == link.icon);
        CHECK(fields.iconIndex == 0);
    }
    CHECK(ReadShortcut(foreign).target == "C:\\windows\\notepad.exe");

    // The uninstaller: the packed image, then the record. The fifth entry's
    // location makes no shortcut, and its slot is empty.
    Bytes image = FixtureBytes("uninstaller.exe");
    UninstallFile file = ReadUninstallFile(uninstaller, image.size());
    REQUIRE(file.parsed);
    CHECK(file.image == image);
    CHECK(file.title == "引擎测试");
    CHECK(file.version == "2.5");
    CHECK(file.linkcount == 5);
    CHECK(file.linkpaths == std::vector<std::string>{links[0].path, links[1].path, links[2].path, links[3].path, ""});
    CHECK(file.menupath == menu);

    CHECK(f.Log() == std::vector<std::string>{
                         "ExtraFileFromInfo begin",
                         "count0_Setpos(0/3)",
                         "count0_Setpos(1/3)",
                         "count0_Setpos(2/3)",
                         "count1_Setpos(0/1)",
                         "shortfile file exist name is : " + foreign,
                         "ExtraFileFromInfo end",
                     });
}
