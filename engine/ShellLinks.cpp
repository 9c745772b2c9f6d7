// The shell routines of the install engine: special folders and shell links
// through IShellLinkA and IPersistFile.
#include <objbase.h>
#include <shlobj.h>
#include <string.h>

#include "SetupInfo.h"
#include "ShellLinks.h"

namespace {

// Balances a CoInitialize that succeeded (S_FALSE included) on this thread.
class ComScope {
public:
    ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
    ~ComScope()
    {
        if (initialised_) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    bool initialised_;
};

// A shell-link object with its persistence interface, released together.
class ShellLinkFile {
public:
    ShellLinkFile() : link_(nullptr), file_(nullptr)
    {
        if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link_)))) {
            link_ = nullptr;
            return;
        }
        if (FAILED(link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_)))) file_ = nullptr;
    }
    ~ShellLinkFile()
    {
        if (file_) file_->Release();
        if (link_) link_->Release();
    }
    ShellLinkFile(const ShellLinkFile&) = delete;
    ShellLinkFile& operator=(const ShellLinkFile&) = delete;

    bool Ready() const { return link_ && file_; }
    IShellLinkA* Link() const { return link_; }
    IPersistFile* File() const { return file_; }

private:
    IShellLinkA* link_;
    IPersistFile* file_;
};

bool ToWide(const char* path, WCHAR* wide, DWORD flags)
{
    return MultiByteToWideChar(CP_ACP, flags, path, -1, wide, PATH_BUF_SIZE) > 0;
}

bool HoldsLnk(const char* path)
{
    for (const char* p = path; *p; ++p)
        if (p[0] == '.' && (p[1] | 0x20) == 'l' && (p[2] | 0x20) == 'n' && (p[3] | 0x20) == 'k') return true;
    return false;
}

}  // namespace

int CSetupInfo::GetSpecialFolder(char* path, int csidl)
{
    path[0] = '\0';
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator))) return 0;
    LPITEMIDLIST list = nullptr;
    if (SUCCEEDED(SHGetSpecialFolderLocation(nullptr, csidl, &list))) {
        if (!SHGetPathFromIDListA(list, path)) path[0] = '\0';
        allocator->Free(list);
    }
    allocator->Release();
    return path[0] != '\0';
}

int CSetupInfo::CreateShortcut(const char* link, const char* target, const char* icon)
{
    WCHAR wideLink[PATH_BUF_SIZE];
    if (!ToWide(link, wideLink, 0) || strlen(target) > static_cast<size_t>(MAX_TEXT_LEN)) return 0;
    char workingFolder[PATH_BUF_SIZE];
    strcpy(workingFolder, target);
    char* lastSeparator = strrchr(workingFolder, '\\');
    if (lastSeparator) *lastSeparator = '\0';

    ComScope com;
    ShellLinkFile shortcut;
    if (!shortcut.Ready()) return 0;
    shortcut.Link()->SetPath(target);
    shortcut.Link()->SetWorkingDirectory(workingFolder);
    shortcut.Link()->SetIconLocation(icon, 0);
    return SUCCEEDED(shortcut.File()->Save(wideLink, TRUE));
}

int CSetupInfo::ReadShortcutTarget(const char* link, char* result, int size)
{
    if (size <= 0) return 0;
    result[0] = '\0';
    char linkFile[PATH_BUF_SIZE];
    size_t length = strlen(link);
    size_t suffixLength = HoldsLnk(link) ? 0 : 4;
    if (length + suffixLength > static_cast<size_t>(MAX_TEXT_LEN)) return 0;
    memcpy(linkFile, link, length);
    memcpy(linkFile + length, ".lnk", suffixLength);
    linkFile[length + suffixLength] = '\0';
    WCHAR wideLink[PATH_BUF_SIZE];
    if (!ToWide(linkFile, wideLink, MB_PRECOMPOSED)) return 0;

    ComScope com;
    ShellLinkFile shortcut;
    if (!shortcut.Ready() || FAILED(shortcut.File()->Load(wideLink, STGM_READ))) return 0;
    char path[SHORTCUT_FIELD_SIZE] = "";
    char arguments[SHORTCUT_FIELD_SIZE] = "";
    shortcut.Link()->GetPath(path, SHORTCUT_FIELD_SIZE, nullptr, SLGP_UNCPRIORITY);
    shortcut.Link()->GetArguments(arguments, SHORTCUT_FIELD_SIZE);
    path[SHORTCUT_FIELD_SIZE - 1] = arguments[SHORTCUT_FIELD_SIZE - 1] = '\0';
    size_t pathLength = strlen(path);
    size_t argumentsLength = strlen(arguments);
    if (pathLength + 1 + argumentsLength >= static_cast<size_t>(size)) return 0;
    memcpy(result, path, pathLength);
    result[pathLength] = ' ';
    memcpy(result + pathLength + 1, arguments, argumentsLength + 1);
    return 1;
}
