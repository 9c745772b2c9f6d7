#include "ShellHelpers.h"

#include <doctest/doctest.h>
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

namespace {

const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

std::wstring Wide(const std::string& text)
{
    wchar_t buffer[MAX_PATH * 2];
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, MAX_PATH * 2);
    REQUIRE(length > 0);
    return buffer;
}

// A shell-link object with its file interface, inside its own COM scope.
struct LinkObject {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;

    LinkObject()
    {
        CoInitialize(nullptr);
        REQUIRE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))));
        REQUIRE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))));
    }
    ~LinkObject()
    {
        if (file) file->Release();
        if (link) link->Release();
        CoUninitialize();
    }
};

void RemovePath(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    // The folders that tests make in the shell hold shortcut files only.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((path + "\\" + found.cFileName).c_str());
        while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

}  // namespace

std::string SpecialFolder(int csidl)
{
    char path[MAX_PATH] = "";
    REQUIRE(SUCCEEDED(SHGetFolderPathA(nullptr, csidl, nullptr, 0, path)));
    return path;
}

std::string DesktopFolder() { return SpecialFolder(CSIDL_DESKTOPDIRECTORY); }

std::string ProgramsFolder() { return SpecialFolder(CSIDL_PROGRAMS); }

ShortcutFields ReadShortcut(const std::string& path)
{
    ShortcutFields fields;
    LinkObject object;
    if (FAILED(object.file->Load(Wide(path).c_str(), STGM_READ))) return fields;
    char text[1024];
    int index = -1;
    fields.loaded = true;
    if (SUCCEEDED(object.link->GetPath(text, sizeof text, nullptr, SLGP_UNCPRIORITY))) fields.target = text;
    if (SUCCEEDED(object.link->GetArguments(text, sizeof text))) fields.arguments = text;
    if (SUCCEEDED(object.link->GetWorkingDirectory(text, sizeof text))) fields.workingFolder = text;
    if (SUCCEEDED(object.link->GetIconLocation(text, sizeof text, &index))) fields.icon = text;
    fields.iconIndex = index;
    return fields;
}

void WriteShortcut(const std::string& path, const std::string& target, const std::string& arguments)
{
    LinkObject object;
    object.link->SetPath(target.c_str());
    object.link->SetArguments(arguments.c_str());
    REQUIRE(SUCCEEDED(object.file->Save(Wide(path).c_str(), TRUE)));
}

ShellLitter::ShellLitter(std::vector<std::string> paths) : paths_(std::move(paths)) { Clear(); }

ShellLitter::~ShellLitter() { Clear(); }

void ShellLitter::Clear()
{
    for (const std::string& path : paths_) RemovePath(path);
}

ShellFolderRedirect::ShellFolderRedirect(const std::string& valueName) : name_(valueName)
{
    HKEY key;
    REQUIRE(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) == 0);
    DWORD size = 0;
    DWORD type = 0;
    REQUIRE(RegQueryValueExA(key, name_.c_str(), nullptr, &type, nullptr, &size) == 0);
    saved_.resize(size);
    REQUIRE(RegQueryValueExA(key, name_.c_str(), nullptr, &type, saved_.data(), &size) == 0);
    type_ = type;
    std::string missing = "C:\\missing-shell-folder\\" + name_;
    RegSetValueExA(key, name_.c_str(), 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(missing.c_str()),
                   static_cast<DWORD>(missing.size() + 1));
    RegCloseKey(key);
}

ShellFolderRedirect::~ShellFolderRedirect()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_SET_VALUE, &key) != 0) return;
    RegSetValueExA(key, name_.c_str(), 0, type_, saved_.data(), static_cast<DWORD>(saved_.size()));
    RegCloseKey(key);
}
