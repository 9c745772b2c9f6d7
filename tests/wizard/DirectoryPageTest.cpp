// The directory page: the folder picker makes the picked folder the parent
// of the install folder's own name.
#include <doctest/doctest.h>

#include "TestFiles.h"
#include "WizardLayout.h"

using Lines = std::vector<std::string>;

namespace {

const std::string kLongName(200, 'L');

void MakeDriveEFolders()
{
    CreateDirectoryA("E:\\Tools", nullptr);
    CreateDirectoryA(("E:\\" + kLongName).c_str(), nullptr);
    CreateDirectoryA("E:\\乗", nullptr);
}

}  // namespace

TEST_CASE("Browse: the picked folder, then the install folder's name")
{
    MakeDriveEFolders();
    struct Case {
        const char* what;
        const char* name;        // of the header's install folder, below the test folder
        const char* typed;       // typed into the edit box first; null: nothing
        std::vector<std::string> pick;  // tree path in the picker; empty: Cancel
        const char* expected;    // the edit box afterwards; null: unchanged
    } cases[] = {
        {"a folder", "App", nullptr, {"我的电脑", "(E:)", "Tools"}, "E:\\Tools\\App"},
        {"a drive root", "App", nullptr, {"我的电脑", "(E:)"}, "E:\\App"},
        {"an install folder ending in a backslash", "App\\", nullptr, {"我的电脑", "(E:)", "Tools"}, "E:\\Tools\\"},
        {"typed text is not used", "App", "D:\\Other\\Name", {"我的电脑", "(E:)"}, "E:\\App"},
        // 乗 is 0x81 0x5C in GBK: its second byte is no separator.
        {"a folder ending in a double-byte character", "App", nullptr, {"我的电脑", "(E:)", "乗"}, "E:\\乗\\App"},
        {"cancelled", "App", nullptr, {}, nullptr},
        {"a virtual folder", "App", nullptr, {"回收站"}, nullptr},
        {"a result over 259 bytes", "N123456789N123456789N123456789N123456789N123456789N123456789", nullptr,
         {"我的电脑", "(E:)", kLongName}, nullptr},
    };
    for (const Case& c : cases) {
        std::string what = c.what;
        CAPTURE(what);
        WizardRun run("wizard-browse");
        std::string folder = run.folder + "\\" + c.name;
        REQUIRE(run.Start(WizardPayload(folder)));
        REQUIRE(Click(run.Next()));
        REQUIRE(WaitForLayout(run, kStep1) == "");
        HWND edit = run.FolderEdit();
        CHECK(Text(edit) == folder);
        if (c.typed) SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(c.typed));
        std::string before = Text(edit);

        REQUIRE(Click(Control(run.DirectoryPage(), 1001)));
        HWND picker = FindFolderPicker(run.process.Id());
        REQUIRE(picker);
        if (c.pick.empty()) {
            REQUIRE(Click(Control(picker, IDCANCEL)));
        } else {
            std::vector<std::string> path = {"桌面"};
            path.insert(path.end(), c.pick.begin(), c.pick.end());
            REQUIRE(SelectInPicker(picker, path));
            REQUIRE(Click(Control(picker, IDOK)));
        }
        CHECK(WaitUntil([&] { return !IsWindow(picker); }));
        std::string logFolder = folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder;
        Lines lines = WaitForLog(logFolder, 4);
        CHECK(Lines(lines.end() - 2, lines.end()) == Lines{"Prop2 PreView begin", "Prop2 PreView end"});
        CHECK(Text(edit) == (c.expected ? c.expected : before));
    }
}
