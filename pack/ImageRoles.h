#pragma once
#include "PayloadLayout.h"

// The six images by role: the manifest's key, the file name that extract
// writes, and the pixel size of the control that shows the image.
struct ImageRoleInfo {
    const char* key;
    int width;
    int height;
};

const ImageRoleInfo kImageRoles[IMAGE_COUNT] = {
    {"step1", 438, 155}, {"step2", 438, 155}, {"step3", 438, 155},
    {"step3_late", 438, 155}, {"banner", 495, 60}, {"spare_banner", 495, 60},
};

// Only the spare banner may be left out: the wizard draws the other five.
inline bool ImageRequired(int index) { return index != ImageSpareBanner; }
