#include "FolderScan.h"

#include <algorithm>
#include <cstdlib>
#include <fnmatch.h>
#include <map>
#include <sys/stat.h>

#include "DosTime.h"
#include "PackError.h"
#include "Progress.h"
#include "WindowsPath.h"

namespace fs = std::filesystem;

namespace {

class FolderScanner {
public:
    FolderScanner(const fs::path& root, const std::vector<std::string>& exclude, Progress& progress)
        : root_(root), exclude_(exclude), progress_(progress)
    {
        if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
            char* end = nullptr;
            long long value = std::strtoll(epoch, &end, 10);
            if (*epoch == '\0' || *end != '\0' || value < 0)
                throw PackError("SOURCE_DATE_EPOCH: \"" + std::string(epoch) + "\" is not a count of seconds");
            latest_ = static_cast<std::time_t>(value);
            clamp_ = true;
        }
    }

    std::vector<ArchiveItem> Scan()
    {
        struct stat st;
        if (stat(root_.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) throw PackError(root_.string() + ": not a folder");
        Walk(root_, "", "");
        return std::move(items_);
    }

private:
    bool Excluded(const std::string& name, const std::string& relative) const
    {
        for (const std::string& pattern : exclude_) {
            bool byPath = pattern.find('/') != std::string::npos;
            if (fnmatch(pattern.c_str(), byPath ? relative.c_str() : name.c_str(), byPath ? FNM_PATHNAME : 0) == 0)
                return true;
        }
        return false;
    }

    // Returns whether anything below folder was packed.
    bool Walk(const fs::path& folder, const std::string& relativeFolder, const std::string& zipPrefix)
    {
        std::map<std::string, fs::path> children;  // sorted by the bytes of the name
        for (const fs::directory_entry& entry : fs::directory_iterator(folder))
            children.emplace(entry.path().filename().string(), entry.path());

        std::map<std::string, std::string> folded;
        bool packedAny = false;
        for (const auto& [name, path] : children) {
            std::string relative = relativeFolder.empty() ? name : relativeFolder + "/" + name;
            if (Excluded(name, relative)) continue;
            std::string what = (root_ / relative).string();
            std::string gbkName = WindowsFileName(name, what);
            auto [clash, fresh] = folded.emplace(FoldCase(gbkName), name);
            if (!fresh)
                throw PackError(what + ": differs from \"" + clash->second +
                                "\" only in letter case, and Windows would take them for one file");

            struct stat st;
            if (stat(path.c_str(), &st) != 0) throw PackError(what + ": cannot be read (a broken link?)");
            std::string zipName = zipPrefix + gbkName;
            if (S_ISDIR(st.st_mode)) {
                if (fs::is_symlink(path)) throw PackError(what + ": a link to a folder is not packed; copy it instead");
                if (!Walk(path, relative, zipName + "/"))
                    items_.push_back({path, zipName + "/", true, DosTime(st), 0});
            } else if (S_ISREG(st.st_mode)) {
                items_.push_back({path, zipName, false, DosTime(st), static_cast<uint64_t>(st.st_size)});
                progress_.Update("scanning: " + std::to_string(items_.size()) + " files");
            } else {
                throw PackError(what + ": neither a file nor a folder");
            }
            packedAny = true;
        }
        return packedAny;
    }

    uint32_t DosTime(const struct stat& st) const
    {
        std::time_t time = st.st_mtime;
        if (clamp_ && time > latest_) time = latest_;
        return ToDosTime(time);
    }

    fs::path root_;
    const std::vector<std::string>& exclude_;
    Progress& progress_;
    bool clamp_ = false;
    std::time_t latest_ = 0;
    std::vector<ArchiveItem> items_;
};

}  // namespace

std::vector<ArchiveItem> ScanFolder(const fs::path& root, const std::vector<std::string>& exclude, Progress& progress)
{
    return FolderScanner(root, exclude, progress).Scan();
}
