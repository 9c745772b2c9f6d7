#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "PayloadLayout.h"

struct ManifestShortcut {
    std::string field;  // "shortcuts[N]", for messages
    std::string name, target, icon;  // UTF-8, as written
    int location;                    // a LinkLocation, or the raw location_code
};

struct ManifestArchive {
    std::string field;  // "archives.first" or "archives.second"
    std::filesystem::path source;  // a folder to pack, or a .zip taken as it is
};

// What a manifest says, with its files resolved against the manifest's folder.
// Only the form is checked here; the texts are checked as they are converted
// for the payload header.
struct Manifest {
    std::string title, version, vendorKey, installDir, menuFolder;
    std::vector<ManifestShortcut> shortcuts;
    std::array<std::optional<std::filesystem::path>, IMAGE_COUNT> images;
    std::vector<ManifestArchive> archives;  // one or two
    std::vector<std::string> exclude;        // name patterns left out of packed folders
    std::optional<std::filesystem::path> uninstaller;
    // The level to write into the stub's application manifest, such as
    // "asInvoker"; none: the stub's own is kept.
    std::optional<std::string> executionLevel;
};

Manifest LoadManifest(const std::filesystem::path& file);
