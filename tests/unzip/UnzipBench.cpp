// unzip-bench ARCHIVE FOLDER
//   Extracts every entry of ARCHIVE into FOLDER by index, as the install
//   engine does, and prints the entry count, the bytes written and the time.
// unzip-bench --in-order ARCHIVE | --reverse ARCHIVE
//   Only moves to every index, in order (one directory step each) or in
//   reverse order (each move walks again from the first entry), and prints
//   the time.

#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "Unziper.h"

namespace {

double Seconds(const LARGE_INTEGER& start)
{
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

int Extract(const char* archive, const char* folder)
{
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    CUnziper unziper(archive);
    if (!unziper.SetOutputFolder(folder)) {
        fprintf(stderr, "cannot make %s\n", folder);
        return 1;
    }
    int count = unziper.GetEntryCount();
    double bytes = 0;
    for (int i = 0; i < count; ++i) {
        UnzipEntryInfo info;
        if (!unziper.UnzipFile(i, nullptr, 0) || !unziper.GetEntryInfo(&info)) {
            fprintf(stderr, "entry %d failed\n", i);
            return 1;
        }
        bytes += info.uncompressedsize;
    }
    unziper.Close();
    printf("entries %d bytes %.0f seconds %.3f\n", count, bytes, Seconds(start));
    return 0;
}

int Positions(const char* archive, bool reverse)
{
    CUnziper unziper(archive);
    int count = unziper.GetEntryCount();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    for (int i = 0; i < count; ++i)
        if (!unziper.GotoEntry(reverse ? count - 1 - i : i)) return 1;
    printf("entries %d %s %.3f s\n", count, reverse ? "reverse" : "in-order", Seconds(start));
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && strcmp(argv[1], "--in-order") == 0) return Positions(argv[2], false);
    if (argc == 3 && strcmp(argv[1], "--reverse") == 0) return Positions(argv[2], true);
    if (argc == 3) return Extract(argv[1], argv[2]);
    fprintf(stderr, "usage: unzip-bench ARCHIVE FOLDER | unzip-bench --in-order|--reverse ARCHIVE\n");
    return 2;
}
