#pragma once
#include <filesystem>
#include <string>

// Writes what an installer carries into folder: the present images as
// <role>.bmp, the archives as first.zip and second.zip (as stored; an
// archive of size 0 is left out) and the decoded uninstaller as
// uninstaller.exe. The folder is made when missing.
void ExtractInstaller(const std::string& installer, const std::filesystem::path& folder);
