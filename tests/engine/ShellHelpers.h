#pragma once
// The shell as the tests see it: special folders, shortcuts read and written
// through IShellLinkA, and clean-up of what a test made there.
#include <string>
#include <vector>

std::string SpecialFolder(int csidl);
std::string DesktopFolder();
std::string ProgramsFolder();

struct ShortcutFields {
    bool loaded = false;
    std::string target, arguments, workingFolder, icon;
    int iconIndex = -1;
};
ShortcutFields ReadShortcut(const std::string& path);
void WriteShortcut(const std::string& path, const std::string& target, const std::string& arguments = "");

// Removes, when it goes, every file or folder tree it was given (also at the
// start, for leftovers of an earlier run).
class ShellLitter {
public:
    explicit ShellLitter(std::vector<std::string> paths);
    ~ShellLitter();
    ShellLitter(const ShellLitter&) = delete;
    ShellLitter& operator=(const ShellLitter&) = delete;

private:
    void Clear();
    std::vector<std::string> paths_;
};

// Points one of the current user's shell folders (a value name of
// "User Shell Folders", such as "Desktop") at a folder that does not exist,
// so that the shell cannot resolve it; restored when it goes.
class ShellFolderRedirect {
public:
    explicit ShellFolderRedirect(const std::string& valueName);
    ~ShellFolderRedirect();
    ShellFolderRedirect(const ShellFolderRedirect&) = delete;
    ShellFolderRedirect& operator=(const ShellFolderRedirect&) = delete;

private:
    std::string name_;
    std::vector<unsigned char> saved_;
    unsigned long type_ = 0;
};
