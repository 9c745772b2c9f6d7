#pragma once
#include <filesystem>
#include <string>

#include "BmpFile.h"

// Loads a 24-bit BMP or a PNG, told apart by their signatures.
Raster LoadImageFile(const std::filesystem::path& path);

// Scales to width x height keeping the aspect ratio; the margins take the
// wizard's background grey.
Raster FitRaster(const Raster& raster, int width, int height);

// The BMP file that the payload carries as image `index`. Artwork of another
// size than the role's is refused, naming the field, unless `fit` is set.
Bytes MakeRoleImage(const std::filesystem::path& path, int index, bool fit);
