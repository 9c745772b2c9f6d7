#include <doctest/doctest.h>

#include <filesystem>
#include <functional>
#include <unistd.h>

#include "PackError.h"
#include "PayloadLayout.h"
#include "PackFixture.h"
#include "PeFixture.h"

namespace fs = std::filesystem;

namespace {

struct Refusal {
    const char* what;
    std::function<void(PackFixture&)> change;
    const char* message;  // a part of the message that names the field or the file
};

std::string NineShortcuts()
{
    std::string list;
    for (int i = 0; i < 9; ++i) list += "[[shortcuts]]\nname = \"s" + std::to_string(i) + ".lnk\"\nlocation = \"desktop\"\n";
    return list;
}

const Refusal kRefusals[] = {
    {"a title GBK cannot write", [](PackFixture& f) { f.Replace("title = \"测试软件\"", "title = \"测试😀\""); }, "title:"},
    {"a version over 259 GBK bytes",
     [](PackFixture& f) {
         std::string longText;
         for (int i = 0; i < 130; ++i) longText += "版";
         f.Replace("version = \"2.0 测试版\"", "version = \"" + longText + "\"");
     },
     "version: 260 bytes"},
    {"an install folder without a drive",
     [](PackFixture& f) { f.Replace("'C:\\Program Files\\测试软件'", "'Program Files\\测试软件'"); }, "install_dir:"},
    {"an install folder ending in a backslash",
     [](PackFixture& f) { f.Replace("'C:\\Program Files\\测试软件'", "'C:\\Program Files\\'"); }, "install_dir:"},
    {"a character whose second GBK byte is a backslash",
     [](PackFixture& f) { f.Replace("menu_folder = \"测试软件\"", "menu_folder = \"乗\""); }, "menu_folder:"},
    {"more than 8 shortcuts", [](PackFixture& f) { f.manifest += NineShortcuts(); }, "shortcuts: 12 shortcuts"},
    {"a target that climbs out", [](PackFixture& f) { f.Replace("'程序\\测试.exe'", "'..\\测试.exe'"); },
     "shortcuts[0].target:"},
    {"a target with a drive", [](PackFixture& f) { f.Replace("'程序\\测试.exe'", "'C:\\测试.exe'"); },
     "shortcuts[0].target:"},
    {"a target no archive installs", [](PackFixture& f) { f.Replace("'程序\\测试.exe'", "'程序\\别的.exe'"); },
     "shortcuts[0].target:"},
    {"a shortcut name that is not a .lnk", [](PackFixture& f) { f.Replace("name = \"测试.lnk\"", "name = \"测试\""); },
     "shortcuts[0].name:"},
    {"an unknown location", [](PackFixture& f) { f.Replace("location = \"desktop\"", "location = \"startmenu\""); },
     "shortcuts[0].location:"},
    {"a misspelt key", [](PackFixture& f) { f.manifest = "titel = \"x\"\n" + f.manifest; }, "titel: unknown key"},
    {"a missing image", [](PackFixture& f) { f.Replace("step2 = \"art/step.bmp\"\n", ""); }, "images.step2:"},
    {"artwork of the wrong size", [](PackFixture& f) { WriteFileBytes(f.Path("art/banner.bmp"), MakeBmp(500, 60)); },
     "images.banner:"},
    {"no uninstaller", [](PackFixture& f) { f.Replace("uninstaller = \"uninstall.exe\"\n", ""); }, "uninstaller:"},
    {"an execution level other than the two",
     [](PackFixture& f) { f.manifest = "execution_level = \"admin\"\n" + f.manifest; },
     "execution_level: must be \"administrator\" or \"current_user\""},
    {"an execution level for a stub without a manifest",
     [](PackFixture& f) { f.manifest = "execution_level = \"current_user\"\n" + f.manifest; },
     "stub.exe has no application manifest with requestedExecutionLevel"},
    {"an execution level for a stub whose resources lie past its end",
     [](PackFixture& f) {
         PeFixture pe("<assembly><requestedExecutionLevel level=\"requireAdministrator\"/></assembly>");
         pe.Put32(pe.section + 20, 0x100000);
         WriteFileBytes(f.Path("stub.exe"), pe.file);
         f.manifest = "execution_level = \"current_user\"\n" + f.manifest;
     },
     "stub.exe has no application manifest with requestedExecutionLevel: the resource directory"},
    {"a stub longer than the payload offset",
     [](PackFixture& f) { WriteFileBytes(f.Path("stub.exe"), Bytes(PAYLOAD_OFFSET + 1, 'M')); }, "stub:"},
    {"a file name Windows cannot hold", [](PackFixture& f) { f.WriteText("product/a:b.txt", "x"); }, "product/a:b.txt"},
    {"names that differ only in case",
     [](PackFixture& f) {
         f.WriteText("product/Read.txt", "x");
         f.WriteText("product/read.txt", "y");
     },
     "product/read.txt"},
    {"a file named like the installer's own uninstaller",
     [](PackFixture& f) { f.WriteText("product/卸载.exe", "x"); }, "archives.first:"},
    {"a second archive that is no ZIP", [](PackFixture& f) { f.WriteText("extras.zip", "not a zip"); },
     "archives.second:"},
    {"an archive that does not fit below 2 GiB",
     [](PackFixture& f) {
         f.WriteText("extras.zip", "");
         REQUIRE(truncate(f.Path("extras.zip").c_str(), 0x80000000LL) == 0);
     },
     "2 GiB"},
};

}  // namespace

TEST_CASE("each refusal names the field or file at fault and leaves no output behind")
{
    for (const Refusal& refusal : kRefusals) {
        CAPTURE(refusal.what);
        PackFixture f("pack-refusal");
        refusal.change(f);
        try {
            BuildInstaller(f.Options());
            FAIL("built anyway");
        } catch (const PackError& e) {
            CHECK_MESSAGE(std::string(e.what()).find(refusal.message) != std::string::npos, e.what());
        }
        CHECK(fs::is_empty(f.Path("out")));
    }
}
