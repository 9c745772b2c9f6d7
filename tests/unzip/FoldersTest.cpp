#include <doctest/doctest.h>

#include <algorithm>

#include "Folders.h"
#include "UnzipFixture.h"

TEST_CASE("MakeFolder and MakeParentFolders")
{
    const std::string root = MakeTestFolder("unzip-folders");
    const std::string file = JoinPath(root, "file.txt");
    struct Case {
        const char* title;
        std::string path;
        bool parentOnly;
        int result;
        std::vector<std::string> made;  // below the test folder, beside file.txt
    };
    const std::vector<Case> cases = {
        {"missing parents are made first", root + "\\A\\B", false, 1, {"A\\", "A\\B\\"}},
        {"a trailing backslash names the same folder", root + "\\A\\B\\", false, 1, {"A\\", "A\\B\\"}},
        {"an existing folder", root, false, 1, {}},
        {"an existing folder with a trailing backslash", root + "\\", false, 1, {}},
        {"a drive's root", "C:\\", false, 1, {}},
        {"double-byte characters ending in 0x5C", root + "\\\xC4\xBF\x95\x5C\\B\x95\x5C", false, 1,
         {"\xC4\xBF\x95\x5C\\", "\xC4\xBF\x95\x5C\\B\x95\x5C\\"}},
        {"a doubled backslash", root + "\\A\\\\B", false, 1, {"A\\", "A\\B\\"}},
        {"an existing file", file, false, 0, {}},
        {"a file in the way of a parent", file + "\\sub", false, 0, {}},
        {"an empty path", "", false, 0, {}},
        {"a path longer than 259 bytes", root + "\\" + std::string(300 - root.size(), 'x'), false, 0, {}},
        {"a name without a backslash counts as a root", "no-such-folder-anywhere", false, 1, {}},
        {"the folder of a file", root + "\\A\\B\\f.txt", true, 1, {"A\\", "A\\B\\"}},
        {"no folder in a bare file name", "f.txt", true, 0, {}},
        {"a file's folder behind a file", file + "\\f.txt", true, 0, {}},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        MakeTestFolder("unzip-folders");
        WriteFileBytes(file, Bytes{1});
        CHECK((c.parentOnly ? MakeParentFolders(c.path.c_str()) : MakeFolder(c.path.c_str())) == c.result);
        std::vector<std::string> tree = c.made;
        tree.push_back("file.txt");
        std::sort(tree.begin(), tree.end());
        CHECK(ListTree(root) == tree);
    }
    CHECK_FALSE(PathExists("no-such-folder-anywhere"));
}
