// The wizard's decisions that need no window: the free-space threshold, the
// artwork for a bar position, the edit text that names an install folder,
// and the folder of a running program.
#include <doctest/doctest.h>
#include <windows.h>

#include <string>

#include "FolderText.h"
#include "PayloadLayout.h"
#include "SetupDlg.h"
#include "SetupProp3.h"
#include "TargetChecks.h"

TEST_CASE("free space counts in single-precision megabytes: 104,857,596 bytes pass, one less does not")
{
    CHECK(FreeMegabytes(104857596) >= 100.0f);
    CHECK(FreeMegabytes(104857595) < 100.0f);
    CHECK(FreeMegabytes(0) == 0.0f);
    CHECK(FreeMegabytes(5LL << 40) == 5.0f * 1024 * 1024);
}

TEST_CASE("the progress page's artwork switches at 50")
{
    struct Case {
        int position, current, art;
    } cases[] = {
        {0, ImageStep3LateArt, ImageStep3Art}, {49, ImageStep3Art, ImageStep3Art},
        {50, ImageStep3Art, ImageStep3LateArt}, {100, ImageStep3LateArt, ImageStep3LateArt},
        {-1, ImageStep3LateArt, ImageStep3LateArt}, {101, ImageStep3Art, ImageStep3Art},
    };
    for (const Case& c : cases) {
        CAPTURE(c.position);
        CHECK(CSetupProp3::ArtFor(c.position, c.current) == c.art);
    }
}

TEST_CASE("an install folder is a full path Windows can hold, taken as it is")
{
    struct Case {
        const char* text;
        bool usable;
    } cases[] = {
        {"D:\\Games\\App", true},
        {"D:\\", true},
        {"c:\\program files\\软件", true},
        {"\\\\server\\share\\App", true},
        {"E:\\乗\\App", true},  // 乗's second byte is 0x5C: no separator
        {"", false},
        {"App", false},
        {"Games\\App", false},
        {"D:", false},
        {"D:App", false},
        {"\\App", false},
        {"\\\\", false},
        {"\\\\?\\D:\\App", false},
        {"D:\\a|b", false},
        {"D:\\a<b", false},
        {"D:\\a>b", false},
        {"D:\\a\"b", false},
        {"D:\\a*", false},
        {"D:\\a:b", false},
        {"D:\\a\tb", false},
        {"D:\\App.", false},
        {"D:\\App ", false},
        {"D:\\a.\\b", false},
        {"D:\\..\\b", false},
        {"D:\\App\x81", false},  // a lead byte with no second byte
    };
    for (const Case& c : cases) {
        std::string text = c.text;
        CAPTURE(text);
        CHECK(IsUsableInstallFolder(c.text) == c.usable);
    }
}

TEST_CASE("the folder of a program and the drive root of a folder")
{
    char folder[PATH_BUF_SIZE];
    ProcessFolder(folder, "Z:\\tmp\\x\\目录\\探针.exe");
    CHECK(std::string(folder) == "Z:\\tmp\\x\\目录");
    ProcessFolder(folder, "Z:\\工具\\乗.exe");  // the 0x5C inside 乗 is no backslash
    CHECK(std::string(folder) == "Z:\\工具");
    ProcessFolder(folder, "Z:\\乗\\a.exe");
    CHECK(std::string(folder) == "Z:\\乗");
    ProcessFolder(folder, "a.exe");
    CHECK(std::string(folder) == "");

    char root[4];
    DriveRoot(root, "D:\\Prog");
    CHECK(std::string(root) == "D:\\");
    DriveRoot(root, "D:");
    CHECK(std::string(root) == "D:");
}

TEST_CASE("a folder is in use when a running program lies directly in it, byte for byte")
{
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    char folder[PATH_BUF_SIZE];
    ProcessFolder(folder, self);
    std::string own = folder;
    CHECK(CSetupDlg::IsFolderInUse(own.c_str()));
    CHECK_FALSE(CSetupDlg::IsFolderInUse((own + "\\").c_str()));
    CHECK_FALSE(CSetupDlg::IsFolderInUse(own.substr(0, own.rfind('\\')).c_str()));
    std::string otherCase = own;
    for (char& c : otherCase)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (otherCase != own) CHECK_FALSE(CSetupDlg::IsFolderInUse(otherCase.c_str()));
}
