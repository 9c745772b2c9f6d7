#include "InstallHeader.h"

#include "GbkText.h"
#include "Manifest.h"
#include "PackError.h"
#include "WindowsPath.h"

namespace {

// The file that a shortcut is saved as must be a shell link; the installer
// numbers taken names by replacing the last four bytes.
std::string ShortcutName(const std::string& utf8, const std::string& field)
{
    std::string gbk = WindowsFileName(utf8, field);
    if (gbk.size() < 5 || FoldCase(gbk.substr(gbk.size() - 4)) != ".lnk")
        throw PackError(field + ": \"" + utf8 + "\" must end in .lnk");
    return gbk;
}

// Empty stays empty: an empty target means the uninstaller, an empty icon the target.
std::string OptionalRelativePath(const std::string& utf8, const std::string& field)
{
    return utf8.empty() ? std::string() : WindowsRelativePath(utf8, field);
}

}  // namespace

InstallHeader MakeInstallHeader(const Manifest& m)
{
    InstallHeader h;
    h.title = GbkField(m.title, "title");
    h.version = GbkField(m.version, "version");
    h.vendorKey = GbkField(m.vendorKey, "vendor_key");
    h.installDir = WindowsInstallFolder(m.installDir, "install_dir");
    h.menuFolder = WindowsRelativePath(m.menuFolder, "menu_folder");
    for (const ManifestShortcut& s : m.shortcuts) {
        h.shortcuts.push_back({s.field, ShortcutName(s.name, s.field + ".name"),
                               OptionalRelativePath(s.target, s.field + ".target"),
                               OptionalRelativePath(s.icon, s.field + ".icon"), s.location});
    }
    return h;
}
