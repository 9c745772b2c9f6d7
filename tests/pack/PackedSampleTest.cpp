#include <doctest/doctest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "FileStream.h"
#include "LzUnpacker.h"
#include "SetupInfo.h"
#include "TestFiles.h"

// The sample product as packed by the host tool, read the way the installer
// reads its own file. Texts below are GBK, this tree's execution charset.

namespace {

std::string Env(const char* name)
{
    const char* value = getenv(name);
    REQUIRE_MESSAGE(value, name);
    return value;
}

uint32_t U32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }

}  // namespace

TEST_CASE("the installer's reader reads an installer built by setup-pack")
{
    std::string installer = Env("SETUP_SAMPLE_INSTALLER");
    CInFileStream in(installer.c_str());
    REQUIRE(in.IsOpen());
    REQUIRE(in.SeekFromStart(PAYLOAD_OFFSET));
    CSetupInfo info;
    REQUIRE(info.ReadHeader(in) == 1);

    CHECK(std::string(info.title) == "示例记事本");
    CHECK(std::string(info.version) == "1.2.0");
    CHECK(std::string(info.installdir) == "C:\\Program Files\\示例记事本");
    CHECK(std::string(info.menufolder) == "示例记事本");
    REQUIRE(info.linkcount == 3);
    CHECK(std::string(info.links[0].name) == "示例记事本.lnk");
    CHECK(std::string(info.links[0].target) == "文档\\使用说明.txt");
    CHECK(info.links[0].location == LinkDesktop);
    CHECK(std::string(info.links[2].target).empty());
    CHECK(info.links[2].location == LinkProgramMenu);

    for (int i = 0; i < IMAGE_COUNT; ++i) {
        CAPTURE(i);
        REQUIRE(info.images[i] != nullptr);
        CHECK(std::memcmp(info.images[i], "BM", 2) == 0);
        CHECK(U32(info.images[i] + 18) == (i < ImageBanner ? 438u : 495u));
        CHECK(U32(info.images[i] + 22) == (i < ImageBanner ? 155u : 60u));
        CHECK((info.images[i][28] | info.images[i][29] << 8) == 24);
    }

    Bytes file = ReadFileBytes(installer);
    for (int i = 0; i < ARCHIVE_COUNT; ++i) {
        CAPTURE(i);
        REQUIRE(info.zipsize[i] > 4);
        REQUIRE(static_cast<size_t>(info.zippos[i]) + info.zipsize[i] <= file.size());
        CHECK(std::memcmp(&file[info.zippos[i]], "PK\3\4", 4) == 0);
    }

    std::string folder = MakeTestFolder("packed-sample");
    std::string decoded = JoinPath(folder, "uninstaller.exe");
    REQUIRE(in.SeekFromStart(info.uninstpos));
    {
        COutFileStream out(decoded.c_str());
        CLzUnpacker unpacker;
        CHECK(unpacker.UnpackStream(in, out, info.uninstsize) > 0);
    }
    CHECK(ReadFileBytes(decoded) == ReadFileBytes(Env("SETUP_SAMPLE_UNINSTALLER")));
}
