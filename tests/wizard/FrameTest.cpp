// The frame: its look, the step machine with its trace lines, the ways it
// can and cannot be closed, and the About box.
#include <doctest/doctest.h>

#include <algorithm>

#include "WizardLayout.h"

using Lines = std::vector<std::string>;

namespace {

const COLORREF kGrey = RGB(235, 235, 235);

std::string StartInFolder(WizardRun& run, PayloadFixture payload = {})
{
    std::string folder = run.folder + "\\产品";
    PayloadFixture fixture = WizardPayload(folder);
    fixture.title = payload.title;
    fixture.version = payload.version;
    REQUIRE(run.Start(fixture));
    return folder;
}

}  // namespace

TEST_CASE("the start screen: caption, layout, pages in place, grey background, artwork 1:1")
{
    WizardRun run("wizard-start");
    std::string folder = StartInFolder(run);
    CHECK(Text(run.frame) == "Demo 1.0 ");
    CHECK(WaitForLayout(run, kStep0) == "");
    CHECK(Text(Control(run.frame, 1039)) == "第一步：确定安装");

    RECT client;
    GetClientRect(run.frame, &client);
    CHECK(client.right == 495);
    CHECK(client.bottom == 320);
    for (HWND page : {run.DirectoryPage(), run.ProgressPage()}) {
        REQUIRE(page);
        POINT at = PositionIn(page, run.frame);
        CHECK(at.x == 0);
        CHECK(at.y == 63);
        RECT size;
        GetClientRect(page, &size);
        CHECK(size.right == 495);
        CHECK(size.bottom == 207);
    }

    CHECK(ScreenPixel(run.frame, 5, 70) == kGrey);
    CHECK(ScreenPixel(run.frame, 490, 300) == kGrey);
    Bytes banner = WizardImage(4), art = WizardImage(0);
    for (POINT p : {POINT{0, 0}, POINT{250, 30}, POINT{494, 59}})
        CHECK(ScreenPixel(Control(run.frame, 1026), p.x, p.y) == BmpPixel(banner, p.x, p.y));
    for (POINT p : {POINT{0, 0}, POINT{200, 77}, POINT{437, 153}})
        CHECK(ScreenPixel(Control(run.frame, 1028), p.x, p.y) == BmpPixel(art, p.x, p.y));
    // Nothing is written before the first click.
    CHECK(InstallLogMessages(folder).empty());
}

TEST_CASE("a caption from an empty title and version is two blanks")
{
    WizardRun run("wizard-caption");
    PayloadFixture texts;
    texts.title = texts.version = "";
    StartInFolder(run, texts);
    CHECK(Text(run.frame) == "  ");
}

TEST_CASE("Next and Back walk the steps with their layouts and trace lines")
{
    WizardRun run("wizard-walk");
    std::string folder = StartInFolder(run);

    REQUIRE(Click(run.Next()));
    CHECK(WaitForLayout(run, kStep1) == "");
    CHECK(Text(Control(run.DirectoryPage(), 1040)) == "第二步：指定目录");
    REQUIRE(Click(run.Back()));
    CHECK(WaitForLayout(run, kStep0) == "");
    REQUIRE(Click(run.Next()));
    CHECK(WaitForLayout(run, kStep1) == "");
    REQUIRE(Click(run.Next()));
    CHECK(Text(run.Status()) == "第三步：解压文件");
    CHECK(LayoutDifference(run, kStep2) == "");
    // The install starts by itself 100 ms after step 2 is shown.
    CHECK(WaitForLayout(run, kFinish) == "");
    Lines lines = InstallLogMessages(folder);
    REQUIRE(lines.size() > 10);
    CHECK(Lines(lines.begin(), lines.begin() + 10) ==
          Lines{"Instal Btn", "Install Step 1", "Back to Step 1", "Instal Btn", "Install Step 1", "Instal Btn",
                "Install Step 2", "Instal Btn", "Install Step 3", "Prop3 Next begin"});
    REQUIRE(Click(run.Next()));
    CHECK(run.process.WaitForExit() == IDOK);
    lines = InstallLogMessages(folder);
    CHECK(Lines(lines.end() - 2, lines.end()) == Lines{"Instal Btn", "Finish Install"});
}

TEST_CASE("Back on step 2 before the automatic command: the command moves it to step 2 again")
{
    WizardRun run("wizard-back-early");
    std::string folder = StartInFolder(run);
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    REQUIRE(Click(run.Next()));
    REQUIRE(Click(run.Back()));
    CHECK(WaitForLayout(run, kFinish) == "");
    Lines lines = InstallLogMessages(folder);
    REQUIRE(lines.size() > 10);
    CHECK(Lines(lines.begin(), lines.begin() + 10) ==
          Lines{"Instal Btn", "Install Step 1", "Instal Btn", "Install Step 2", "Back to Step 2", "Instal Btn",
                "Install Step 2", "Instal Btn", "Install Step 3", "Prop3 Next begin"});
}

TEST_CASE("Next on step 2 before the automatic command launches the install once and keeps the success screen")
{
    WizardRun run("wizard-next-early");
    std::string folder = StartInFolder(run);
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    REQUIRE(Click(run.Next()));
    REQUIRE(Click(run.Next()));
    CHECK(WaitForLayout(run, kFinish) == "");
    Sleep(300);  // the automatic command would have arrived by now
    CHECK(LayoutDifference(run, kFinish) == "");
    Lines lines = InstallLogMessages(folder);
    CHECK(std::count(lines.begin(), lines.end(), "Install Step 3") == 1);
    CHECK(std::count(lines.begin(), lines.end(), "Prop3 Next begin") == 1);
    CHECK(std::count(lines.begin(), lines.end(), "ExtraFileFromInfo begin") == 1);
    CHECK(std::count(lines.begin(), lines.end(), "Instal Btn") == 3);
}

TEST_CASE("the wizard closes through Cancel, Esc, Alt+F4 or WM_CLOSE only while Cancel is enabled")
{
    struct Route {
        const char* what;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    } routes[] = {
        {"Cancel's command", WM_COMMAND, IDCANCEL, 0},
        {"Esc", WM_KEYDOWN, VK_ESCAPE, 0},
        {"Alt+F4", WM_SYSKEYDOWN, VK_F4, 1 << 29},
        {"the Close command", WM_SYSCOMMAND, SC_CLOSE, 0},
        {"WM_CLOSE", WM_CLOSE, 0, 0},
        {"an OK command", WM_COMMAND, IDOK, 0},
    };
    for (const Route& route : routes) {
        std::string what = route.what;
        CAPTURE(what);
        WizardRun run("wizard-close");
        StartInFolder(run);
        HWND target = route.message == WM_KEYDOWN ? run.Next() : run.frame;
        EnableWindow(run.Cancel(), FALSE);
        PostMessageA(target, route.message, route.wParam, route.lParam);
        CHECK(run.process.WaitForExit(500) == InstallerProcess::kStillRunning);
        EnableWindow(run.Cancel(), TRUE);
        PostMessageA(target, route.message, route.wParam, route.lParam);
        CHECK(run.process.WaitForExit(2000) == (route.wParam == IDOK ? InstallerProcess::kStillRunning : IDCANCEL));
    }
}

TEST_CASE("the About box opens from the system menu at any step")
{
    WizardRun run("wizard-about");
    std::string folder = StartInFolder(run);
    for (int step = 0; step < 3; step += 2) {
        CAPTURE(step);
        if (step == 2) {
            REQUIRE(Click(run.Next()));
            REQUIRE(WaitForLayout(run, kStep1) == "");
            REQUIRE(Click(run.Next()));
            REQUIRE(WaitForLayout(run, kFinish) == "");
        }
        PostMessageA(run.frame, WM_SYSCOMMAND, 0x0010, 0);
        HWND about = run.process.WaitForDialog(run.frame);
        REQUIRE(about);
        CHECK(Text(about) == "关于 Setup");
        CHECK(Text(Control(about, IDOK)) == "确定");
        CHECK_FALSE(IsWindowEnabled(run.frame));
        REQUIRE(Click(Control(about, IDOK)));
        CHECK(WaitUntil([&] { return !IsWindow(about); }));
        CHECK(IsWindowEnabled(run.frame));
    }
}
