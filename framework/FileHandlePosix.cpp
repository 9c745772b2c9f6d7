#include "FileHandle.h"

#include <fcntl.h>
#include <unistd.h>

namespace filehandle {

Handle OpenForReading(const char* path) { return open(path, O_RDONLY | O_CLOEXEC); }

Handle CreateForWriting(const char* path) { return open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644); }

void Close(Handle file) { close(static_cast<int>(file)); }

int Read(Handle file, void* buffer, int count)
{
    int total = 0;
    while (total < count) {
        ssize_t n = read(static_cast<int>(file), static_cast<char*>(buffer) + total, static_cast<size_t>(count - total));
        if (n <= 0) break;
        total += static_cast<int>(n);
    }
    return total;
}

bool Write(Handle file, const void* data, int count)
{
    int total = 0;
    while (total < count) {
        ssize_t n =
            write(static_cast<int>(file), static_cast<const char*>(data) + total, static_cast<size_t>(count - total));
        if (n <= 0) return false;
        total += static_cast<int>(n);
    }
    return true;
}

bool Seek(Handle file, StreamPos offset, bool fromCurrent)
{
    return lseek(static_cast<int>(file), static_cast<off_t>(offset), fromCurrent ? SEEK_CUR : SEEK_SET) !=
           static_cast<off_t>(-1);
}

StreamPos Tell(Handle file) { return static_cast<StreamPos>(lseek(static_cast<int>(file), 0, SEEK_CUR)); }

}  // namespace filehandle
