#pragma once
#include "PayloadLayout.h"

class CInFileStream;
class COutFileStream;

struct ShortcutEntry {
    int location;  // a LinkLocation; any other value makes no shortcut
    char name[PATH_BUF_SIZE];
    char target[PATH_BUF_SIZE];
    char icon[PATH_BUF_SIZE];
};

// The install description: filled once from the payload header at start-up,
// read by the wizard and the install worker.
class CSetupInfo {
public:
    CSetupInfo();
    virtual ~CSetupInfo();
    CSetupInfo(const CSetupInfo&) = delete;
    CSetupInfo& operator=(const CSetupInfo&) = delete;

    // Reads the header from a stream positioned at the payload's first byte.
    // Returns 0 when an image cannot be read or the header does not fit the
    // fixed buffers (a text over 259 bytes, more than 8 shortcuts); 1 otherwise.
    int ReadHeader(CInFileStream& in);

    // Reads a 32-bit little-endian number; a read that comes up short keeps
    // only the bytes that were there (none: 0).
    static unsigned int ReadUint32(CInFileStream& in);

    // Reads one counted string into a PATH_BUF_SIZE buffer. A text longer than
    // 259 bytes is skipped, leaving the buffer empty and the stream in step,
    // and the result is false.
    static bool ReadCountedString(char* buffer, CInFileStream& in);

    // Decoded length (> 0) with *image set to a buffer of exactly that length;
    // 0 with *image null when the image is absent; -1 with *image null on failure.
    static int ReadPackedImage(unsigned char** image, CInFileStream& in);

    // Install worker: unpacks the archives, creates the shortcuts and writes
    // the uninstaller. 1 when every stage completed, 0 at the first failure.
    int ExtraFileFromInfo(CInFileStream& input);

    static void WriteCountedString(const char* text, COutFileStream& out);

    // Shell helpers of the shortcut stage. GetSpecialFolder fills a
    // PATH_BUF_SIZE buffer and returns 0 (buffer empty) when the folder cannot
    // be resolved. CreateShortcut returns 1 when the shortcut file was saved.
    // ReadShortcutTarget writes the existing shortcut's target, a blank and
    // its arguments into result (empty when it cannot be read) and returns
    // whether it could be read.
    static int GetSpecialFolder(char* path, int csidl);
    static int CreateShortcut(const char* link, const char* target, const char* icon);
    static int ReadShortcutTarget(const char* link, char* result, int size);

    char title[PATH_BUF_SIZE];
    char version[PATH_BUF_SIZE];
    char vendorkey[PATH_BUF_SIZE];
    char installdir[PATH_BUF_SIZE];
    unsigned char* images[IMAGE_COUNT];
    int imagesize[IMAGE_COUNT];  // decoded length of each image; 0 when absent
    char menufolder[PATH_BUF_SIZE];
    int linkcount;
    ShortcutEntry links[MAX_LINKS];
    int zippos[ARCHIVE_COUNT];
    int zipsize[ARCHIVE_COUNT];
    int uninstpos;
    int uninstsize;
};
