#pragma once
// Where the payload sits in the installer file and the fixed sizes of what it
// carries. The packaging tool and the stub share these numbers.

const int PAYLOAD_OFFSET = 278528;    // 0x44000: the stub's own length
const int PATH_BUF_SIZE = 260;        // every text and path buffer
const int MAX_TEXT_LEN = PATH_BUF_SIZE - 1;
const int MAX_LINKS = 8;              // shortcut entries the header can hold
const int IMAGE_COUNT = 6;
const int IMAGE_BUF_SIZE = 1048576;   // largest decoded image
const int ARCHIVE_COUNT = 2;

enum ImageRole {
    ImageStep1Art = 0,
    ImageStep2Art = 1,
    ImageStep3Art = 2,
    ImageStep3LateArt = 3,
    ImageBanner = 4,
    ImageSpareBanner = 5,
};

enum LinkLocation {
    LinkDesktop = 0,
    LinkProgramMenu = 1,
};
