#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

class Progress;

// One entry of an archive packed from a folder.
struct ArchiveItem {
    std::filesystem::path source;  // the file or folder on disk
    std::string zipName;           // GBK with "/" separators; a folder's ends in "/"
    bool folder;
    uint32_t dosTime;
    uint64_t size;
};

// The files below root and its folders that hold nothing to pack, depth
// first with each folder's names in byte order, so that the same tree always
// gives the same list. Names matching an exclude pattern (fnmatch; a pattern
// with "/" is matched against the path below root) are left out with
// everything below them. Names Windows cannot hold, names GBK cannot write,
// names that differ only in letter case, links to folders and special files
// are refused. With SOURCE_DATE_EPOCH set, later file times are held to it.
std::vector<ArchiveItem> ScanFolder(const std::filesystem::path& root, const std::vector<std::string>& exclude,
                                    Progress& progress);
