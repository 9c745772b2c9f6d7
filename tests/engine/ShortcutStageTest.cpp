// The shortcut stage through a whole install: where shortcuts go, the
// numbered names beside foreign files, and what makes no shortcut. The
// uninstall record tells which path each entry ended with.
#include <doctest/doctest.h>
#include <windows.h>
#include <shlobj.h>

#include <algorithm>

#include "EngineHarness.h"
#include "ShellHelpers.h"

namespace {

const char kMenuFolder[] = "Demo";  // ShortcutPayload's

struct Installed {
    InstallRun run;
    UninstallFile record;
    std::vector<std::string> log;
};

Installed InstallPrepared(EngineFixture& f)
{
    Installed installed;
    installed.run = f.Install();
    installed.log = f.Log();
    if (installed.run.result == 1)
        installed.record = ReadUninstallFile(f.Installed("卸载.exe"), FixtureBytes("uninstaller.exe").size());
    return installed;
}

Installed InstallWith(EngineFixture& f, const std::vector<ShortcutFixture>& links)
{
    f.Prepare(ShortcutPayload(links));
    return InstallPrepared(f);
}

size_t CountPrefixed(const std::vector<std::string>& lines, const std::string& prefix)
{
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

enum class Existing { TargetShortcut, TargetWithArguments, TargetOtherCase, ForeignShortcut, Folder, PlainFile };

struct Taken {
    std::string name;
    Existing kind;
};

void MakeExisting(const std::string& path, Existing kind, const std::string& target)
{
    std::string upper = target;
    switch (kind) {
    case Existing::TargetShortcut: WriteShortcut(path, target); break;
    case Existing::TargetWithArguments: WriteShortcut(path, target, "/quiet"); break;
    case Existing::TargetOtherCase:
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
        WriteShortcut(path, upper);
        break;
    case Existing::ForeignShortcut: WriteShortcut(path, "C:\\windows\\notepad.exe"); break;
    case Existing::Folder: REQUIRE(CreateDirectoryA(path.c_str(), nullptr)); break;
    case Existing::PlainFile: WriteFileBytes(path, Bytes{'x'}); break;
    }
}

std::vector<std::string> NumberedNames(const std::string& stem, const std::string& extension, int last)
{
    std::vector<std::string> names = {stem + "." + extension};
    for (int i = 1; i <= last; ++i) names.push_back(stem + "(" + std::to_string(i) + ")." + extension);
    return names;
}

}  // namespace

TEST_CASE("a taken shortcut name is kept only for a shortcut to the same target")
{
    struct Case {
        std::string what, name;
        std::vector<Taken> taken;
        std::string chosen;
        size_t takenLines;
        bool sameTarget;
    };
    std::vector<Taken> hundredTaken;
    for (const std::string& name : NumberedNames("EngineApp", "lnk", 100))
        hundredTaken.push_back({name, Existing::PlainFile});
    const Case cases[] = {
        {"free", "EngineApp.lnk", {}, "EngineApp.lnk", 0, false},
        {"same target", "EngineApp.lnk", {{"EngineApp.lnk", Existing::TargetShortcut}}, "EngineApp.lnk", 1, true},
        {"foreign", "EngineApp.lnk", {{"EngineApp.lnk", Existing::ForeignShortcut}}, "EngineApp(1).lnk", 1, false},
        {"two foreign", "EngineApp.lnk",
         {{"EngineApp.lnk", Existing::ForeignShortcut}, {"EngineApp(1).lnk", Existing::ForeignShortcut}},
         "EngineApp(2).lnk", 2, false},
        {"same target with arguments", "EngineApp.lnk", {{"EngineApp.lnk", Existing::TargetWithArguments}},
         "EngineApp(1).lnk", 1, false},
        {"same target in other letter case", "EngineApp.lnk", {{"EngineApp.lnk", Existing::TargetOtherCase}},
         "EngineApp(1).lnk", 1, false},
        {"a folder", "EngineApp.lnk", {{"EngineApp.lnk", Existing::Folder}}, "EngineApp(1).lnk", 1, false},
        {"all 101 names", "EngineApp.lnk", hundredTaken, "EngineApp(100).lnk", 100, false},
        {"no extension, free", "EngineTool", {}, "EngineTool", 0, false},
        {"no extension, taken", "EngineTool", {{"EngineTool", Existing::PlainFile}}, "Engine(1).ool", 1, false},
    };
    std::string desktop = DesktopFolder();
    std::vector<std::string> litter;
    for (const std::string& name : NumberedNames("EngineApp", "lnk", 100)) litter.push_back(JoinPath(desktop, name));
    litter.push_back(JoinPath(desktop, "EngineTool"));
    litter.push_back(JoinPath(desktop, "Engine(1).ool"));
    litter.push_back(JoinPath(ProgramsFolder(), kMenuFolder));

    for (const Case& c : cases) {
        CAPTURE(c.what);
        ShellLitter cleanup(litter);
        EngineFixture f("engine-names");
        f.Prepare(ShortcutPayload({{c.name, "c.txt", "", LinkDesktop}}));
        std::string target = f.Installed("c.txt");
        for (const Taken& t : c.taken) MakeExisting(JoinPath(desktop, t.name), t.kind, target);

        Installed installed = InstallPrepared(f);
        REQUIRE(installed.run.result == 1);
        REQUIRE(installed.record.parsed);
        std::string chosen = JoinPath(desktop, c.chosen);
        CHECK(installed.record.linkpaths == std::vector<std::string>{chosen});
        ShortcutFields shortcut = ReadShortcut(chosen);
        CHECK(shortcut.loaded);
        CHECK(shortcut.target == target);
        CHECK(CountPrefixed(installed.log, "shortfile file exist name is : ") == c.takenLines);
        if (c.takenLines > 0)
            CHECK(std::count(installed.log.begin(), installed.log.end(),
                             "shortfile file exist name is : " + JoinPath(desktop, c.name)) == 1);
        CHECK(CountPrefixed(installed.log, "link file right name is : ") == (c.sameTarget ? 1u : 0u));
        if (c.sameTarget)
            CHECK(std::count(installed.log.begin(), installed.log.end(), "link file right name is : " + target) == 1);
    }
}

TEST_CASE("a program menu that cannot be resolved makes no shortcut there, and no menu folder")
{
    std::string desktopLink = JoinPath(DesktopFolder(), "EngineApp.lnk");
    ShellLitter cleanup({desktopLink});
    EngineFixture f("engine-no-menu");
    Installed installed;
    {
        ShellFolderRedirect redirect("Programs");
        installed = InstallWith(f, {{"EngineApp.lnk", "c.txt", "", LinkDesktop},
                                    {"EngineApp.lnk", "c.txt", "", LinkProgramMenu}});
    }
    REQUIRE(installed.run.result == 1);
    REQUIRE(installed.record.parsed);
    CHECK(installed.record.linkpaths == std::vector<std::string>{desktopLink, ""});
    CHECK(installed.record.menupath == "");
    CHECK(ReadShortcut(desktopLink).target == f.Installed("c.txt"));
    CHECK(std::count(installed.log.begin(), installed.log.end(), "GetSpecialFolder(2) Failed") == 1);
    CHECK_FALSE(PathExists("C:\\missing-shell-folder"));
}

// The shell keeps the desktop's folder once it has resolved it, so this runs
// only in a process of its own (ctest's engine_no_desktop_test), before
// anything there has asked for the desktop.
TEST_CASE("a desktop that cannot be resolved makes no desktop shortcut" * doctest::skip())
{
    EngineFixture f("engine-no-desktop");
    Installed installed;
    {
        ShellFolderRedirect redirect("Desktop");
        installed = InstallWith(f, {{"EngineApp.lnk", "c.txt", "", LinkDesktop}});
    }
    std::string desktopLink = JoinPath(DesktopFolder(), "EngineApp.lnk");
    ShellLitter cleanup({desktopLink, JoinPath(ProgramsFolder(), kMenuFolder)});
    REQUIRE(installed.run.result == 1);
    REQUIRE(installed.record.parsed);
    CHECK(installed.record.linkpaths == std::vector<std::string>{""});
    CHECK_FALSE(PathExists(desktopLink));
    CHECK(std::count(installed.log.begin(), installed.log.end(), "GetSpecialFolder(0) Failed") == 1);
}

TEST_CASE("paths that would not fit a path buffer make no shortcut, and the others are made")
{
    EngineFixture f("engine-long-links");
    std::string desktop = DesktopFolder();
    // Link paths of 260 and of 258 bytes; the second is taken, and its first
    // numbered name would need 261.
    std::string tooLong = std::string(260 - desktop.size() - 1 - 4, 'n') + ".lnk";
    std::string longest = std::string(258 - desktop.size() - 1 - 4, 'm') + ".lnk";
    std::string longTarget(259 - f.Installed("").size() + 1, 't');
    ShellLitter cleanup({JoinPath(desktop, longest), JoinPath(desktop, "EngineApp.lnk"),
                         JoinPath(ProgramsFolder(), kMenuFolder)});
    WriteFileBytes(JoinPath(desktop, longest), Bytes{'x'});

    Installed installed = InstallWith(f, {{tooLong, "c.txt", "", LinkDesktop},
                                          {longest, "c.txt", "", LinkDesktop},
                                          {"EngineApp.lnk", longTarget, "", LinkDesktop},
                                          {"EngineApp.lnk", "c.txt", longTarget, LinkDesktop},
                                          {"EngineApp.lnk", "c.txt", "", LinkDesktop}});
    REQUIRE(installed.run.result == 1);
    REQUIRE(installed.record.parsed);
    CHECK(installed.record.linkpaths ==
          std::vector<std::string>{"", "", "", "", JoinPath(desktop, "EngineApp.lnk")});
    CHECK(CountPrefixed(installed.log, "path too long: ") == 4);
    CHECK(ReadFileBytes(JoinPath(desktop, longest)) == Bytes{'x'});
}

TEST_CASE("a shortcut that cannot be saved is still recorded under its path")
{
    EngineFixture f("engine-unsaved");
    std::string link = JoinPath(DesktopFolder(), "missing-folder\\EngineApp.lnk");
    ShellLitter cleanup({JoinPath(ProgramsFolder(), kMenuFolder)});
    Installed installed = InstallWith(f, {{"missing-folder\\EngineApp.lnk", "c.txt", "", LinkDesktop}});
    REQUIRE(installed.run.result == 1);
    CHECK(installed.record.linkpaths == std::vector<std::string>{link});
    CHECK(std::count(installed.log.begin(), installed.log.end(), "CreateShortcut Failed: " + link) == 1);
    CHECK_FALSE(PathExists(link));
}

TEST_CASE("a shortcut count beyond the table stops the install before anything is made")
{
    EngineFixture f("engine-too-many-links");
    f.Prepare(ShortcutPayload({}));
    f.app.info.linkcount = MAX_LINKS + 1;
    InstallRun run = f.Install();
    CHECK(run.result == 0);
    CHECK(f.Log() == std::vector<std::string>{"ExtraFileFromInfo begin", "linkcount(9) Failed"});
    CHECK_FALSE(PathExists(f.Installed("c.txt")));
}
