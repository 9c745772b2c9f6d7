#include "UnzipFixture.h"

#include <windows.h>

#include <algorithm>

std::string UnzipFixture::Archive(const std::vector<ZipEntry>& entries, const std::string& name) const
{
    std::string path = JoinPath(folder, name);
    WriteZip(path, entries);
    return path;
}

namespace {

void ListInto(const std::string& folder, const std::string& prefix, std::vector<std::string>& out)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            out.push_back(prefix + name + "\\");
            ListInto(folder + "\\" + name, prefix + name + "\\", out);
        } else {
            out.push_back(prefix + name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

}  // namespace

std::vector<std::string> ListTree(const std::string& folder)
{
    std::vector<std::string> out;
    ListInto(folder, "", out);
    std::sort(out.begin(), out.end());
    return out;
}

std::string ReadText(const std::string& path)
{
    Bytes bytes = ReadFileBytes(path);
    return std::string(bytes.begin(), bytes.end());
}
