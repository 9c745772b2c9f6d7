#include <doctest/doctest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>

// The Windows tests rely on the prefix that the harness prepares: Chinese
// code page, and shell folders that are real folders inside the prefix.
TEST_CASE("the test prefix runs in code page 936")
{
    CHECK(GetACP() == 936);
}

TEST_CASE("desktop and program menu are folders inside the prefix")
{
    for (int csidl : {CSIDL_DESKTOP, CSIDL_PROGRAMS}) {
        CAPTURE(csidl);
        char path[MAX_PATH] = "";
        REQUIRE(SHGetSpecialFolderPathA(nullptr, path, csidl, TRUE));
        CHECK(std::string(path).rfind("C:\\users\\", 0) == 0);
        DWORD attributes = GetFileAttributesA(path);
        REQUIRE(attributes != INVALID_FILE_ATTRIBUTES);
        CHECK((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
        CHECK((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0);
    }
}
