// The progress page's poll: the artwork switch at 50 % and the finish once
// the bar stands at 100 with the completion flag set.
#include <doctest/doctest.h>

#include "TestSeams.h"
#include "WizardLayout.h"

#include <commctrl.h>

using Lines = std::vector<std::string>;

namespace {

bool ShowsImage(HWND art, int index)
{
    Bytes bmp = WizardImage(index);
    for (POINT p : {POINT{10, 10}, POINT{300, 120}})
        if (ScreenPixel(art, p.x, p.y) != BmpPixel(bmp, p.x, p.y)) return false;
    return true;
}

}  // namespace

TEST_CASE("the poll switches the artwork at 50 and shows success at 100 with the flag set")
{
    WizardRun run("wizard-progress");
    std::string folder = run.folder + "\\产品";
    REQUIRE(run.Start(WizardPayload(folder)));
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep1) == "");
    CHECK(ShowsImage(Control(run.DirectoryPage(), 1026), 1));
    REQUIRE(Click(run.Next()));
    REQUIRE(WaitForLayout(run, kStep2) == "");
    WaitForLog(folder, 6);
    HWND art = Control(run.ProgressPage(), 1026);
    CHECK(WaitUntil([&] { return ShowsImage(art, 2); }));

    SendMessageA(run.Bar(), PBM_SETPOS, 49, 0);
    Sleep(300);
    CHECK(ShowsImage(art, 2));
    SendMessageA(run.Bar(), PBM_SETPOS, 50, 0);
    CHECK(WaitUntil([&] { return ShowsImage(art, 3); }));

    // 100 without the flag changes nothing; the flag makes it a success.
    SendMessageA(run.Bar(), PBM_SETPOS, 100, 0);
    Sleep(300);
    CHECK(Text(run.Status()) == "第三步：解压文件");
    CHECK(SendMessageA(run.frame, kTestCloseState, 0, 0) == 1);
    SendMessageA(run.ProgressPage(), kTestSetCompletion, 0, 0);
    CHECK(WaitForLayout(run, kFinish) == "");
    CHECK(Text(run.Status()) == "安装成功　　　　");
    CHECK_FALSE(Shown(run.Bar()));
    CHECK(IsWindowEnabled(run.Cancel()));
    CHECK(SendMessageA(run.frame, kTestCloseState, 0, 0) == 1);
    CHECK(ShowsImage(art, 3));

    REQUIRE(Click(run.Next()));
    CHECK(run.process.WaitForExit() == IDOK);
    Lines lines = LogMessages(folder);
    REQUIRE(lines.size() >= 2);
    CHECK(Lines(lines.end() - 2, lines.end()) == Lines{"Instal Btn", "Finish Install"});
}
