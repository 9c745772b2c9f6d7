// The install launched by the wizard: a whole installation, the wizard while
// it runs, a failed one, the checks that refuse a folder, and the edit text
// that names no folder.
#include <doctest/doctest.h>

#include <cstdlib>

#include "TestFiles.h"
#include "TestSeams.h"
#include "TestZip.h"
#include "WizardLayout.h"

#include <commctrl.h>
#include <shlobj.h>

using Lines = std::vector<std::string>;

namespace {

const StepLayout kRunning = {false, true, true, false, "下一步", false, true, false};

bool CloseEnabled(const WizardRun& run) { return SendMessageA(run.frame, kTestCloseState, 0, 0) == 1; }

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    SHGetFolderPathA(nullptr, csidl, nullptr, 0, path);
    return path;
}

void WalkToInstall(WizardRun& run)
{
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    REQUIRE(Click(run.Next()));
}

// A message box owned by the wizard, waited for.
HWND WaitForMessageBox(const WizardRun& run, int timeoutMs = 10000)
{
    HWND box = run.process.WaitForDialog(run.frame, timeoutMs);
    return box && Control(box, 0xFFFF) ? box : nullptr;
}

}  // namespace

TEST_CASE("an installer built by setup-pack installs through its wizard into a folder the user typed")
{
    const char* installer = getenv("SETUP_WIZARD_INSTALLER");
    REQUIRE(installer);
    WizardRun run("wizard-install");
    std::string folder = run.folder + "\\示例";
    std::string defaultFolder = "C:\\Program Files\\示例记事本";
    // Start-up makes the default folder, so that the first lines have a log to go to.
    RemoveTree(defaultFolder);
    REQUIRE(run.process.Start(installer));
    run.frame = run.process.WaitForWizard();
    REQUIRE(run.frame);
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    CHECK(Text(run.FolderEdit()) == defaultFolder);
    SendMessageA(run.FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()));
    REQUIRE(Click(run.Next()));

    CHECK(WaitForLayout(run, kFinish) == "");
    CHECK(Text(run.Status()) == "安装成功　　　　");
    CHECK_FALSE(Shown(run.Bar()));
    CHECK(CloseEnabled(run));

    for (const char* file : {"说明.txt", "文档\\使用说明.txt", "文档\\版本历史\\1.2 更新.txt", "配置\\设置.ini",
                             "extras\\README.txt", "卸载.exe"})
        CHECK_MESSAGE(PathExists(folder + "\\" + file), file);
    CHECK_FALSE(PathExists(folder + "\\tmp1.zip"));
    CHECK_FALSE(PathExists(defaultFolder));  // the start-up made it; the change removed it
    std::string desktopLink = SpecialFolder(CSIDL_DESKTOPDIRECTORY) + "\\示例记事本.lnk";
    std::string menuFolder = SpecialFolder(CSIDL_PROGRAMS) + "\\示例记事本";
    CHECK(PathExists(desktopLink));
    CHECK(PathExists(menuFolder + "\\使用说明.lnk"));

    Lines lines = InstallLogMessages(folder);
    std::string log = Joined(lines);
    CAPTURE(log);
    CHECK(HoldsInOrder(lines, {"Instal Btn", "Install Step 1", "Instal Btn", "Install Step 2", "Instal Btn",
                               "Install Step 3", "Prop3 Next begin", "MoveLogFile", "Remove old Folder Path",
                               "GetDriveType_com(" + folder + "_C:\\)", "GetDiskFreeSpaceEx_com(",
                               "ExtraFileFromInfo begin", "count0_Setpos(0/", "count1_Setpos(0/",
                               "ExtraFileFromInfo end"}));
    CHECK(HoldsInOrder(lines, {"GetDiskFreeSpaceEx_com(", "Prop3 Next end"}));

    REQUIRE(Click(run.Next()));
    CHECK(run.process.WaitForExit() == IDOK);
    lines = InstallLogMessages(folder);
    CHECK(Lines(lines.end() - 2, lines.end()) == Lines{"Instal Btn", "Finish Install"});
    DeleteFileA(desktopLink.c_str());
    DeleteFileA((menuFolder + "\\使用说明.lnk").c_str());
    DeleteFileA((menuFolder + "\\卸载示例记事本.lnk").c_str());
    RemoveDirectoryA(menuFolder.c_str());
}

TEST_CASE("while the install runs the wizard cannot be left or closed, and then shows the late artwork")
{
    WizardRun run("wizard-running");
    std::string folder = run.folder + "\\产品";
    PayloadFixture payload = WizardPayload(folder);
    std::vector<ZipEntry> entries;
    for (int i = 0; i < 1500; ++i) entries.emplace_back("f" + std::to_string(i) + ".txt", "data");
    std::string zip = BuildZip(entries);
    payload.archives[0] = Bytes(zip.begin(), zip.end());
    REQUIRE(run.Start(payload));
    WalkToInstall(run);

    REQUIRE(WaitUntil([&] { return Shown(run.Bar()); }));
    CHECK(LayoutDifference(run, kRunning) == "");
    CHECK_FALSE(CloseEnabled(run));
    PostMessageA(run.frame, WM_CLOSE, 0, 0);
    PostMessageA(run.frame, WM_SYSCOMMAND, SC_CLOSE, 0);

    CHECK(WaitForLayout(run, kFinish) == "");
    CHECK(run.process.Running());
    CHECK(CloseEnabled(run));
    Bytes late = WizardImage(3);
    CHECK(ScreenPixel(Control(run.ProgressPage(), 1026), 10, 10) == BmpPixel(late, 10, 10));
    CHECK(PathExists(folder + "\\f1499.txt"));
}

TEST_CASE("an install that fails after the bar reached 100 is shown as a failure, and the wizard ends")
{
    WizardRun run("wizard-failure");
    std::string folder = run.folder + "\\产品";
    CreateDirectoryA(folder.c_str(), nullptr);
    // A folder in the way of the uninstaller: the last stage fails.
    CreateDirectoryA((folder + "\\卸载.exe").c_str(), nullptr);
    REQUIRE(run.Start(WizardPayload(folder)));
    WalkToInstall(run);

    HWND box = WaitForMessageBox(run);
    REQUIRE(box);
    CHECK(MessageBoxText(box) == "安装失败!");
    CHECK(Text(box) == "setup-测试");
    CHECK(Text(run.Status()) == "安装失败　　　　");
    CHECK_FALSE(Shown(run.Bar()));
    CHECK(SendMessageA(run.Bar(), PBM_GETPOS, 0, 0) == 100);
    CHECK(Text(run.Next()) == "下一步");
    REQUIRE(DismissMessageBox(box));
    CHECK(run.process.WaitForExit() == IDOK);
    CHECK(HoldsInOrder(InstallLogMessages(folder), {"Prop3 Next begin", "Prop3 Next end", "ExtraFileFromInfo begin",
                                             "Thread ExtraFileFromInfo Error", "ExitDialog_Install failed",
                                             "Instal Btn", "Finish Install"}));
}

TEST_CASE("the checks refuse a folder with their message, and the wizard ends")
{
    struct Case {
        const char* what;
        bool typeOtherDrive;  // else: the marker in the installer's own folder
        const char* message;
    } cases[] = {
        {"a drive that is no fixed disk", true, "该盘符硬盘容量小于100MB，请更换盘符安装"},
        {"a program running from a folder with the marker", false, "该程序正在运行，无法安装!"},
    };
    for (const Case& c : cases) {
        std::string what = c.what;
        CAPTURE(what);
        WizardRun run("wizard-refused");
        // The installer lies in its own default folder, so that it is the
        // running program; the folder holds it, so start-up leaves it.
        WriteFileBytes(run.folder + "\\exename.ini", Bytes{'[', 'E', 'X', 'E', ']'});
        REQUIRE(run.Start(WizardPayload(run.folder)));
        REQUIRE(Click(run.Next()));
        REQUIRE(WaitForLayout(run, kStep1) == "");
        if (c.typeOtherDrive) SendMessageA(run.FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Q:\\App"));
        REQUIRE(Click(run.Next()));

        HWND box = WaitForMessageBox(run);
        REQUIRE(box);
        CHECK(MessageBoxText(box) == c.message);
        for (HWND button : {run.Back(), run.Next(), run.Cancel()}) CHECK_FALSE(IsWindowEnabled(button));
        CHECK(CloseEnabled(run));
        REQUIRE(DismissMessageBox(box));
        CHECK(run.process.WaitForExit() == IDOK);
        Lines lines = InstallLogMessages(run.folder);
        if (!c.typeOtherDrive)
            CHECK(HoldsInOrder(lines, {"Prop3 Next begin", "GetDriveType_com(", "GetDiskFreeSpaceEx_com("}));
        for (const std::string& line : lines) CHECK(line != "Prop3 Next end");
    }
}

TEST_CASE("Next on the folder screen refuses a text that names no folder; Back stays free")
{
    WizardRun run("wizard-folder-text");
    std::string folder = run.folder + "\\产品";
    REQUIRE(run.Start(WizardPayload(folder)));
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    for (const char* text : {"", "App", "D:", "D:App", "\\App", "C:\\a|b", "C:\\a<b", "C:\\App."}) {
        std::string typed = text;
        CAPTURE(typed);
        SendMessageA(run.FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        REQUIRE(Click(run.Next()));
        HWND box = WaitForMessageBox(run);
        REQUIRE(box);
        CHECK(MessageBoxText(box) == "安装目录无效，请输入完整的路径，例如 D:\\软件\\程序");
        REQUIRE(DismissMessageBox(box));
        CHECK(WaitUntil([&] { return !IsWindow(box); }));
        CHECK(WaitForLayout(run, kStep1) == "");
        CHECK(Text(run.FolderEdit()) == typed);
    }
    REQUIRE(Click(run.Back()));
    CHECK(WaitForLayout(run, kStep0) == "");
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    std::string other = run.folder + "\\Games\\App";
    CreateDirectoryA((run.folder + "\\Games").c_str(), nullptr);
    SendMessageA(run.FolderEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()));
    REQUIRE(Click(run.Next()));
    CHECK(WaitForLayout(run, kFinish) == "");
    CHECK(PathExists(other + "\\卸载.exe"));
}
