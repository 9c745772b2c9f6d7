#include <doctest/doctest.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <ctime>
#include <string>
#include <thread>
#include <vector>

#include "InstallLog.h"
#include "LogClock.h"
#include "SetupApp.h"
#include "TestFiles.h"
#include "WriteProtection.h"

namespace {

LogTime g_now;

bool TestClock(LogTime* now)
{
    *now = g_now;
    return true;
}

void SetTestTime(int year, int month, int day, int hour, int minute, int second, int milliseconds)
{
    std::memset(&g_now, 0, sizeof g_now);
    g_now.local.tm_year = year - 1900;
    g_now.local.tm_mon = month - 1;
    g_now.local.tm_mday = day;
    g_now.local.tm_hour = hour;
    g_now.local.tm_min = minute;
    g_now.local.tm_sec = second;
    g_now.milliseconds = milliseconds;
}

// The application object whose install folder the log follows, with the
// test's clock at 2024-03-07 09:05:03.042.
struct LogFixture {
    LogFixture() : folder(MakeTestFolder("install-log"))
    {
        SetFolder(folder);
        SetTestTime(2024, 3, 7, 9, 5, 3, 42);
        SetLogClock(TestClock);
    }
    ~LogFixture() { SetLogClock(nullptr); }

    void SetFolder(const std::string& path)
    {
        REQUIRE(path.size() < sizeof app.info.installdir);
        std::strcpy(app.info.installdir, path.c_str());
    }
    std::string LogPath(const char* date = "20240307") const
    {
        return JoinPath(folder, std::string("install") + date + ".log");
    }
    std::string Read(const char* date = "20240307") const
    {
        Bytes bytes = ReadFileBytes(LogPath(date));
        return std::string(bytes.begin(), bytes.end());
    }

    CSetupApp app;
    std::string folder;
};

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0, end;
    while ((end = text.find("\r\n", start)) != std::string::npos) {
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

TEST_CASE("lines are appended to the day's file byte for byte")
{
    LogFixture log;
    WriteFileBytes(log.LogPath(), Bytes{'e', 'a', 'r', 'l', 'i', 'e', 'r', '\r', '\n'});
    InstallLog("Prop3 Next begin");
    InstallLog("");
    InstallLog("%s %d %n 100%");
    SetTestTime(2024, 3, 7, 23, 0, 9, 999);
    InstallLog("\xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6");  // 安装成功 in GBK
    CHECK(log.Read() ==
          "earlier\r\n"
          "09:05:03:0042  Prop3 Next begin\r\n"
          "09:05:03:0042  \r\n"
          "09:05:03:0042  %s %d %n 100%\r\n"
          "23:00:09:0999  \xB0\xB2\xD7\xB0\xB3\xC9\xB9\xA6\r\n");
}

TEST_CASE("a line over 2,559 bytes is cut to its first 2,559")
{
    const size_t stamp = std::strlen("09:05:03:0042  ");
    struct Case {
        size_t messageSize;
        const char* ending;
    };
    const Case cases[] = {{2559 - stamp - 2, "x\r\n"}, {2559 - stamp - 1, "x\r"}, {2559 - stamp, "xx"}, {5000, "xx"}};
    for (const Case& c : cases) {
        CAPTURE(c.messageSize);
        LogFixture log;
        InstallLog(std::string(c.messageSize, 'x').c_str());
        std::string line = log.Read();
        CHECK(line.size() == std::min<size_t>(2559, stamp + c.messageSize + 2));
        CHECK(line.compare(0, stamp, "09:05:03:0042  ") == 0);
        CHECK(line.substr(line.size() - std::strlen(c.ending)) == c.ending);
    }
}

TEST_CASE("each line goes to the file of its own date across midnight")
{
    LogFixture log;
    SetTestTime(2024, 3, 7, 23, 59, 59, 999);
    InstallLog("before");
    SetTestTime(2024, 3, 8, 0, 0, 0, 0);
    InstallLog("after");
    CHECK(log.Read("20240307") == "23:59:59:0999  before\r\n");
    CHECK(log.Read("20240308") == "00:00:00:0000  after\r\n");
}

TEST_CASE("a line that cannot be written is dropped and the caller goes on")
{
    LogFixture log;
    char root[MAX_PATH];
    REQUIRE(GetFullPathNameA("\\install20240307.log", MAX_PATH, root, nullptr) > 0);
    REQUIRE_FALSE(PathExists(root));

    SUBCASE("the install folder does not exist")
    {
        std::string missing = JoinPath(log.folder, "missing");
        log.SetFolder(missing);
        InstallLog("lost");
        CHECK_FALSE(PathExists(missing));
    }
    SUBCASE("no install folder: nothing at the drive's root")
    {
        log.SetFolder("");
        InstallLog("lost");
        CHECK_FALSE(PathExists(root));
    }
    SUBCASE("the path does not fit a path buffer")
    {
        std::string deep = JoinPath(log.folder, std::string(250 - log.folder.size(), 'd'));
        REQUIRE(CreateDirectoryA(deep.c_str(), nullptr));
        log.SetFolder(deep);
        InstallLog("lost");
        CHECK_FALSE(PathExists(JoinPath(deep, "install20240307.log")));
    }
    SUBCASE("the file is held open by a handle that does not share writing")
    {
        InstallLog("kept");
        HANDLE holder = CreateFileA(log.LogPath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                    nullptr);
        REQUIRE(holder != INVALID_HANDLE_VALUE);
        InstallLog("lost");
        CloseHandle(holder);
        CHECK(log.Read() == "09:05:03:0042  kept\r\n");
    }
    SUBCASE("the file is read-only")
    {
        if (!ReadOnlyFilesRefuseWriting(log.folder)) {
            MESSAGE("this system writes read-only files (Wine as root): not checked");
            return;
        }
        InstallLog("kept");
        SetFileAttributesA(log.LogPath().c_str(), FILE_ATTRIBUTE_READONLY);
        InstallLog("lost");
        SetFileAttributesA(log.LogPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        CHECK(log.Read() == "09:05:03:0042  kept\r\n");
    }
    SUBCASE("the clock cannot be read")
    {
        SetLogClock([](LogTime*) { return false; });
        InstallLog("lost");
        CHECK_FALSE(PathExists(log.LogPath()));
    }
}

TEST_CASE("another handle that shares reading and writing does not stop appending")
{
    LogFixture log;
    InstallLog("one");
    HANDLE other = CreateFileA(log.LogPath().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    REQUIRE(other != INVALID_HANDLE_VALUE);
    InstallLog("two");
    CloseHandle(other);
    CHECK(log.Read() == "09:05:03:0042  one\r\n09:05:03:0042  two\r\n");
}

TEST_CASE("lines of two threads writing at once all arrive whole")
{
    LogFixture log;
    const int perThread = 1000;
    std::atomic<int> ready{0};
    auto writeLines = [&](char thread) {
        ++ready;
        while (ready < 2) std::this_thread::yield();
        for (int i = 0; i < perThread; ++i)
            InstallLog((std::string(1, thread) + std::to_string(i) + std::string(100, thread)).c_str());
    };
    std::thread ui(writeLines, 'u');
    std::thread worker(writeLines, 'w');
    ui.join();
    worker.join();

    std::vector<std::string> expected;
    for (char thread : {'u', 'w'})
        for (int i = 0; i < perThread; ++i)
            expected.push_back("09:05:03:0042  " + std::string(1, thread) + std::to_string(i) + std::string(100, thread));
    std::vector<std::string> lines = SplitLines(log.Read());
    std::sort(expected.begin(), expected.end());
    std::sort(lines.begin(), lines.end());
    CHECK(lines == expected);
}

TEST_CASE("the system's clocks date the file and stamp the line")
{
    LogFixture log;
    SetLogClock(nullptr);
    auto today = [] {
        time_t now = time(nullptr);
        char date[16];
        std::strftime(date, sizeof date, "%Y%m%d", std::localtime(&now));
        return std::string(date);
    };
    std::string before = today();
    InstallLog("now");
    std::string after = today();
    std::string date = PathExists(log.LogPath(before.c_str())) ? before : after;
    std::string line = log.Read(date.c_str());
    REQUIRE(line.size() == std::strlen("hh:mm:ss:0mmm  now\r\n"));
    for (size_t digit : {0, 1, 3, 4, 6, 7, 10, 11, 12}) CHECK(std::isdigit(static_cast<unsigned char>(line[digit])));
    CHECK(line.substr(9, 1) == "0");
    CHECK(line.substr(2, 1) + line.substr(5, 1) + line.substr(8, 1) == ":::");
    CHECK(line.substr(13) == "  now\r\n");
}
