// The engine's shell routines on their own: what a shortcut holds once
// created, what reading one gives, and special folders.
#include <doctest/doctest.h>
#include <windows.h>
#include <shlobj.h>

#include <cstring>

#include "SetupInfo.h"
#include "ShellHelpers.h"
#include "ShellLinks.h"
#include "TestFiles.h"

namespace {

std::string ReadTarget(const std::string& link, int size = SHORTCUT_TEXT_SIZE)
{
    std::vector<char> result(size > 0 ? size : 1, '#');
    int read = CSetupInfo::ReadShortcutTarget(link.c_str(), result.data(), size);
    std::string text = size > 0 ? result.data() : "";
    CHECK((read != 0) == !text.empty());
    return text;
}

}  // namespace

TEST_CASE("a created shortcut starts its target in the target's folder, with the icon given")
{
    std::string desktop = DesktopFolder();
    std::string link = JoinPath(desktop, "引擎快捷.lnk");
    ShellLitter cleanup({link});
    std::string target = "C:\\产品\\bin\\工具.exe";
    REQUIRE(CSetupInfo::CreateShortcut(link.c_str(), target.c_str(), "C:\\产品\\图标.ico") == 1);

    ShortcutFields fields = ReadShortcut(link);
    REQUIRE(fields.loaded);
    CHECK(fields.target == target);
    CHECK(fields.arguments == "");
    CHECK(fields.workingFolder == "C:\\产品\\bin");
    CHECK(fields.icon == "C:\\产品\\图标.ico");
    CHECK(fields.iconIndex == 0);

    // The text compared with a wanted target: the path, a blank, the arguments.
    CHECK(ReadTarget(link) == target + " ");
    CHECK(ReadTarget(JoinPath(desktop, "引擎快捷")) == target + " ");
    WriteShortcut(link, target, "/quiet");
    CHECK(ReadTarget(link) == target + " /quiet");
    CHECK(ReadTarget(link, static_cast<int>(target.size()) + 7) == "");
}

TEST_CASE("reading a name that holds no shortcut gives an empty text")
{
    std::string desktop = DesktopFolder();
    std::string file = JoinPath(desktop, "engine-plain.lnk");
    std::string folder = JoinPath(desktop, "engine-folder.lnk");
    ShellLitter cleanup({file, folder});
    WriteFileBytes(file, Bytes(100, 'x'));
    REQUIRE(CreateDirectoryA(folder.c_str(), nullptr));
    for (const std::string& link : {JoinPath(desktop, "engine-missing.lnk"), file, folder}) {
        CAPTURE(link);
        CHECK(ReadTarget(link) == "");
    }
}

TEST_CASE("special folders resolve to the prefix's own folders, and an unknown one to nothing")
{
    char path[PATH_BUF_SIZE];
    CHECK(CSetupInfo::GetSpecialFolder(path, CSIDL_PROGRAMS) == 1);
    CHECK(std::string(path) == ProgramsFolder());
    CHECK(CSetupInfo::GetSpecialFolder(path, CSIDL_DESKTOP) == 1);
    CHECK(std::string(path) == DesktopFolder());
    strcpy(path, "left over");
    CHECK(CSetupInfo::GetSpecialFolder(path, 0xFF) == 0);
    CHECK(std::string(path) == "");
}
