#include <doctest/doctest.h>

#include <cstring>

#include "FileStream.h"
#include "SetupInfo.h"
#include "TestFiles.h"

namespace {

struct Fixture {
    std::string folder = MakeTestFolder("payload-header");

    // Writes the installer and reads its header the way start-up does.
    int Read(const Bytes& installer, CSetupInfo& info)
    {
        std::string path = JoinPath(folder, "setup.exe");
        WriteFileBytes(path, installer);
        CInFileStream in(path.c_str());
        REQUIRE(in.IsOpen());
        REQUIRE(in.SeekFromStart(PAYLOAD_OFFSET));
        return info.ReadHeader(in);
    }
};

PayloadFixture FullPayload()
{
    PayloadFixture p;
    p.title = "\xB2\xE2\xCA\xD4";  // GBK text is copied as bytes
    p.links = {{"App.lnk", "bin\\app.exe", "app.ico", 0}, {"Uninstall.lnk", "", "", 1}};
    for (int i = 0; i < 6; ++i) p.images[i] = StoredBlockStream(MakeBmp(i < 4 ? 438 : 495, i < 4 ? 155 : 60, i));
    p.archives[0] = Bytes(1000, 0xA0);
    p.archives[1] = Bytes(17, 0xA1);
    p.uninstaller = StoredBlockStream(Bytes(28672, 0x90));
    p.trailer = Bytes(300, 0xEE);
    return p;
}

Bytes Slice(const Bytes& file, int position, int size) { return Bytes(file.begin() + position, file.begin() + position + size); }

}  // namespace

TEST_CASE_FIXTURE(Fixture, "a complete payload fills every field, and records where the archives are")
{
    PayloadFixture p = FullPayload();
    Bytes installer = BuildInstaller(p);
    CSetupInfo info;
    CHECK(Read(installer, info) == 1);

    CHECK(std::string(info.title) == p.title);
    CHECK(std::string(info.version) == "1.0");
    CHECK(std::string(info.vendorkey) == "DemoSoft");
    CHECK(std::string(info.installdir) == "C:\\Demo");
    CHECK(std::string(info.menufolder) == "Demo");
    REQUIRE(info.linkcount == 2);
    CHECK(std::string(info.links[0].name) == "App.lnk");
    CHECK(std::string(info.links[0].target) == "bin\\app.exe");
    CHECK(std::string(info.links[0].icon) == "app.ico");
    CHECK(info.links[0].location == LinkDesktop);
    CHECK(std::string(info.links[1].target).empty());
    CHECK(info.links[1].location == LinkProgramMenu);

    for (int i = 0; i < 6; ++i) {
        Bytes bmp = MakeBmp(i < 4 ? 438 : 495, i < 4 ? 155 : 60, i);
        REQUIRE(info.images[i] != nullptr);
        CHECK(std::memcmp(info.images[i], bmp.data(), bmp.size()) == 0);
    }
    CHECK(Slice(installer, info.zippos[0], info.zipsize[0]) == p.archives[0]);
    CHECK(Slice(installer, info.zippos[1], info.zipsize[1]) == p.archives[1]);
    CHECK(Slice(installer, info.uninstpos, info.uninstsize) == p.uninstaller);
}

TEST_CASE_FIXTURE(Fixture, "empty texts, no shortcuts and absent images are read like any other")
{
    for (int32_t count : {0, -5}) {
        CAPTURE(count);
        PayloadFixture p;
        p.title = p.version = p.vendorkey = p.installdir = p.menufolder = "";
        p.images[4] = StoredBlockStream(MakeBmp(495, 60));
        p.archives[0] = Bytes(10, 1);
        ByteWriter w;
        w.Raw(Bytes(PAYLOAD_OFFSET, 0));
        for (int i = 0; i < 5; ++i) w.Counted("");
        w.U32(static_cast<uint32_t>(count));
        for (const Bytes& image : p.images) w.Blob(image);
        w.Blob(p.archives[0]).Blob({}).Blob({});

        CSetupInfo info;
        CHECK(Read(w.bytes(), info) == 1);
        CHECK(info.title[0] == '\0');
        CHECK(info.installdir[0] == '\0');
        CHECK(info.linkcount == count);
        for (int i = 0; i < 6; ++i) CHECK((info.images[i] != nullptr) == (i == 4));
        CHECK(info.zipsize[0] == 10);
        // An archive of size 0 still records where it would begin: right after its size field.
        CHECK(info.zipsize[1] == 0);
        CHECK(info.zippos[1] == info.zippos[0] + 10 + 4);
        CHECK(info.uninstpos == info.zippos[1] + 4);
    }
}

TEST_CASE_FIXTURE(Fixture, "an image may decode to exactly 1 MiB; one byte more fails the header from that image on")
{
    for (int extra : {0, 1}) {
        CAPTURE(extra);
        PayloadFixture p = FullPayload();
        p.images[2] = StoredBlockStream(Bytes(IMAGE_BUF_SIZE + extra, 0x42));
        CSetupInfo info;
        int result = Read(BuildInstaller(p), info);
        if (extra == 0) {
            CHECK(result == 1);
            REQUIRE(info.images[2] != nullptr);
            CHECK(info.images[2][IMAGE_BUF_SIZE - 1] == 0x42);
            CHECK(info.zipsize[0] == 1000);
        } else {
            CHECK(result == 0);
            CHECK(info.images[1] != nullptr);
            for (int i = 2; i < 6; ++i) CHECK(info.images[i] == nullptr);
            CHECK(info.zippos[0] == 0);
            CHECK(info.zipsize[0] == 0);
            CHECK(info.uninstsize == 0);
        }
    }
}

TEST_CASE_FIXTURE(Fixture, "a payload cut short leaves the later parts empty")
{
    PayloadFixture p = FullPayload();
    Bytes installer = BuildInstaller(p);

    SUBCASE("inside the menu folder text: that text keeps what was there")
    {
        size_t cut = PAYLOAD_OFFSET + 4 * 4 + p.title.size() + 3 + 8 + 7 + 4 + 2;
        installer.resize(cut);
        CSetupInfo info;
        CHECK(Read(installer, info) == 1);
        CHECK(std::string(info.installdir) == "C:\\Demo");
        CHECK(std::string(info.menufolder) == "De");
        CHECK(info.linkcount == 0);
        for (unsigned char* image : info.images) CHECK(image == nullptr);
        CHECK(info.zipsize[0] == 0);
        CHECK(info.uninstsize == 0);
    }
    SUBCASE("inside an image: that image fails the header")
    {
        installer.resize(PAYLOAD_OFFSET + 300);
        CSetupInfo info;
        CHECK(Read(installer, info) == 0);
        CHECK(info.linkcount == 2);
        CHECK(info.images[0] == nullptr);
    }
    SUBCASE("before the stub's end: nothing at all")
    {
        installer.resize(1000);
        CSetupInfo info;
        CHECK(Read(installer, info) == 1);
        CHECK(info.title[0] == '\0');
        CHECK(info.images[0] == nullptr);
    }
}

TEST_CASE("a stream that is not open yields empty texts and fails at the first image")
{
    CInFileStream in;
    CSetupInfo info;
    CHECK(info.ReadHeader(in) == 0);
    CHECK(info.title[0] == '\0');
    CHECK(info.linkcount == 0);
    CHECK(info.zipsize[0] == 0);
}

TEST_CASE_FIXTURE(Fixture, "texts and shortcut tables larger than their buffers are skipped, not overrun")
{
    SUBCASE("a 260-byte text is left empty and the rest of the header still lines up")
    {
        PayloadFixture p = FullPayload();
        p.vendorkey = std::string(260, 'v');
        CSetupInfo info;
        CHECK(Read(BuildInstaller(p), info) == 0);
        CHECK(info.vendorkey[0] == '\0');
        CHECK(std::string(info.installdir) == "C:\\Demo");
        CHECK(info.links[1].location == LinkProgramMenu);
        CHECK(info.images[5] != nullptr);
        CHECK(info.uninstsize == static_cast<int>(p.uninstaller.size()));
    }
    SUBCASE("a 259-byte text fits")
    {
        PayloadFixture p = FullPayload();
        p.vendorkey = std::string(259, 'v');
        CSetupInfo info;
        CHECK(Read(BuildInstaller(p), info) == 1);
        CHECK(std::strlen(info.vendorkey) == 259);
    }
    SUBCASE("nine shortcuts: eight kept, the ninth stepped over")
    {
        PayloadFixture p = FullPayload();
        p.links.clear();
        for (int i = 0; i < 9; ++i) p.links.push_back({"L" + std::to_string(i) + ".lnk", "t", "", i % 2});
        CSetupInfo info;
        CHECK(Read(BuildInstaller(p), info) == 0);
        CHECK(info.linkcount == MAX_LINKS);
        CHECK(std::string(info.links[7].name) == "L7.lnk");
        CHECK(info.images[5] != nullptr);
        CHECK(info.zipsize[1] == 17);
    }
}
