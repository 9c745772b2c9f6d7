#include "Build.h"

#include <array>
#include <memory>
#include <sys/stat.h>

#include "ArchiveSource.h"
#include "FileBytes.h"
#include "ImageConvert.h"
#include "ImageRoles.h"
#include "InstallHeader.h"
#include "LzEncoder.h"
#include "Manifest.h"
#include "OutputFile.h"
#include "PackError.h"
#include "PayloadLayout.h"
#include "PayloadWriter.h"
#include "Progress.h"
#include "StubManifest.h"
#include "ZipWriter.h"

namespace fs = std::filesystem;

namespace {

bool IsWindowsProgram(const Bytes& file) { return file.size() >= 2 && file[0] == 'M' && file[1] == 'Z'; }

Bytes ReadStub(const fs::path& path)
{
    uint64_t size = WithField("stub", [&] { return RegularFileSize(path); });
    if (size > static_cast<uint64_t>(PAYLOAD_OFFSET))
        throw PackError("stub: " + path.string() + " is " + std::to_string(size) +
                        " bytes; it must end before the payload at byte " + std::to_string(PAYLOAD_OFFSET));
    Bytes stub = ReadFileBytes(path, PAYLOAD_OFFSET);
    if (!IsWindowsProgram(stub)) throw PackError("stub: " + path.string() + " is not a Windows program");
    return stub;
}

Bytes ReadUninstaller(const fs::path& path)
{
    Bytes program = WithField("uninstaller", [&] { return ReadFileBytes(path, INT32_MAX); });
    if (!IsWindowsProgram(program)) throw PackError("uninstaller: " + path.string() + " is not a Windows program");
    return program;
}

Bytes BlockStream(const Bytes& data) { return data.empty() ? Bytes() : LzEncodeStream(data.data(), data.size()); }

void WriteArchive(PayloadWriter& writer, const ArchiveSource& archive, Progress& progress)
{
    // minizip cannot open a ZIP without entries (its directory end lies at
    // offset 0), so an archive with nothing in it is carried as size 0, which
    // the installer takes for an empty archive too.
    if (archive.packFolder && archive.items.empty()) {
        writer.Sized(Bytes(), archive.field);
        return;
    }
    std::string what = archive.field + " (" + archive.path.string() + ")";
    writer.Sized(archive.field, [&](FILE* out, int64_t limit) {
        if (archive.packFolder) {
            WriteZip(out, archive.items, limit, what, progress);
            return;
        }
        std::unique_ptr<FILE, int (*)(FILE*)> in(fopen(archive.path.c_str(), "rb"), fclose);
        if (!in) throw PackError(what + ": cannot be opened");
        CopyRange(in.get(), 0, static_cast<int64_t>(archive.zipSize), out, what);
    });
}

}  // namespace

void BuildInstaller(const BuildOptions& options)
{
    Progress progress;
    Manifest manifest = LoadManifest(options.manifest);
    InstallHeader header = MakeInstallHeader(manifest);
    std::optional<fs::path> uninstallerPath = options.uninstaller ? options.uninstaller : manifest.uninstaller;
    if (!uninstallerPath) throw PackError("uninstaller: not given; set it in the manifest or pass --uninstaller");
    Bytes stub = ReadStub(options.stub);
    if (manifest.executionLevel) WriteExecutionLevel(stub, *manifest.executionLevel, "stub: " + options.stub.string());
    Bytes uninstaller = ReadUninstaller(*uninstallerPath);

    std::array<Bytes, IMAGE_COUNT> bitmaps;
    for (int i = 0; i < IMAGE_COUNT; ++i)
        if (manifest.images[i]) bitmaps[i] = MakeRoleImage(*manifest.images[i], i, options.fit);

    std::vector<ArchiveSource> archives;
    for (const ManifestArchive& archive : manifest.archives)
        archives.push_back(PrepareArchive(archive, manifest.exclude, progress));
    if (archives.size() < ARCHIVE_COUNT) archives.push_back(EmptyArchive("archives.second"));
    CheckInstalledFiles(archives, header);

    // Everything has been checked; the slow part follows.
    progress.Update("packing the images and the uninstaller");
    OutputFile output(options.output);
    PayloadWriter writer(output.Stream());
    writer.Stub(stub);
    writer.Header(header);
    for (int i = 0; i < IMAGE_COUNT; ++i)
        writer.Sized(BlockStream(bitmaps[i]), std::string("images.") + kImageRoles[i].key);
    for (const ArchiveSource& archive : archives) WriteArchive(writer, archive, progress);
    writer.Sized(BlockStream(uninstaller), "uninstaller");
    int64_t size = writer.Size();
    output.Commit(0755);
    progress.Finish("wrote " + options.output.string() + ": " + std::to_string(size) + " bytes");
}
