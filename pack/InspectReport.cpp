#include "InspectReport.h"

#include <cstdio>
#include <cstdlib>
#include <iomanip>

#include "DosTime.h"
#include "ExecutionLevel.h"
#include "GbkText.h"
#include "ImageRoles.h"
#include "Inspect.h"

namespace {

std::string LocationName(int32_t location)
{
    if (location == LinkDesktop) return "desktop";
    if (location == LinkProgramMenu) return "programs";
    return "none";
}

// The manifest key's word for the stub's level, the stub's own word for a
// level that the key cannot ask for, or "none".
std::string ExecutionLevelName(const std::optional<std::string>& level)
{
    if (!level) return "none";
    const char* key = ExecutionLevelKey(*level);
    return key ? key : *level;
}

std::string MethodName(int method)
{
    if (method == 0) return "stored";
    if (method == 8) return "deflated";
    return "method " + std::to_string(method);
}

std::string Json(const std::string& text)
{
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", c);
            out += escape;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

std::string JsonGbk(const std::string& gbk) { return Json(GbkToUtf8(gbk)); }

}  // namespace

void PrintReport(const InstallerReport& r, std::ostream& out)
{
    const InstallHeader& h = r.header;
    out << "installer    " << r.path << " (" << r.fileSize << " bytes)\n"
        << "execution    " << ExecutionLevelName(r.executionLevel);
    if (r.executionLevel && ExecutionLevelKey(*r.executionLevel)) out << " (" << *r.executionLevel << ")";
    out << "\n"
        << "title        " << GbkToUtf8(h.title) << "\n"
        << "version      " << GbkToUtf8(h.version) << "\n"
        << "vendor key   " << GbkToUtf8(h.vendorKey) << "\n"
        << "install dir  " << GbkToUtf8(h.installDir) << "\n"
        << "menu folder  " << GbkToUtf8(h.menuFolder) << "\n"
        << "shortcuts    " << r.linkCount << "\n";
    for (size_t i = 0; i < h.shortcuts.size(); ++i) {
        const HeaderShortcut& s = h.shortcuts[i];
        out << "  [" << i << "] " << std::left << std::setw(9) << LocationName(s.location) << std::right
            << GbkToUtf8(s.name) << " -> " << (s.target.empty() ? "(uninstaller)" : GbkToUtf8(s.target))
            << ", icon " << (s.icon.empty() ? "(target)" : GbkToUtf8(s.icon));
        if (s.location != LinkDesktop && s.location != LinkProgramMenu) out << " (location " << s.location << ")";
        out << "\n";
    }
    out << "images\n";
    for (int i = 0; i < IMAGE_COUNT; ++i) {
        const ImageReport& image = r.images[i];
        out << "  [" << i << "] " << std::left << std::setw(13) << kImageRoles[i].key << std::right;
        if (image.bmp.empty()) {
            out << "absent\n";
            continue;
        }
        if (image.info)
            out << image.info->width << "x" << std::abs(image.info->height) << " " << image.info->bitsPerPixel << "-bit, ";
        else
            out << "not a BMP, ";
        out << image.bmp.size() << " bytes decoded, " << image.packedSize << " packed\n";
    }
    for (int i = 0; i < ARCHIVE_COUNT; ++i) {
        const PartReport& a = r.archives[i];
        out << ArchiveName(i) << " at " << a.position << ", " << a.size << " bytes, " << r.entries[i].size()
            << " entries\n";
        for (const ZipEntry& e : r.entries[i])
            out << "  " << FormatDosTime(e.dosTime) << " " << std::setw(10) << e.size << " " << std::left
                << std::setw(9) << (e.folder ? "folder" : MethodName(e.method)) << std::right << GbkToUtf8(e.name)
                << "\n";
    }
    out << "uninstaller at " << r.uninstaller.position << ", " << r.uninstaller.size << " bytes packed, "
        << r.uninstallerDecoded << " decoded\n"
        << "after the payload: " << r.fileSize - r.payloadEnd << " bytes\n";
    if (r.verified) out << "verified: images, block streams and every entry's CRC-32\n";
}

void PrintReportJson(const InstallerReport& r, std::ostream& out)
{
    const InstallHeader& h = r.header;
    out << "{\n  \"file\": " << Json(r.path) << ",\n  \"file_size\": " << r.fileSize
        << ",\n  \"execution_level\": " << Json(ExecutionLevelName(r.executionLevel))
        << ",\n  \"manifest_level\": " << (r.executionLevel ? Json(*r.executionLevel) : "null")
        << ",\n  \"title\": " << JsonGbk(h.title) << ",\n  \"version\": " << JsonGbk(h.version)
        << ",\n  \"vendor_key\": " << JsonGbk(h.vendorKey) << ",\n  \"install_dir\": " << JsonGbk(h.installDir)
        << ",\n  \"menu_folder\": " << JsonGbk(h.menuFolder) << ",\n  \"shortcut_count\": " << r.linkCount
        << ",\n  \"shortcuts\": [";
    for (size_t i = 0; i < h.shortcuts.size(); ++i) {
        const HeaderShortcut& s = h.shortcuts[i];
        out << (i ? "," : "") << "\n    {\"name\": " << JsonGbk(s.name) << ", \"target\": " << JsonGbk(s.target)
            << ", \"icon\": " << JsonGbk(s.icon) << ", \"location\": " << Json(LocationName(s.location))
            << ", \"location_code\": " << s.location << "}";
    }
    out << "\n  ],\n  \"images\": [";
    for (int i = 0; i < IMAGE_COUNT; ++i) {
        const ImageReport& image = r.images[i];
        out << (i ? "," : "") << "\n    {\"index\": " << i << ", \"role\": " << Json(kImageRoles[i].key)
            << ", \"present\": " << (image.bmp.empty() ? "false" : "true");
        if (!image.bmp.empty()) {
            out << ", \"packed_size\": " << image.packedSize << ", \"decoded_size\": " << image.bmp.size();
            if (image.info)
                out << ", \"width\": " << image.info->width << ", \"height\": " << std::abs(image.info->height)
                    << ", \"bits_per_pixel\": " << image.info->bitsPerPixel;
        }
        out << "}";
    }
    out << "\n  ],\n  \"archives\": [";
    for (int i = 0; i < ARCHIVE_COUNT; ++i) {
        out << (i ? "," : "") << "\n    {\"position\": " << r.archives[i].position
            << ", \"size\": " << r.archives[i].size << ", \"entries\": [";
        for (size_t k = 0; k < r.entries[i].size(); ++k) {
            const ZipEntry& e = r.entries[i][k];
            out << (k ? "," : "") << "\n      {\"name\": " << JsonGbk(e.name) << ", \"size\": " << e.size
                << ", \"packed_size\": " << e.packedSize << ", \"method\": " << e.method
                << ", \"folder\": " << (e.folder ? "true" : "false") << ", \"modified\": "
                << Json(FormatDosTime(e.dosTime)) << "}";
        }
        out << (r.entries[i].empty() ? "]}" : "\n    ]}");
    }
    out << "\n  ],\n  \"uninstaller\": {\"position\": " << r.uninstaller.position
        << ", \"packed_size\": " << r.uninstaller.size << ", \"decoded_size\": " << r.uninstallerDecoded
        << "},\n  \"trailing_bytes\": " << r.fileSize - r.payloadEnd
        << ",\n  \"verified\": " << (r.verified ? "true" : "false") << "\n}\n";
}
