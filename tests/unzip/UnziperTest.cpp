// CUnziper's operations on well-formed archives: layout on disk, output
// folders, entry information, positioning, closed archives and file times.

#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <random>

#include "UnzipFixture.h"
#include "Unziper.h"
#include "WriteProtection.h"

namespace {

const std::string kBigText = SampleText(50000);

std::vector<ZipEntry> FolderAndFiles()
{
    return {{"a/", ""}, {"a/b.txt", kBigText, 8}, {"c.txt", "see"}};
}

std::string EntryName(CUnziper& unziper)
{
    UnzipEntryInfo info;
    if (!unziper.GetEntryInfo(&info)) return "<no entry>";
    return info.filename;
}

SYSTEMTIME LocalTimeOf(const FILETIME& utc)
{
    FILETIME local;
    SYSTEMTIME time;
    REQUIRE(FileTimeToLocalFileTime(&utc, &local));
    REQUIRE(FileTimeToSystemTime(&local, &time));
    return time;
}

}  // namespace

TEST_CASE("entries land below the folder with their stored paths, or flattened")
{
    struct Case {
        const char* title;
        int flatten;
        const char* folderEnd;
        std::vector<std::string> tree;
        const char* bigFile;
    };
    const Case cases[] = {
        {"stored paths", 0, "", {"a\\", "a\\b.txt", "c.txt"}, "a\\b.txt"},
        {"flattened", 1, "", {"b.txt", "c.txt"}, "b.txt"},
        {"folder given with a trailing backslash", 0, "\\", {"a\\", "a\\b.txt", "c.txt"}, "a\\b.txt"},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        UnzipFixture fixture("unzip-layout");
        CUnziper unziper(fixture.Archive(FolderAndFiles()).c_str());
        std::string out = JoinPath(fixture.folder, "Out");
        std::string given = out + c.folderEnd;
        REQUIRE(unziper.GetEntryCount() == 3);

        // The folder entry makes the output folder but nothing of its own.
        CHECK(unziper.UnzipFile(0, given.c_str(), c.flatten));
        CHECK(ListTree(out).empty());
        CHECK(PathExists(out));
        CHECK(unziper.UnzipFile(1, given.c_str(), c.flatten));
        CHECK(unziper.UnzipFile(2, given.c_str(), c.flatten));
        CHECK(ListTree(out) == c.tree);
        CHECK(ReadText(JoinPath(out, c.bigFile)) == kBigText);
        CHECK(ReadText(JoinPath(out, "c.txt")) == "see");
    }
}

TEST_CASE("the output folder defaults to the archive's path without its extension")
{
    UnzipFixture fixture("unzip-output-folder");
    CUnziper unziper(fixture.Archive(FolderAndFiles(), "tmp1.zip").c_str());
    CHECK(unziper.UnzipFile(2, nullptr, 0));
    CHECK(PathExists(JoinPath(fixture.folder, "tmp1\\c.txt")));

    SUBCASE("a file given as output folder is refused and the earlier folder stays in use")
    {
        std::string file = JoinPath(fixture.folder, "a file");
        WriteFileBytes(file, Bytes{1});
        CHECK_FALSE(unziper.SetOutputFolder(file.c_str()));
        CHECK(unziper.UnzipFile(1, nullptr, 0));
        CHECK(PathExists(JoinPath(fixture.folder, "tmp1\\a\\b.txt")));
    }
    SUBCASE("a missing output folder is made with its parents")
    {
        std::string out = JoinPath(fixture.folder, "x\\y");
        CHECK(unziper.SetOutputFolder(out.c_str()));
        CHECK(PathExists(out));
        CHECK(unziper.UnzipFile(2, nullptr, 0));
        CHECK(PathExists(JoinPath(out, "c.txt")));
    }
}

TEST_CASE("entry information and moves by extension")
{
    UnzipFixture fixture("unzip-info");
    const std::string longName(300, 'n');
    CUnziper unziper(fixture.Archive({ZipEntry("Docs/Read Me.TXT", "first").Commented("a comment"),
                                      {"dir.old/readme", "second"},
                                      ZipEntry("b.txt", kBigText, 8).Dated(0x12345678).Commented(std::string(300, 'c')),
                                      {longName, "x"},
                                      {"a/\xC4\xBF\x95\x5C", "x"}})  // ends in 昞, 0x95 0x5C
                         .c_str());

    UnzipEntryInfo info;
    REQUIRE(unziper.GotoEntry(0));
    REQUIRE(unziper.GetEntryInfo(&info));
    CHECK(std::string(info.filename) == "Docs\\Read Me.TXT");
    CHECK(std::string(info.comment) == "a comment");
    CHECK(info.dosdatetime == kSampleDosTime);
    CHECK(info.method == 0);
    CHECK(info.crc == 0x9271ee57);  // CRC-32 of "first"
    CHECK(info.compressedsize == 5);
    CHECK(info.uncompressedsize == 5);
    CHECK(info.versionmadeby == 20);
    CHECK(info.versionneeded == 20);
    CHECK_FALSE(info.isfolder);

    REQUIRE(unziper.GotoEntry(2));
    REQUIRE(unziper.GetEntryInfo(&info));
    CHECK(info.method == 8);
    CHECK(info.dosdatetime == 0x12345678);
    CHECK(info.uncompressedsize == kBigText.size());
    CHECK(info.compressedsize < info.uncompressedsize);
    CHECK(std::string(info.comment) == std::string(255, 'c'));

    REQUIRE(unziper.GotoEntry(3));
    REQUIRE(unziper.GetEntryInfo(&info));
    CHECK(std::string(info.filename) == longName.substr(0, 260));

    // Byte by byte, as the folder test reads names, the last byte is a backslash.
    REQUIRE(unziper.GotoEntry(4));
    REQUIRE(unziper.GetEntryInfo(&info));
    CHECK(info.isfolder);

    struct Move {
        const char* ext;
        const char* first;  // null: no entry has the extension
        const char* second;
    };
    const Move moves[] = {
        {"txt", "Docs\\Read Me.TXT", "b.txt"},
        {"old\\readme", "dir.old\\readme", nullptr},
        {".txt", nullptr, nullptr},
        {"", "Docs\\Read Me.TXT", "dir.old\\readme"},
    };
    for (const Move& m : moves) {
        INFO(std::string(m.ext));
        REQUIRE(unziper.GotoFirstEntry(m.ext) == (m.first != nullptr));
        if (!m.first) continue;
        CHECK(EntryName(unziper) == m.first);
        REQUIRE(unziper.GotoNextEntry(m.ext) == (m.second != nullptr));
        if (m.second) CHECK(EntryName(unziper) == m.second);
    }
    CHECK(unziper.GotoFirstEntry(nullptr));
    CHECK(EntryName(unziper) == "Docs\\Read Me.TXT");
}

TEST_CASE("GotoEntry reaches the same entry in any order and after any other move")
{
    UnzipFixture fixture("unzip-goto");
    const int count = 40;
    std::vector<ZipEntry> entries;
    for (int i = 0; i < count; ++i) entries.push_back({"f" + std::to_string(i) + (i % 7 == 3 ? ".dat" : ".txt"), "x"});
    CUnziper unziper(fixture.Archive(entries).c_str());
    REQUIRE(unziper.GetEntryCount() == count);

    std::vector<int> order;
    for (int i = 0; i < count; ++i) order.push_back(i);
    for (int i = count - 1; i >= 0; --i) order.push_back(i);
    std::vector<int> shuffled(order.begin(), order.begin() + count);
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
    order.insert(order.end(), shuffled.begin(), shuffled.end());
    order.insert(order.end(), {5, 5, 6, 8, 0, 39, 39});
    for (int index : order) {
        CAPTURE(index);
        REQUIRE(unziper.GotoEntry(index));
        CHECK(EntryName(unziper) == entries[index].name);
    }

    SUBCASE("indexes outside the archive fail")
    {
        for (int index : {-1, count, INT_MAX, INT_MIN}) {
            CAPTURE(index);
            CHECK_FALSE(unziper.GotoEntry(index));
            CHECK_FALSE(unziper.UnzipFile(index, fixture.folder.c_str(), 0));
        }
        CHECK(ListTree(fixture.folder) == std::vector<std::string>{"in.zip"});
    }
    SUBCASE("the next index after moves of the other operations")
    {
        REQUIRE(unziper.GotoEntry(5));
        REQUIRE(unziper.GotoNextEntry(nullptr));
        REQUIRE(unziper.GotoEntry(7));
        CHECK(EntryName(unziper) == "f7.txt");
        REQUIRE(unziper.GotoFirstEntry("dat"));
        REQUIRE(unziper.GotoNextEntry("dat"));
        CHECK(EntryName(unziper) == "f10.dat");
        REQUIRE(unziper.GotoEntry(11));
        CHECK(EntryName(unziper) == "f11.txt");
        REQUIRE(unziper.GotoEntry(count - 1));
        CHECK_FALSE(unziper.GotoNextEntry(nullptr));
        REQUIRE(unziper.GotoEntry(0));
        CHECK(EntryName(unziper) == "f0.txt");
    }
    SUBCASE("extracting every entry in order")
    {
        std::string out = JoinPath(fixture.folder, "out");
        for (int i = 0; i < count; ++i) REQUIRE(unziper.UnzipFile(i, out.c_str(), 0));
        CHECK(ListTree(out).size() == static_cast<size_t>(count));
    }
}

TEST_CASE("an archive without entries has no entry 0")
{
    // minizip does not find an end record at the very start of the file, so
    // the bare 22-byte archive does not open; behind other bytes it does.
    struct Case {
        const char* title;
        std::string bytes;
        bool opens;
    };
    const Case cases[] = {
        {"bare end record", BuildZip({}), false},
        {"behind a stub", "stub" + BuildZip({}), true},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        UnzipFixture fixture("unzip-empty");
        std::string path = JoinPath(fixture.folder, "empty.zip");
        WriteFileBytes(path, Bytes(c.bytes.begin(), c.bytes.end()));
        CUnziper unziper(path.c_str());
        CHECK(unziper.GetEntryCount() == 0);
        CHECK_FALSE(unziper.GotoEntry(0));
        CHECK(unziper.Close() == c.opens);
    }
}

TEST_CASE("a closed archive answers every operation with failure")
{
    UnzipFixture fixture("unzip-closed");
    std::string text = JoinPath(fixture.folder, "notes.zip");
    WriteFileBytes(text, Bytes(100, 'z'));
    std::string archive = fixture.Archive(FolderAndFiles());
    std::string out = JoinPath(fixture.folder, "out");
    struct Case {
        const char* title;
        const char* path;
        bool closeFirst;
    };
    const Case cases[] = {
        {"missing file", "no-such.zip", false},
        {"not a ZIP archive", text.c_str(), false},
        {"no path", nullptr, false},
        {"closed by Close", archive.c_str(), true},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        CUnziper unziper(c.path);
        if (c.closeFirst) {
            CHECK(unziper.Close());
            CHECK(DeleteFileA(archive.c_str()));  // the file is released
        }
        CHECK(unziper.GetEntryCount() == 0);
        CHECK_FALSE(unziper.GotoEntry(0));
        CHECK_FALSE(unziper.GotoFirstEntry(nullptr));
        CHECK_FALSE(unziper.GotoNextEntry(nullptr));
        UnzipEntryInfo info;
        std::memset(&info, 0xAB, sizeof info);
        CHECK_FALSE(unziper.GetEntryInfo(&info));
        CHECK(static_cast<unsigned char>(info.filename[0]) == 0xAB);
        CHECK_FALSE(unziper.UnzipFile(0, out.c_str(), 0));
        CHECK_FALSE(unziper.UnzipCurrentFile(out.c_str(), 0));
        CHECK_FALSE(PathExists(out));
        CHECK_FALSE(unziper.Close());
    }
}

TEST_CASE("an extracted file carries the stored date and keeps its last access time")
{
    UnzipFixture fixture("unzip-times");
    CUnziper unziper(fixture.Archive({{"c.txt", "see"}}).c_str());
    std::string out = JoinPath(fixture.folder, "out");
    REQUIRE(unziper.UnzipFile(0, out.c_str(), 0));

    std::string path = JoinPath(out, "c.txt");
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    FILETIME created, accessed, written;
    REQUIRE(GetFileTime(file, &created, &accessed, &written));
    CloseHandle(file);
    for (const FILETIME& time : {created, written}) {
        SYSTEMTIME local = LocalTimeOf(time);
        CHECK(local.wYear == 2010);
        CHECK(local.wMonth == 5);
        CHECK(local.wDay == 17);
        CHECK(local.wHour == 14);
        CHECK(local.wMinute == 30);
        CHECK(local.wSecond == 22);
    }
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER accessedAt{{accessed.dwLowDateTime, accessed.dwHighDateTime}};
    ULARGE_INTEGER nowAt{{now.dwLowDateTime, now.dwHighDateTime}};
    const unsigned long long hour = 36000000000ULL;
    CHECK(accessedAt.QuadPart + hour > nowAt.QuadPart);

    SUBCASE("a time that cannot be applied leaves the extraction successful")
    {
        CHECK_FALSE(CUnziper::ApplyDosTime(JoinPath(out, "missing").c_str(), kSampleDosTime));
        CUnziper undated(fixture.Archive({ZipEntry("d.txt", "day 0").Dated(0)}, "undated.zip").c_str());
        CHECK(undated.UnzipFile(0, out.c_str(), 0));
        CHECK(ReadText(JoinPath(out, "d.txt")) == "day 0");
    }
}

TEST_CASE("an existing output file is replaced unless it cannot be written")
{
    UnzipFixture fixture("unzip-existing");
    CUnziper unziper(fixture.Archive({{"c.txt", "new"}}).c_str());
    std::string path = JoinPath(fixture.folder, "c.txt");
    WriteFileBytes(path, Bytes(1000, 'o'));
    CHECK(unziper.UnzipFile(0, fixture.folder.c_str(), 0));
    CHECK(ReadText(path) == "new");

    SUBCASE("held open by another program")
    {
        HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        REQUIRE(holder != INVALID_HANDLE_VALUE);
        CHECK_FALSE(unziper.UnzipFile(0, fixture.folder.c_str(), 0));
        CloseHandle(holder);
    }
    SUBCASE("read-only")
    {
        if (!ReadOnlyFilesRefuseWriting(fixture.folder)) {
            MESSAGE("this system writes read-only files (Wine as root): not checked");
            return;
        }
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
        CHECK_FALSE(unziper.UnzipFile(0, fixture.folder.c_str(), 0));
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    CHECK(ReadText(path) == "new");
}

TEST_CASE("a double-byte character whose second byte is 0x5C is no backslash, except at the end of a name")
{
    const std::string mu = "\xC4\xBF\x95\x5C";  // 目昞 in GBK; 昞 is 0x95 0x5C
    struct Case {
        const char* title;
        std::string folderEnd;
        std::string name;
        int flatten;
        std::vector<std::string> tree;  // below the output folder
    };
    const Case cases[] = {
        {"in a stored folder", "", mu + "/b.txt", 0, {mu + "\\", mu + "\\b.txt"}},
        {"in a file name, flattened", "", "a/" + mu + ".txt", 1, {mu + ".txt"}},
        {"at the end of the output folder", mu, "c.txt", 0, {"c.txt"}},
        {"at the end of a name: a folder entry, not written", "", mu, 0, {}},
    };
    for (const Case& c : cases) {
        INFO(std::string(c.title));
        UnzipFixture fixture("unzip-dbcs");
        CUnziper unziper(fixture.Archive({{c.name, "text"}}).c_str());
        std::string out = JoinPath(fixture.folder, "out" + c.folderEnd);
        CHECK(unziper.UnzipFile(0, out.c_str(), c.flatten));
        CHECK(ListTree(out) == c.tree);
        std::vector<std::string> besideOut = {"in.zip", "out" + c.folderEnd + "\\"};
        for (const std::string& path : c.tree) besideOut.push_back("out" + c.folderEnd + "\\" + path);
        CHECK(ListTree(fixture.folder) == besideOut);
    }
}
