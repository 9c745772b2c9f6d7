#include "SetupInfo.h"

#include <stdlib.h>
#include <string.h>

#include "FileStream.h"
#include "LzUnpacker.h"

namespace {

// No stream that keeps the block format's rules needs more than 6 bytes per
// decoded byte (a one-byte block coded as a literal), so a larger packed
// length cannot belong to an image that fits the work buffer.
const unsigned int kMaxPackedImage = 6u * IMAGE_BUF_SIZE;

// Reads the size field of an archive or of the uninstaller and records where
// its bytes begin, then steps over them.
void ReadBlobRecord(CInFileStream& in, int* position, int* size)
{
    *size = static_cast<int>(CSetupInfo::ReadUint32(in));
    *position = static_cast<int>(in.Tell());
    in.SeekFromCurrent(*size);
}

}  // namespace

CSetupInfo::CSetupInfo()
    : images(), imagesize(), linkcount(0), links(), zippos(), zipsize(), uninstpos(0), uninstsize(0)
{
    title[0] = version[0] = vendorkey[0] = installdir[0] = menufolder[0] = '\0';
}

CSetupInfo::~CSetupInfo()
{
    for (int i = 0; i < IMAGE_COUNT; ++i) {
        free(images[i]);
        images[i] = nullptr;
        imagesize[i] = 0;
    }
}

unsigned int CSetupInfo::ReadUint32(CInFileStream& in)
{
    unsigned char raw[4] = {0, 0, 0, 0};
    in.Read(raw, 4);
    return raw[0] | (raw[1] << 8) | (raw[2] << 16) | (static_cast<unsigned int>(raw[3]) << 24);
}

bool CSetupInfo::ReadCountedString(char* buffer, CInFileStream& in)
{
    unsigned int length = ReadUint32(in);
    buffer[0] = '\0';
    if (length > static_cast<unsigned int>(MAX_TEXT_LEN)) {
        in.SeekFromCurrent(length);
        return false;
    }
    int got = in.Read(buffer, static_cast<int>(length));
    buffer[got] = '\0';
    return true;
}

int CSetupInfo::ReadPackedImage(unsigned char** image, CInFileStream& in)
{
    *image = nullptr;
    if (!in.IsOpen()) return -1;
    unsigned int packedLength = ReadUint32(in);
    if (packedLength == 0) return 0;
    if (packedLength > kMaxPackedImage) return -1;

    unsigned char* packed = static_cast<unsigned char*>(malloc(packedLength));
    if (!packed) return -1;
    // A stream cut short by the end of the file is decoded only as far as it
    // was read; the decoder then finds its blocks incomplete.
    int got = in.Read(packed, static_cast<int>(packedLength));

    unsigned char* work = static_cast<unsigned char*>(malloc(IMAGE_BUF_SIZE));
    if (!work) {
        free(packed);
        return -1;
    }
    CLzUnpacker unpacker;
    int decoded = unpacker.UnpackBuffer(work, IMAGE_BUF_SIZE, packed, got);
    if (decoded > 0) {
        *image = static_cast<unsigned char*>(malloc(decoded));
        if (*image)
            memcpy(*image, work, decoded);
        else
            decoded = -1;
    }
    free(packed);
    free(work);
    return decoded;
}

int CSetupInfo::ReadHeader(CInFileStream& in)
{
    bool sound = true;
    sound &= ReadCountedString(title, in);
    sound &= ReadCountedString(version, in);
    sound &= ReadCountedString(vendorkey, in);
    sound &= ReadCountedString(installdir, in);
    sound &= ReadCountedString(menufolder, in);

    linkcount = static_cast<int>(ReadUint32(in));
    // Entries beyond the table are read into a scratch record so that the
    // stream stays in step; the header then counts as unsound.
    ShortcutEntry excess;
    for (int i = 0; i < linkcount && !(i >= MAX_LINKS && in.Failed()); ++i) {
        ShortcutEntry& entry = i < MAX_LINKS ? links[i] : excess;
        sound &= ReadCountedString(entry.name, in);
        sound &= ReadCountedString(entry.target, in);
        sound &= ReadCountedString(entry.icon, in);
        entry.location = static_cast<int>(ReadUint32(in));
    }
    if (linkcount > MAX_LINKS) {
        linkcount = MAX_LINKS;
        sound = false;
    }

    for (int i = 0; i < IMAGE_COUNT; ++i) {
        int length = ReadPackedImage(&images[i], in);
        if (length < 0) return 0;
        imagesize[i] = length;
    }

    for (int i = 0; i < ARCHIVE_COUNT; ++i) ReadBlobRecord(in, &zippos[i], &zipsize[i]);
    ReadBlobRecord(in, &uninstpos, &uninstsize);
    return sound ? 1 : 0;
}
