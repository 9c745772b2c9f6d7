#include "Inspect.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <unistd.h>

#include "BlockStream.h"
#include "FileBytes.h"
#include "FileStream.h"
#include "ImageRoles.h"
#include "PackError.h"
#include "SetupInfo.h"
#include "StubManifest.h"

namespace {

class PayloadWalk {
public:
    PayloadWalk(const std::string& path, InstallerReport& report) : report_(report)
    {
        report_.path = path;
        report_.fileSize = static_cast<int64_t>(RegularFileSize(path));
        if (report_.fileSize <= PAYLOAD_OFFSET)
            throw PackError(path + ": too short to hold a payload: " + std::to_string(report_.fileSize) +
                            " bytes, and the payload starts at byte " + std::to_string(PAYLOAD_OFFSET));
        if (!in_.Open(path.c_str())) throw PackError(path + ": cannot be read");
    }

    // Reads the file up to the payload, which leaves the stream at the header.
    void Stub()
    {
        Bytes stub(PAYLOAD_OFFSET);
        if (in_.Read(stub.data(), PAYLOAD_OFFSET) != PAYLOAD_OFFSET) Fail("cannot be read");
        report_.executionLevel = ReadExecutionLevel(stub);
    }

    void Header()
    {
        InstallHeader& h = report_.header;
        h.title = Text("title");
        h.version = Text("version");
        h.vendorKey = Text("vendor key");
        h.installDir = Text("install folder");
        h.menuFolder = Text("menu folder");
        report_.linkCount = Int32("shortcut count");
        if (report_.linkCount > MAX_LINKS)
            Fail("header: " + std::to_string(report_.linkCount) + " shortcuts; the installer holds at most " +
                 std::to_string(MAX_LINKS));
        for (int i = 0; i < report_.linkCount; ++i) {
            std::string field = "shortcut " + std::to_string(i);
            HeaderShortcut s;
            s.field = field;
            s.name = Text(field + " name");
            s.target = Text(field + " target");
            s.icon = Text(field + " icon");
            s.location = Int32(field + " location");
            h.shortcuts.push_back(s);
        }
    }

    void Images()
    {
        for (int i = 0; i < IMAGE_COUNT; ++i) {
            StreamPos before = in_.Tell();
            unsigned char* decoded = nullptr;
            int size = CSetupInfo::ReadPackedImage(&decoded, in_);
            std::unique_ptr<unsigned char, void (*)(void*)> owned(decoded, free);
            if (in_.Failed()) PastEnd(ImageName(i));
            if (size < 0) Fail(ImageName(i) + ": damaged block stream");
            ImageReport& image = report_.images[i];
            image.packedSize = static_cast<int>(in_.Tell() - before - 4);
            if (size > 0) {
                image.bmp.assign(decoded, decoded + size);
                image.info = ReadBmpInfo(image.bmp.data(), image.bmp.size());
            }
        }
    }

    void Archives()
    {
        for (int i = 0; i < ARCHIVE_COUNT; ++i) report_.archives[i] = Part(ArchiveName(i));
        report_.uninstaller = Part("uninstaller");
        report_.payloadEnd = report_.uninstaller.position + report_.uninstaller.size;
        in_.SeekFromStart(report_.uninstaller.position);
        std::optional<int64_t> decoded = BlockStreamDecodedSize(in_, static_cast<int>(report_.uninstaller.size));
        if (!decoded) Fail("uninstaller: damaged block stream: its blocks do not add up to its size");
        report_.uninstallerDecoded = *decoded;
    }

private:
    [[noreturn]] void Fail(const std::string& message) const { throw PackError(report_.path + ": " + message); }

    [[noreturn]] void PastEnd(const std::string& part) const
    {
        Fail("the header runs past the end of the file in the " + part);
    }

    std::string Text(const std::string& part)
    {
        char buffer[PATH_BUF_SIZE];
        bool fits = CSetupInfo::ReadCountedString(buffer, in_);
        if (in_.Failed()) PastEnd(part);
        if (!fits) Fail("header: the " + part + " is longer than " + std::to_string(MAX_TEXT_LEN) + " bytes");
        return buffer;
    }

    int32_t Int32(const std::string& part)
    {
        int32_t value = static_cast<int32_t>(CSetupInfo::ReadUint32(in_));
        if (in_.Failed()) PastEnd(part);
        return value;
    }

    // A size field and the bytes it counts, which are stepped over.
    PartReport Part(const std::string& part)
    {
        PartReport p;
        p.size = Int32(part + " size");
        p.position = in_.Tell();
        if (p.size < 0) Fail(part + ": size " + std::to_string(p.size) + " is out of range");
        if (p.position + p.size > report_.fileSize) PastEnd(part);
        in_.SeekFromCurrent(p.size);
        return p;
    }

    InstallerReport& report_;
    CInFileStream in_;
};

void VerifyImages(const InstallerReport& r)
{
    for (int i = 0; i < IMAGE_COUNT; ++i) {
        const ImageReport& image = r.images[i];
        const ImageRoleInfo& role = kImageRoles[i];
        if (image.bmp.empty()) {
            if (ImageRequired(i)) throw PackError(r.path + ": " + ImageName(i) + " is absent, and the wizard shows it");
            continue;
        }
        const std::optional<BmpInfo>& bmp = image.info;
        bool drawable = bmp && bmp->bitsPerPixel == 24 && bmp->compression == 0 && bmp->width == role.width &&
                        bmp->height == role.height && bmp->pixelOffset <= image.bmp.size() &&
                        uint64_t{BmpRowBytes(bmp->width)} * bmp->height <= image.bmp.size() - bmp->pixelOffset;
        if (!drawable)
            throw PackError(r.path + ": " + ImageName(i) + " is not a 24-bit bottom-up BMP of " +
                            std::to_string(role.width) + "x" + std::to_string(role.height));
    }
}

void VerifyUninstaller(const InstallerReport& r)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "setup-pack-verify-XXXXXX").string();
    std::vector<char> temp(pattern.begin(), pattern.end());
    temp.push_back('\0');
    int fd = mkstemp(temp.data());
    if (fd < 0) throw PackError("cannot make a temporary file to check the uninstaller");
    close(fd);
    try {
        DecodeUninstaller(r, temp.data());
    } catch (...) {
        unlink(temp.data());
        throw;
    }
    unlink(temp.data());
}

}  // namespace

std::string ImageName(int index) { return "image " + std::to_string(index) + " (" + kImageRoles[index].key + ")"; }

std::string ArchiveName(int index) { return index == 0 ? "first archive" : "second archive"; }

InstallerReport ReadInstaller(const std::string& path, bool verify)
{
    InstallerReport report;
    PayloadWalk walk(path, report);
    walk.Stub();
    walk.Header();
    walk.Images();
    walk.Archives();
    for (int i = 0; i < ARCHIVE_COUNT; ++i)
        if (report.archives[i].size > 0)
            report.entries[i] =
                ListZip(path, report.archives[i].position, report.archives[i].size, verify, path + ": " + ArchiveName(i));
    if (verify) {
        VerifyImages(report);
        VerifyUninstaller(report);
        report.verified = true;
    }
    return report;
}

void DecodeUninstaller(const InstallerReport& r, const std::string& outPath)
{
    CInFileStream in(r.path.c_str());
    if (!in.IsOpen() || !in.SeekFromStart(r.uninstaller.position)) throw PackError(r.path + ": cannot be read");
    if (!DecodeBlockStreamToFile(in, static_cast<int>(r.uninstaller.size), outPath))
        throw PackError(r.path + ": uninstaller: damaged block stream");
}
