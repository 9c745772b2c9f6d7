#pragma once
// Extracts the entries of one ZIP archive on disk into a folder, keeping the
// stored folder paths, dates and times.

#include "UnzipApi.h"

struct UnzipEntryInfo {
    char filename[261];  // stored name, "/" turned into "\", at most 260 bytes
    char comment[256];
    unsigned int versionmadeby;
    unsigned int versionneeded;
    unsigned int flags;
    unsigned int method;
    unsigned int dosdatetime;  // date in the high 16 bits, time in the low 16
    unsigned int crc;
    unsigned int compressedsize;
    unsigned int uncompressedsize;
    unsigned int internalattr;
    unsigned int externalattr;
    bool isfolder;
};

// Every operation but GetEntryCount returns nonzero on success and 0 on
// failure. A folder of null means the output folder: the archive's path cut
// at its last "." until SetOutputFolder names another. Extraction refuses,
// before writing anything, an entry whose name would leave the folder and an
// output path over 259 bytes; it fails when the entry's data does not match
// its stored CRC-32 and size.
class CUnziper {
public:
    explicit CUnziper(const char* archivePath);
    virtual ~CUnziper();
    CUnziper(const CUnziper&) = delete;
    CUnziper& operator=(const CUnziper&) = delete;

    bool IsOpen() const { return archive != nullptr; }
    int Close();
    int SetOutputFolder(const char* folder);
    int GetEntryCount();
    int GotoEntry(int index);
    int GotoFirstEntry(const char* ext);
    int GotoNextEntry(const char* ext);
    int GetEntryInfo(UnzipEntryInfo* info);
    int UnzipCurrentFile(const char* folder, int flatten);
    int UnzipFile(int index, const char* folder, int flatten);
    static int ApplyDosTime(const char* path, unsigned int dosdatetime);

private:
    int StepToFirst();
    int StepToNext();

    unzFile archive;
    char outputdir[260];
    // Index of the library's current entry, or -1 when not known. Lets
    // GotoEntry walk on from where the library stands instead of from the
    // first entry, so that extracting every entry in order is linear.
    int currentIndex;
};
