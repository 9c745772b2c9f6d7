#pragma once
// The form of bitmap the wizard draws: a whole BMP file in memory, the
// 14-byte file header, the 40-byte information header and, at bfOffBits, the
// pixel rows: uncompressed (BI_RGB), 24 bits per pixel, bottom-up (positive
// height), rows padded to four bytes, biSizeImage filled in.

#include <stddef.h>

#include "PayloadLayout.h"

struct PackedBmp {
    const unsigned char* info;    // the 40-byte information header
    const unsigned char* pixels;  // biSizeImage bytes of pixel rows
    int width;
    int height;
};

// Fills bmp and returns true when the size bytes at file hold such a bitmap
// with every offset and size inside them: "BM", a 40-byte header, width and
// height above 0, 24 bits, BI_RGB, pixel data at or after the headers, and
// biSizeImage at most IMAGE_BUF_SIZE, within the file and large enough for
// all rows. False for a null file.
bool ParsePackedBmp(const unsigned char* file, size_t size, PackedBmp* bmp);
