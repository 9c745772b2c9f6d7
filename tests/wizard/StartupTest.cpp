// Start-up: the folder step on the default install folder, and the refusal
// of an installer whose payload cannot be read.
#include <doctest/doctest.h>

#include <cstdlib>

#include "TestFiles.h"
#include "WizardFixture.h"

namespace {

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsEmptyFolder(const std::string& path)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    int names = 0;
    do ++names;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names == 2;  // "." and ".."
}

enum class Before { Missing, MissingParent, Empty, HoldsFile };

void Prepare(const std::string& folder, Before before)
{
    if (before == Before::Empty || before == Before::HoldsFile) CreateDirectoryA(folder.c_str(), nullptr);
    if (before == Before::HoldsFile) WriteFileBytes(folder + "\\earlier.txt", Bytes{'x'});
}

}  // namespace

TEST_CASE("start-up removes or creates the default install folder before the wizard shows")
{
    struct Case {
        const char* what;
        Before before;
        bool existsAfter;
    } cases[] = {
        {"missing, parent present: made", Before::Missing, true},
        {"missing with its parent: nothing made", Before::MissingParent, false},
        {"present and empty: removed", Before::Empty, false},
        {"present with a file: kept as it is", Before::HoldsFile, true},
    };
    for (const Case& c : cases) {
        std::string what = c.what;
        CAPTURE(what);
        WizardRun run("wizard-folder-step");
        std::string folder = run.folder + (c.before == Before::MissingParent ? "\\无\\产品" : "\\产品");
        Prepare(folder, c.before);
        REQUIRE(run.Start(WizardPayload(folder)));
        CHECK(IsFolder(folder) == c.existsAfter);
        if (c.before == Before::Missing) CHECK(IsEmptyFolder(folder));
        if (c.before == Before::HoldsFile) CHECK(PathExists(folder + "\\earlier.txt"));
        REQUIRE(Click(run.Cancel()));
        CHECK(run.process.WaitForExit() == IDCANCEL);
    }
}

TEST_CASE("an installer whose payload cannot be read says so and touches no folder")
{
    struct Case {
        const char* what;
        void (*damage)(PayloadFixture& payload);
        size_t cut;  // bytes cut off the end of the file
        bool stubOnly;
    } cases[] = {
        {"no payload at all", nullptr, 0, true},
        {"a text longer than 259 bytes", [](PayloadFixture& p) { p.title.assign(260, 'T'); }, 0, false},
        {"nine shortcuts", [](PayloadFixture& p) { p.links.assign(9, ShortcutFixture{"a.lnk", "", "", 0}); }, 0,
         false},
        {"an image stream that does not decode", [](PayloadFixture& p) { p.images[2] = Bytes{0x01, 0x00, 0x00}; },
         0, false},
        {"no banner", [](PayloadFixture& p) { p.images[4].clear(); }, 0, false},
        {"artwork that is no bitmap", [](PayloadFixture& p) { p.images[0] = StoredBlockStream(Bytes(600, 'x')); },
         0, false},
        {"a file cut inside the second archive",
         [](PayloadFixture& p) {
             p.archives[1] = Bytes(5000, 'z');
             p.uninstaller.clear();
         },
         100, false},
        {"a file cut inside the uninstaller", nullptr, 1, false},
    };
    for (const Case& c : cases) {
        std::string what = c.what;
        CAPTURE(what);
        for (bool existing : {false, true}) {
            WizardRun run("wizard-damaged");
            std::string folder = run.folder + "\\产品";
            if (existing) CreateDirectoryA(folder.c_str(), nullptr);
            PayloadFixture payload = WizardPayload(folder);
            if (c.damage) c.damage(payload);
            Bytes file = BuildInstaller(payload, TestStub());
            if (c.stubOnly) file.resize(TestStub().size());
            file.resize(file.size() - c.cut);
            run.WriteBytes(file);

            REQUIRE(run.process.Start(run.installer));
            HWND box = run.process.WaitForDialog();
            REQUIRE(box);
            CHECK(MessageBoxText(box) == "安装程序已损坏，请重新下载！");
            CHECK(Text(box) == "setup-测试");
            CHECK(TopLevelDialogs(run.process.Id()).size() == 1);  // no wizard behind it
            REQUIRE(DismissMessageBox(box));
            CHECK(run.process.WaitForExit() == -1);
            CHECK(IsFolder(folder) == existing);
        }
    }
}

TEST_CASE("an installer built by setup-pack opens its wizard")
{
    const char* sample = getenv("SETUP_SAMPLE_INSTALLER");
    REQUIRE(sample);
    InstallerProcess process;
    REQUIRE(process.Start(sample));
    HWND frame = process.WaitForWizard();
    REQUIRE(frame);
    CHECK(Text(frame) == "示例记事本 1.2.0 ");
    REQUIRE(Click(Control(frame, IDCANCEL)));
    CHECK(process.WaitForExit() == IDCANCEL);
}
