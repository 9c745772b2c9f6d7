#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct Manifest;

// The texts and shortcut entries of the payload header, in GBK.
struct HeaderShortcut {
    std::string field;  // "shortcuts[N]", for messages
    std::string name, target, icon;
    int32_t location;
};

struct InstallHeader {
    std::string title, version, vendorKey, installDir, menuFolder;
    std::vector<HeaderShortcut> shortcuts;
};

// Converts the manifest's texts and refuses, naming the field, whatever the
// installer would mishandle.
InstallHeader MakeInstallHeader(const Manifest& manifest);
