#include "Extract.h"

#include <memory>

#include "FileBytes.h"
#include "ImageRoles.h"
#include "Inspect.h"
#include "OutputFile.h"
#include "PackError.h"

namespace fs = std::filesystem;

void ExtractInstaller(const std::string& installer, const fs::path& folder)
{
    InstallerReport report = ReadInstaller(installer, false);
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw PackError(folder.string() + ": cannot make the folder: " + error.message());

    for (int i = 0; i < IMAGE_COUNT; ++i) {
        const Bytes& bmp = report.images[i].bmp;
        if (bmp.empty()) continue;
        OutputFile out(folder / (std::string(kImageRoles[i].key) + ".bmp"));
        WriteAll(out.Stream(), bmp.data(), bmp.size(), ImageName(i));
        out.Commit(0644);
    }

    std::unique_ptr<FILE, int (*)(FILE*)> in(fopen(installer.c_str(), "rb"), fclose);
    if (!in) throw PackError(installer + ": cannot be opened");
    const char* const archiveFiles[ARCHIVE_COUNT] = {"first.zip", "second.zip"};
    for (int i = 0; i < ARCHIVE_COUNT; ++i) {
        if (report.archives[i].size == 0) continue;
        OutputFile out(folder / archiveFiles[i]);
        CopyRange(in.get(), report.archives[i].position, report.archives[i].size, out.Stream(), ArchiveName(i));
        out.Commit(0644);
    }

    OutputFile uninstaller(folder / "uninstaller.exe");
    DecodeUninstaller(report, uninstaller.TempPath());
    uninstaller.Commit(0755);
}
