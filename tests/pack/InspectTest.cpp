#include <doctest/doctest.h>

#include <algorithm>
#include <functional>
#include <random>

#include "Inspect.h"
#include "PackError.h"
#include "PackFixture.h"

namespace {

PayloadFixture SoundPayload()
{
    PayloadFixture p;
    p.links = {{"App.lnk", "app.exe", "", 0}};
    for (int i = 0; i < 6; ++i) p.images[i] = StoredBlockStream(MakeBmp(i < 4 ? 438 : 495, i < 4 ? 155 : 60, i));
    p.uninstaller = StoredBlockStream(Bytes(3000, 0x90));
    return p;
}

struct Damage {
    const char* what;
    std::function<Bytes()> installer;
    const char* message;
};

Bytes Cut(Bytes file, size_t size)
{
    file.resize(size);
    return file;
}

const Damage kDamage[] = {
    {"a file that ends before the payload", [] { return Bytes(PAYLOAD_OFFSET, 0); }, "too short to hold a payload"},
    {"a header cut inside the shortcut table",
     [] { return Cut(BuildInstaller(SoundPayload()), PAYLOAD_OFFSET + 60); },
     "runs past the end of the file in the shortcut 0"},
    {"a header cut inside an archive",
     [] {
         PayloadFixture p = SoundPayload();
         p.archives[1] = Bytes(500, 'A');
         Bytes file = BuildInstaller(p);
         return Cut(file, file.size() - 3000 - 4 - 4 - 100);
     },
     "runs past the end of the file in the second archive"},
    {"more shortcuts than the installer holds",
     [] {
         PayloadFixture p = SoundPayload();
         p.links.assign(9, {"a.lnk", "", "", 0});
         return BuildInstaller(p);
     },
     "9 shortcuts"},
    {"an image whose block stream starts with a match",
     [] {
         PayloadFixture p = SoundPayload();
         p.images[ImageStep2Art] = {0x05, 0x00, 0x02, 0x00, 0xFF, 0xFF};
         return BuildInstaller(p);
     },
     "image 1 (step2): damaged block stream"},
    {"an uninstaller whose blocks overrun its size",
     [] {
         PayloadFixture p = SoundPayload();
         p.uninstaller.resize(p.uninstaller.size() - 1);
         return BuildInstaller(p);
     },
     "uninstaller: damaged block stream"},
    {"an archive that is no ZIP",
     [] {
         PayloadFixture p = SoundPayload();
         p.archives[0] = Bytes(100, 'Z');
         return BuildInstaller(p);
     },
     "first archive: not a readable ZIP"},
};

}  // namespace

TEST_CASE("inspect names the part of a damaged installer")
{
    std::string folder = MakeTestFolder("pack-inspect-damage");
    std::string path = JoinPath(folder, "setup.exe");
    WriteFileBytes(path, BuildInstaller(SoundPayload()));
    CHECK_NOTHROW(ReadInstaller(path, false));

    for (const Damage& damage : kDamage) {
        CAPTURE(damage.what);
        WriteFileBytes(path, damage.installer());
        try {
            ReadInstaller(path, false);
            FAIL("read anyway");
        } catch (const PackError& e) {
            CHECK_MESSAGE(std::string(e.what()).find(damage.message) != std::string::npos, e.what());
        }
        std::string errors;
        CHECK(RunPack("inspect '" + path + "'", &errors) != 0);
        CHECK(errors.find(damage.message) != std::string::npos);
    }
}

TEST_CASE("--verify finds an archive entry whose bytes no longer match its CRC-32")
{
    PackFixture f("pack-verify");
    std::mt19937 random(7);
    std::string data(5000, 'x');
    for (char& c : data) c = static_cast<char>(random());  // random bytes are stored, not deflated
    f.WriteText("product/文档/子目录/深.txt", data);
    BuildInstaller(f.Options());
    std::string installer = f.Path("out/setup.exe");
    CHECK(ReadInstaller(installer, true).verified);

    Bytes file = ReadFileBytes(installer);
    Bytes piece(data.begin() + 1000, data.begin() + 1100);
    auto at = std::search(file.begin(), file.end(), piece.begin(), piece.end());
    REQUIRE(at != file.end());
    *at ^= 0x01;
    WriteFileBytes(installer, file);
    CHECK_NOTHROW(ReadInstaller(installer, false));
    CHECK_THROWS_WITH_AS(ReadInstaller(installer, true), doctest::Contains("CRC-32"), PackError);
}

TEST_CASE("inspect --json prints one JSON object with the texts in UTF-8")
{
    PackFixture f("pack-json");
    BuildInstaller(f.Options());
    std::string json;
    REQUIRE(RunPack("inspect --json '" + f.Path("out/setup.exe") + "'", nullptr, &json) == 0);
    f.WriteText("out/report.json", json);
    std::string check = "import json,sys; d=json.load(open(sys.argv[1])); "
                        "print(d['title'], len(d['archives'][0]['entries']), d['shortcuts'][2]['location_code'], "
                        "d['execution_level'], d['manifest_level'])";
    FILE* pipe = popen(("python3 -c \"" + check + "\" '" + f.Path("out/report.json") + "'").c_str(), "r");
    REQUIRE(pipe);
    char line[256] = "";
    CHECK(fgets(line, sizeof line, pipe) != nullptr);
    CHECK(pclose(pipe) == 0);
    CHECK(std::string(line) == "测试软件 4 7 none None\n");
}
