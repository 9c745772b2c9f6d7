#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "FolderScan.h"

class Progress;
struct InstallHeader;
struct ManifestArchive;

// One of the payload's two archives before it is written: a folder to pack,
// or a ZIP file to take byte for byte.
struct ArchiveSource {
    std::string field;
    std::filesystem::path path;
    bool packFolder = true;
    std::vector<ArchiveItem> items;  // a folder's entries
    uint64_t zipSize = 0;            // a ZIP file's size
    std::vector<std::string> installs;  // GBK paths of the files it installs, "\"-separated
};

// Scans a folder, or checks a ZIP file for what the installer cannot extract
// (encrypted entries, methods other than stored and deflated, UTF-8 names,
// names that leave the install folder).
ArchiveSource PrepareArchive(const ManifestArchive& archive, const std::vector<std::string>& exclude,
                             Progress& progress);

// An archive with no entries, for a manifest that names one archive only.
ArchiveSource EmptyArchive(const std::string& field);

// Refuses installs that the installer would mishandle: nothing to install,
// paths too long for the default install folder, names that the installer
// uses itself, and shortcuts whose target or icon no archive installs.
void CheckInstalledFiles(const std::vector<ArchiveSource>& archives, const InstallHeader& header);
