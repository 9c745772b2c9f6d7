// The archive stage: both archives copied out, every entry extracted in
// order with its progress position, the copies deleted; and what stops it.
#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>

#include "EngineHarness.h"

namespace {

// Archive slots: a fixture archive by name, or "" for a slot of size 0.
Bytes Slot(const std::string& zip) { return zip.empty() ? Bytes() : FixtureBytes("zips\\" + zip); }

PayloadFixture ArchivePayload(const std::string& first, const std::string& second)
{
    PayloadFixture p;
    p.archives[0] = Slot(first);
    p.archives[1] = Slot(second);
    p.uninstaller = FixtureBytes("uninstaller.lz");
    return p;
}

std::vector<std::string> CountLines(const std::vector<std::string>& log)
{
    std::vector<std::string> lines;
    for (const std::string& line : log)
        if (line.rfind("count", 0) == 0) lines.push_back(line);
    return lines;
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

void CheckNoTemporaryArchives(const EngineFixture& f)
{
    CHECK_FALSE(PathExists(f.Installed("tmp1.zip")));
    CHECK_FALSE(PathExists(f.Installed("tmp2.zip")));
}

}  // namespace

TEST_CASE("every entry of both archives is extracted, and the bar reaches 100")
{
    struct Case {
        std::string first, second;
        std::vector<int> positions;
        std::vector<std::string> countLines;
        std::vector<std::string> files;
    };
    const Case cases[] = {
        {"three.zip", "one.zip", {25, 50, 75, 100},
         {"count0_Setpos(0/3)", "count0_Setpos(1/3)", "count0_Setpos(2/3)", "count1_Setpos(0/1)"},
         {"docs\\a.txt", "b.txt", "c.txt"}},
        {"two.zip", "one.zip", {33, 66, 100}, {"count0_Setpos(0/2)", "count0_Setpos(1/2)", "count1_Setpos(0/1)"},
         {"d.txt", "e.txt", "c.txt"}},
        {"", "two.zip", {50, 100}, {"count1_Setpos(0/2)", "count1_Setpos(1/2)"}, {"d.txt", "e.txt"}},
        // Nothing to extract: the bar is still set to 100, so that the
        // progress page can report the success.
        {"", "", {100}, {}, {}},
    };
    for (const Case& c : cases) {
        CAPTURE(c.first);
        CAPTURE(c.second);
        EngineFixture f("engine-archives");
        f.Prepare(ArchivePayload(c.first, c.second));
        InstallRun run = f.Install();
        CHECK(run.result == 1);
        CHECK(run.positions == c.positions);
        std::vector<std::string> log = f.Log();
        CHECK(CountLines(log) == c.countLines);
        CHECK(log.front() == "ExtraFileFromInfo begin");
        CHECK(log.back() == "ExtraFileFromInfo end");
        for (const std::string& file : c.files) CHECK_MESSAGE(PathExists(f.Installed(file)), file);
        CheckNoTemporaryArchives(f);
    }
}

TEST_CASE("entries keep their stored folders, contents and times")
{
    EngineFixture f("engine-entries");
    f.Prepare(ArchivePayload("three.zip", ""));
    REQUIRE(f.Install().result == 1);
    Bytes alpha;
    for (int i = 0; i < 50; ++i) alpha.insert(alpha.end(), {'a', 'l', 'p', 'h', 'a', '\r', '\n'});
    CHECK(ReadFileBytes(f.Installed("docs\\a.txt")) == alpha);
    CHECK(ReadFileBytes(f.Installed("b.txt")) == Bytes{'b', 'r', 'a', 'v', 'o'});

    HANDLE file = CreateFileA(f.Installed("b.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    FILETIME written, local;
    SYSTEMTIME time;
    REQUIRE(GetFileTime(file, nullptr, nullptr, &written));
    CloseHandle(file);
    FileTimeToLocalFileTime(&written, &local);
    FileTimeToSystemTime(&local, &time);
    CHECK(time.wYear == 2010);
    CHECK(time.wMonth == 1);
    CHECK(time.wDay == 17);
    CHECK(time.wHour == 14);
    CHECK(time.wMinute == 30);
    CHECK(time.wSecond == 22);
}

TEST_CASE("an install folder given with its trailing backslash gets single-backslash paths")
{
    EngineFixture f("engine-trailing");
    f.Prepare(ArchivePayload("one.zip", "two.zip"), JoinPath(f.folder, "产品") + "\\");
    InstallRun run = f.Install();
    CHECK(run.result == 1);
    CHECK(PathExists(JoinPath(f.folder, "产品\\c.txt")));
    CHECK(PathExists(JoinPath(f.folder, "产品\\卸载.exe")));
    CheckNoTemporaryArchives(f);
}

TEST_CASE("a failed archive stops the install, with a trace line and no copies left")
{
    EngineFixture f("engine-archive-failures");

    SUBCASE("an entry of the second archive that cannot be extracted")
    {
        f.Prepare(ArchivePayload("three.zip", "damaged.zip"));
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        CHECK(Contains(f.Log(), "unziper1 UnzipFile Failed"));
        CHECK(run.positions == std::vector<int>{16, 33, 50, 66, 83});
        CHECK(PathExists(f.Installed("b.txt")));
        CHECK(PathExists(f.Installed("f0.txt")));
        CHECK(PathExists(f.Installed("f1.txt")));
    }
    SUBCASE("a non-empty archive that is no ZIP archive")
    {
        f.Prepare(ArchivePayload("garbage.zip", "one.zip"));
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        CHECK(Contains(f.Log(), "unziper0 open Failed"));
        CHECK(run.positions.empty());
        CHECK_FALSE(PathExists(f.Installed("c.txt")));
    }
    SUBCASE("an installer that ends inside an archive")
    {
        f.Prepare(ArchivePayload("one.zip", "three.zip"));
        Bytes installer = ReadFileBytes(f.installer);
        installer.resize(f.app.info.zippos[1] + 100);
        WriteFileBytes(f.installer, installer);
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        CHECK(Contains(f.Log(), "archive1 read Failed(0/309)"));
        CHECK_FALSE(PathExists(f.Installed("c.txt")));
    }
    SUBCASE("a temporary archive that cannot be written")
    {
        // Given with a trailing backslash, which the line shows is not doubled.
        std::string installdir = JoinPath(f.folder, "产品\\");
        f.Prepare(ArchivePayload("one.zip", "two.zip"), installdir);
        REQUIRE(CreateDirectoryA((installdir + "tmp2.zip").c_str(), nullptr));
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        CHECK(Contains(f.Log(), "archive1 can't open " + installdir + "tmp2.zip"));
        CHECK_FALSE(PathExists(f.Installed("tmp1.zip")));
        RemoveDirectoryA(f.Installed("tmp2.zip").c_str());
    }
    SUBCASE("an install folder whose temporary paths would not fit a path buffer")
    {
        // Its log would not fit either, so only the outcome can be seen.
        std::string longFolder = JoinPath(f.folder, std::string(259 - f.folder.size() - 1 - 4, 'd'));
        f.Prepare(ArchivePayload("one.zip", ""), longFolder);
        REQUIRE(PathExists(longFolder));
        InstallRun run = f.Install();
        CHECK(run.result == 0);
        CHECK_MESSAGE(RemoveDirectoryA(longFolder.c_str()), "the install folder is empty");
    }
    CHECK_FALSE(PathExists(f.Installed("卸载.exe")));
    CheckNoTemporaryArchives(f);
}

TEST_CASE("an install folder that names a file stops the install at once")
{
    EngineFixture f("engine-folder-is-file");
    std::string installdir = JoinPath(f.folder, "产品");
    f.Prepare(ArchivePayload("one.zip", ""), installdir);
    REQUIRE(RemoveDirectoryA(installdir.c_str()));
    WriteFileBytes(installdir, Bytes{'x'});
    InstallRun run = f.Install();
    CHECK(run.result == 0);
    CHECK(run.positions.empty());
    CHECK_FALSE(PathExists(JoinPath(f.folder, "tmp1.zip")));
    CHECK(ReadFileBytes(installdir) == Bytes{'x'});
}
