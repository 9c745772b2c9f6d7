// Extraction refused or failed: names that would leave the output folder,
// output paths too long for a path buffer, and data that does not match its
// entry.

#include <doctest/doctest.h>

#include "UnzipFixture.h"
#include "Unziper.h"

TEST_CASE("a name that would leave the output folder is refused before anything is written")
{
    const char* const refused[] = {
        "/abs.txt",
        "\\abs.txt",
        "//server/share/x.txt",
        "\\\\?\\C:\\x.txt",
        "C:x.txt",
        "C:/x.txt",
        "../x.txt",
        "a/../../x.txt",
        "a/..",
        "a/../",
        "..",
        "a/... /x.txt",
        "a/. ./x.txt",
        "x.txt:stream",
        "x.txt::$DATA",
        "\xC4\xBF\x95\\../x.txt",  // byte by byte: "..", although 0x95 0x5C is one character
        "..\x81",                   // not GBK text: a lone lead byte, which Windows may drop
        "",
    };
    for (const char* name : refused) {
        INFO(std::string(name));
        for (int flatten : {0, 1}) {
            UnzipFixture fixture("unzip-refused");
            CUnziper unziper(fixture.Archive({{name, "escaped"}}).c_str());
            std::string out = JoinPath(fixture.folder, "a\\out");
            CHECK_FALSE(unziper.UnzipFile(0, out.c_str(), flatten));
            CHECK(ListTree(fixture.folder) == std::vector<std::string>{"in.zip"});
        }
    }
}

TEST_CASE("names that only look unusual are extracted")
{
    struct Case {
        const char* name;
        const char* written;
    };
    const Case cases[] = {
        {"a..b.txt", "a..b.txt"},
        {"..a.txt", "..a.txt"},
        {"a/.hidden", "a\\.hidden"},
        {"./here.txt", "here.txt"},
        {"\xC4\xBF\xC2\xBC/\xCE\xC4\xBC\xFE.txt", "\xC4\xBF\xC2\xBC\\\xCE\xC4\xBC\xFE.txt"},  // 目录/文件.txt
    };
    for (const Case& c : cases) {
        INFO(std::string(c.name));
        UnzipFixture fixture("unzip-unusual");
        CUnziper unziper(fixture.Archive({{c.name, "inside"}}).c_str());
        std::string out = JoinPath(fixture.folder, "out");
        CHECK(unziper.UnzipFile(0, out.c_str(), 0));
        CHECK(ReadText(JoinPath(out, c.written)) == "inside");
    }
}

TEST_CASE("an output path over 259 bytes fails without writing")
{
    UnzipFixture fixture("unzip-long-path");
    std::string out = JoinPath(fixture.folder, "out");
    // Parts of 50 bytes keep every folder name well below the 255 a folder may have.
    std::string name;
    while (out.size() + 1 + name.size() + 51 < 259) name += std::string(50, 'd') + "/";
    std::string fits = name + std::string(259 - out.size() - 1 - name.size(), 'f');
    REQUIRE(out.size() + 1 + fits.size() == 259);
    std::string tooLong = fits + "g";

    CUnziper unziper(fixture.Archive({{tooLong, "long"}, {fits, "fits"}}).c_str());
    CHECK_FALSE(unziper.UnzipFile(0, out.c_str(), 0));
    CHECK(ListTree(fixture.folder) == std::vector<std::string>{"in.zip"});
    CHECK(unziper.UnzipFile(0, out.c_str(), 1));  // flattened, only the last part is added
    CHECK(unziper.UnzipFile(1, out.c_str(), 0));
    std::string written = fits;
    for (char& c : written)
        if (c == '/') c = '\\';
    CHECK(ReadText(JoinPath(out, written)) == "fits");
}

TEST_CASE("entry data that does not match the entry fails the extraction")
{
    struct Case {
        const char* title;
        ZipEntry entry;
        bool extracted;
    };
    const std::string text = SampleText(70000);
    const Case cases[] = {
        {"stored, intact", {"f.txt", text}, true},
        {"deflated, intact", {"f.txt", text, 8}, true},
        {"empty, intact", {"f.txt", ""}, true},
        {"stored, CRC-32 mismatch", ZipEntry("f.txt", text).WithCrcXor(0x1), false},
        {"deflated, CRC-32 mismatch", ZipEntry("f.txt", text, 8).WithCrcXor(0x80000000), false},
        {"deflated, data ends before the stored size", ZipEntry("f.txt", text, 8).WithSizeExcess(1), false},
        {"unknown compression method", {"f.txt", text, 99}, false},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        UnzipFixture fixture("unzip-damaged");
        CUnziper unziper(fixture.Archive({c.entry}).c_str());
        CHECK(unziper.UnzipFile(0, fixture.folder.c_str(), 0) == c.extracted);
        if (c.extracted) CHECK(ReadText(JoinPath(fixture.folder, "f.txt")) == c.entry.data);
    }
}
