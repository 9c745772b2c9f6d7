#include <doctest/doctest.h>

#include <cstring>
#include <filesystem>
#include <minizip/unzip.h>
#include <sys/stat.h>
#include <vector>

#include "Extract.h"
#include "Inspect.h"
#include "PackFixture.h"

namespace fs = std::filesystem;

namespace {

struct StoredEntry {
    std::string name;
    unsigned long flag;
    unsigned long dosDate;
    std::string data;
};

// Reads an archive with Debian's own minizip, as an independent reader.
std::vector<StoredEntry> ReadZip(const std::string& path)
{
    std::vector<StoredEntry> entries;
    unzFile zip = unzOpen(path.c_str());
    REQUIRE(zip != nullptr);
    for (int step = unzGoToFirstFile(zip); step == UNZ_OK; step = unzGoToNextFile(zip)) {
        unz_file_info info;
        char name[512];
        REQUIRE(unzGetCurrentFileInfo(zip, &info, name, sizeof name, nullptr, 0, nullptr, 0) == UNZ_OK);
        StoredEntry entry{name, info.flag, info.dosDate, ""};
        REQUIRE(unzOpenCurrentFile(zip) == UNZ_OK);
        char chunk[4096];
        int got;
        while ((got = unzReadCurrentFile(zip, chunk, sizeof chunk)) > 0) entry.data.append(chunk, got);
        CHECK(unzCloseCurrentFile(zip) == UNZ_OK);
        entries.push_back(entry);
    }
    unzClose(zip);
    return entries;
}

Bytes Slice(const Bytes& file, int64_t position, int64_t size)
{
    return Bytes(file.begin() + position, file.begin() + position + size);
}

}  // namespace

TEST_CASE("a manifest becomes an installer whose payload reads back and extracts as written")
{
    PackFixture f("pack-round-trip");
    BuildInstaller(f.Options());
    std::string installer = f.Path("out/setup.exe");
    Bytes file = ReadFileBytes(installer);

    struct stat st;
    REQUIRE(stat(installer.c_str(), &st) == 0);
    CHECK((st.st_mode & 0777) == 0755);
    CHECK(Slice(file, 0, f.stub.size()) == f.stub);
    CHECK(Slice(file, f.stub.size(), PAYLOAD_OFFSET - f.stub.size()) == Bytes(PAYLOAD_OFFSET - f.stub.size(), 0));

    InstallerReport r = ReadInstaller(installer, true);
    CHECK(r.verified);
    CHECK(r.header.title == Gbk("测试软件"));
    CHECK(r.header.version == Gbk("2.0 测试版"));
    CHECK(r.header.vendorKey == "TestSoft");
    CHECK(r.header.installDir == Gbk("C:\\Program Files\\测试软件"));
    CHECK(r.header.menuFolder == Gbk("测试软件"));
    REQUIRE(r.linkCount == 3);
    const HeaderShortcut& desktop = r.header.shortcuts[0];
    CHECK(desktop.name == Gbk("测试.lnk"));
    CHECK(desktop.target == Gbk("程序\\测试.exe"));
    CHECK(desktop.icon.empty());
    CHECK(desktop.location == LinkDesktop);
    CHECK(r.header.shortcuts[1].target.empty());
    CHECK(r.header.shortcuts[1].location == LinkProgramMenu);
    CHECK(r.header.shortcuts[2].icon == Gbk("程序\\测试.exe"));
    CHECK(r.header.shortcuts[2].location == 7);

    for (int i = 0; i < 4; ++i) CHECK(r.images[i].bmp == MakeBmp(438, 155, 3));
    CHECK(r.images[ImageBanner].bmp == MakeBmp(495, 60, 4));
    CHECK(r.images[ImageSpareBanner].bmp.empty());

    std::vector<std::string> names;
    for (const ZipEntry& e : r.entries[0]) names.push_back(e.name);
    // Sorted by the bytes of the UTF-8 names, an empty folder as its own entry,
    // the excluded file left out.
    CHECK(names == std::vector<std::string>{Gbk("文档/子目录/深.txt"), Gbk("程序/测试.exe"), Gbk("空/"), Gbk("说明.txt")});
    CHECK(r.payloadEnd == r.fileSize);

    ExtractInstaller(installer, f.Path("out/parts"));
    CHECK(ReadFileBytes(f.Path("out/parts/step3_late.bmp")) == MakeBmp(438, 155, 3));
    CHECK(ReadFileBytes(f.Path("out/parts/banner.bmp")) == MakeBmp(495, 60, 4));
    CHECK_FALSE(PathExists(f.Path("out/parts/spare_banner.bmp")));
    CHECK(ReadFileBytes(f.Path("out/parts/first.zip")) == Slice(file, r.archives[0].position, r.archives[0].size));
    CHECK(ReadFileBytes(f.Path("out/parts/second.zip")) == ReadFileBytes(f.Path("extras.zip")));
    CHECK(ReadFileBytes(f.Path("out/parts/uninstaller.exe")) == f.uninstaller);
}

TEST_CASE("names are stored in GBK with / separators, without the UTF-8 flag, with the files' times")
{
    PackFixture f("pack-gbk-names");
    BuildInstaller(f.Options());
    InstallerReport r = ReadInstaller(f.Path("out/setup.exe"), false);
    Bytes file = ReadFileBytes(f.Path("out/setup.exe"));
    WriteFileBytes(f.Path("out/first.zip"), Slice(file, r.archives[0].position, r.archives[0].size));

    std::vector<StoredEntry> entries = ReadZip(f.Path("out/first.zip"));
    REQUIRE(entries.size() == 4);
    for (const StoredEntry& e : entries) {
        CHECK((e.flag & (1u << 11)) == 0);
        CHECK(e.dosDate == kSampleDosTime);
    }
    CHECK(entries[0].name == Gbk("文档/子目录/深.txt"));
    CHECK(entries[0].data == std::string(5000, 'x'));
    CHECK(entries[2].name == Gbk("空/"));
    CHECK(entries[3].name == Gbk("说明.txt"));
    CHECK(entries[3].data == "说明文字\r\n");
}

TEST_CASE("the same inputs with the same file times give the same bytes, however the folder was made")
{
    PackFixture f("pack-reproducible");
    BuildInstaller(f.Options());
    Bytes first = ReadFileBytes(f.Path("out/setup.exe"));

    // The same product made again with its files created in another order.
    fs::rename(f.Path("product"), f.Path("product-first"));
    f.WriteText("product/文档/子目录/深.txt", std::string(5000, 'x'));
    f.WriteText("product/程序/测试.exe", "MZ not really a program");
    f.WriteText("product/说明.txt", "说明文字\r\n");
    fs::create_directories(f.Path("product/空"));
    f.SetTimes("product", SampleTime());
    BuildInstaller(f.Options());
    CHECK(ReadFileBytes(f.Path("out/setup.exe")) == first);
}
