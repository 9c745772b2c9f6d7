#include "TestFiles.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#ifdef _WIN32
#include <windows.h>
const char kSeparator = '\\';
#else
#include <sys/stat.h>
#include <unistd.h>
const char kSeparator = '/';
#endif

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (!folder.empty() && folder.back() == kSeparator) return folder + name;
    return folder + kSeparator + name;
}

void RemoveTree(const std::string& path)
{
#ifdef _WIN32
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
#else
    std::string command = "rm -rf '" + path + "'";
    if (system(command.c_str()) != 0) throw std::runtime_error("cannot remove " + path);
#endif
}

std::string MakeTestFolder(const std::string& name)
{
#ifdef _WIN32
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string folder = JoinPath(temp, "setup-tests");
    CreateDirectoryA(folder.c_str(), nullptr);
    folder = JoinPath(folder, name);
    RemoveTree(folder);
    if (!CreateDirectoryA(folder.c_str(), nullptr)) throw std::runtime_error("cannot make " + folder);
#else
    const char* tmp = getenv("TMPDIR");
    std::string folder = JoinPath(tmp && *tmp ? tmp : "/tmp", "setup-tests-" + std::to_string(getuid()));
    mkdir(folder.c_str(), 0755);
    folder = JoinPath(folder, name);
    RemoveTree(folder);
    if (mkdir(folder.c_str(), 0755) != 0) throw std::runtime_error("cannot make " + folder);
#endif
    return folder;
}

void WriteFileBytes(const std::string& path, const Bytes& bytes)
{
    FILE* f = fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    size_t written = bytes.empty() ? 0 : fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    if (written != bytes.size()) throw std::runtime_error("short write to " + path);
}

Bytes ReadFileBytes(const std::string& path)
{
    FILE* f = fopen(path.c_str(), "rb");
    if (!f) throw std::runtime_error("cannot read " + path);
    Bytes bytes;
    unsigned char chunk[65536];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
    fclose(f);
    return bytes;
}

bool PathExists(const std::string& path)
{
#ifdef _WIN32
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
#else
    struct stat st;
    return stat(path.c_str(), &st) == 0;
#endif
}

#ifdef _WIN32
std::vector<std::string> InstallLogMessages(const std::string& folder)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\install*.log").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do files.push_back(found.cFileName);
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    std::sort(files.begin(), files.end());

    const size_t stampLength = strlen("hh:mm:ss:mmmm  ");
    std::vector<std::string> messages;
    for (const std::string& file : files) {
        Bytes bytes = ReadFileBytes(folder + "\\" + file);
        std::string text(bytes.begin(), bytes.end());
        for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            messages.push_back(text.substr(at + stampLength, end - at - stampLength));
    }
    return messages;
}
#endif
