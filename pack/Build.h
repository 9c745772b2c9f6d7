#pragma once
#include <filesystem>
#include <optional>

struct BuildOptions {
    std::filesystem::path manifest;
    std::filesystem::path output;
    std::filesystem::path stub;
    std::optional<std::filesystem::path> uninstaller;  // overrides the manifest's
    bool fit = false;                                   // scale artwork of another size
};

// Writes the installer that the manifest describes. Everything is checked
// before the output is written; the output appears only when complete.
void BuildInstaller(const BuildOptions& options);
