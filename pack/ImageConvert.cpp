#include "ImageConvert.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <png.h>
#include <vector>

#include "ImageRoles.h"
#include "PackError.h"

namespace {

const uint64_t kLargestImageFile = 64u << 20;
const int kLargestSide = 16384;
const uint8_t kWizardGrey = 235;

Raster DecodePng(const Bytes& file, const std::string& what)
{
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size()))
        throw PackError(what + ": unreadable PNG: " + image.message);
    if (image.width == 0 || image.height == 0 || image.width > kLargestSide || image.height > kLargestSide) {
        png_image_free(&image);
        throw PackError(what + ": PNG of " + std::to_string(image.width) + "x" + std::to_string(image.height) +
                        " pixels is out of range");
    }
    image.format = PNG_FORMAT_RGB;
    Raster r;
    r.width = static_cast<int>(image.width);
    r.height = static_cast<int>(image.height);
    r.rgb.resize(PNG_IMAGE_SIZE(image));
    png_color background = {kWizardGrey, kWizardGrey, kWizardGrey};
    if (!png_image_finish_read(&image, &background, r.rgb.data(), 0, nullptr))
        throw PackError(what + ": damaged PNG: " + image.message);
    return r;
}

// For each destination pixel of a line, the source pixels it covers and how
// much of each (an area average, which also serves for enlarging).
struct Tap {
    int source;
    float weight;
};

std::vector<std::vector<Tap>> AreaTaps(int from, int to)
{
    std::vector<std::vector<Tap>> taps(to);
    double scale = static_cast<double>(from) / to;
    for (int d = 0; d < to; ++d) {
        double begin = d * scale, end = (d + 1) * scale;
        for (int s = static_cast<int>(begin); s < from && s < end; ++s) {
            double cover = std::min<double>(end, s + 1) - std::max<double>(begin, s);
            if (cover > 0) taps[d].push_back({s, static_cast<float>(cover / scale)});
        }
    }
    return taps;
}

Raster Resample(const Raster& src, int width, int height)
{
    std::vector<std::vector<Tap>> across = AreaTaps(src.width, width), down = AreaTaps(src.height, height);
    std::vector<float> rows(static_cast<size_t>(src.height) * width * 3, 0.0f);
    for (int y = 0; y < src.height; ++y)
        for (int x = 0; x < width; ++x)
            for (const Tap& t : across[x])
                for (int c = 0; c < 3; ++c)
                    rows[(static_cast<size_t>(y) * width + x) * 3 + c] +=
                        t.weight * src.rgb[(static_cast<size_t>(y) * src.width + t.source) * 3 + c];
    Raster out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                float sum = 0;
                for (const Tap& t : down[y]) sum += t.weight * rows[(static_cast<size_t>(t.source) * width + x) * 3 + c];
                out.rgb[(static_cast<size_t>(y) * width + x) * 3 + c] =
                    static_cast<uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
            }
    return out;
}

}  // namespace

Raster LoadImageFile(const std::filesystem::path& path)
{
    Bytes file = ReadFileBytes(path, kLargestImageFile);
    static const uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() >= 8 && std::memcmp(file.data(), kPngSignature, 8) == 0) return DecodePng(file, path.string());
    return DecodeBmp24(file, path.string());
}

Raster FitRaster(const Raster& raster, int width, int height)
{
    double scale = std::min(static_cast<double>(width) / raster.width, static_cast<double>(height) / raster.height);
    int scaledWidth = std::clamp(static_cast<int>(std::lround(raster.width * scale)), 1, width);
    int scaledHeight = std::clamp(static_cast<int>(std::lround(raster.height * scale)), 1, height);
    Raster scaled = Resample(raster, scaledWidth, scaledHeight);
    Raster out;
    out.width = width;
    out.height = height;
    out.rgb.assign(static_cast<size_t>(width) * height * 3, kWizardGrey);
    int left = (width - scaledWidth) / 2, top = (height - scaledHeight) / 2;
    for (int y = 0; y < scaledHeight; ++y)
        std::memcpy(&out.rgb[(static_cast<size_t>(top + y) * width + left) * 3],
                    &scaled.rgb[static_cast<size_t>(y) * scaledWidth * 3], static_cast<size_t>(scaledWidth) * 3);
    return out;
}

Bytes MakeRoleImage(const std::filesystem::path& path, int index, bool fit)
{
    const ImageRoleInfo& role = kImageRoles[index];
    std::string field = std::string("images.") + role.key;
    Raster raster = WithField(field, [&] { return LoadImageFile(path); });
    if (raster.width != role.width || raster.height != role.height) {
        if (!fit)
            throw PackError(field + ": " + path.string() + " is " + std::to_string(raster.width) + "x" +
                            std::to_string(raster.height) + " pixels; this image must be " +
                            std::to_string(role.width) + "x" + std::to_string(role.height) +
                            " (or pass --fit to scale it)");
        raster = FitRaster(raster, role.width, role.height);
    }
    return EncodeBmp24(raster);
}
