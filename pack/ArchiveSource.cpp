#include "ArchiveSource.h"

#include <set>

#include "FileBytes.h"
#include "GbkText.h"
#include "InstallHeader.h"
#include "Manifest.h"
#include "PackError.h"
#include "PayloadLayout.h"
#include "WindowsPath.h"
#include "ZipListing.h"

namespace fs = std::filesystem;

namespace {

// GBK for the uninstaller's name, "卸载.exe", which the installer writes last.
const char kUninstallerName[] = "\xD0\xB6\xD4\xD8.exe";
const char* const kReservedNames[] = {"tmp1.zip", "tmp2.zip", kUninstallerName};

std::string WindowsSeparators(std::string name)
{
    for (char& c : name)
        if (c == '/') c = '\\';
    return name;
}

void CheckZipEntry(const ZipEntry& entry, const std::string& what)
{
    std::string where = what + ": entry \"" + GbkToUtf8(entry.name) + "\"";
    if (entry.encrypted) throw PackError(where + " is encrypted; the installer cannot extract it");
    if (entry.method != 0 && entry.method != 8)
        throw PackError(where + " uses compression method " + std::to_string(entry.method) +
                        "; the installer extracts stored and deflated entries only");
    bool ascii = true;
    for (unsigned char c : entry.name) ascii &= c < 0x80;
    if (entry.utf8Name && !ascii)
        throw PackError(where + " has a UTF-8 name; the installer reads names as GBK");
    std::string name = WindowsSeparators(entry.name);
    bool leaves = name.empty() || name[0] == '\\' || name.find(':') != std::string::npos;
    size_t start = 0;
    while (!leaves && start <= name.size()) {
        size_t end = name.find('\\', start);
        if (end == std::string::npos) end = name.size();
        leaves = name.compare(start, end - start, "..") == 0;
        start = end + 1;
    }
    if (leaves) throw PackError(where + " would be written outside the install folder");
}

ArchiveSource FromZipFile(const ManifestArchive& archive)
{
    ArchiveSource source;
    source.field = archive.field;
    source.path = archive.source;
    source.packFolder = false;
    source.zipSize = RegularFileSize(archive.source);
    std::string what = archive.field + ": " + archive.source.string();
    if (source.zipSize > static_cast<uint64_t>(INT32_MAX))
        throw PackError(what + ": " + std::to_string(source.zipSize) +
                        " bytes; the installer must stay below 2 GiB");
    for (const ZipEntry& entry : ListZip(archive.source.string(), 0, static_cast<int64_t>(source.zipSize), false, what)) {
        CheckZipEntry(entry, what);
        if (!entry.folder) source.installs.push_back(WindowsSeparators(entry.name));
    }
    return source;
}

}  // namespace

ArchiveSource PrepareArchive(const ManifestArchive& archive, const std::vector<std::string>& exclude,
                             Progress& progress)
{
    if (!fs::exists(archive.source))
        throw PackError(archive.field + ": " + archive.source.string() + " does not exist");
    if (!fs::is_directory(archive.source)) return FromZipFile(archive);
    ArchiveSource source;
    source.field = archive.field;
    source.path = archive.source;
    source.items = ScanFolder(archive.source, exclude, progress);
    for (const ArchiveItem& item : source.items)
        if (!item.folder) source.installs.push_back(WindowsSeparators(item.zipName));
    return source;
}

ArchiveSource EmptyArchive(const std::string& field)
{
    ArchiveSource source;
    source.field = field;
    return source;
}

void CheckInstalledFiles(const std::vector<ArchiveSource>& archives, const InstallHeader& header)
{
    std::set<std::string> installed;  // case-folded
    for (const ArchiveSource& archive : archives) {
        for (const std::string& name : archive.installs) {
            std::string what = archive.field + ": \"" + GbkToUtf8(name) + "\"";
            for (const char* reserved : kReservedNames)
                if (FoldCase(name) == reserved)
                    throw PackError(what + " has a name that the installer uses for its own files");
            size_t length = header.installDir.size() + 1 + name.size();
            if (length > static_cast<size_t>(MAX_TEXT_LEN))
                throw PackError(what + " installs as a path of " + std::to_string(length) +
                                " bytes in GBK below install_dir; the installer holds at most " +
                                std::to_string(MAX_TEXT_LEN));
            installed.insert(FoldCase(name));
        }
    }
    if (installed.empty()) throw PackError("archives: the archives hold no file to install");
    auto installs = [&](const std::string& path) {
        return path.empty() || FoldCase(path) == kUninstallerName || installed.count(FoldCase(path)) != 0;
    };
    for (const HeaderShortcut& s : header.shortcuts) {
        if (!installs(s.target))
            throw PackError(s.field + ".target: \"" + GbkToUtf8(s.target) + "\" is not installed by either archive");
        if (!installs(s.icon))
            throw PackError(s.field + ".icon: \"" + GbkToUtf8(s.icon) + "\" is not installed by either archive");
    }
}
