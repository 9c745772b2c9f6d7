#include "FileHandle.h"

#include <windows.h>

namespace filehandle {
namespace {

HANDLE AsHandle(Handle file) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(file)); }

Handle FromHandle(HANDLE file)
{
    return file == INVALID_HANDLE_VALUE ? kNone : static_cast<Handle>(reinterpret_cast<intptr_t>(file));
}

}  // namespace

Handle OpenForReading(const char* path)
{
    return FromHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

Handle CreateForWriting(const char* path)
{
    return FromHandle(
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void Close(Handle file) { CloseHandle(AsHandle(file)); }

int Read(Handle file, void* buffer, int count)
{
    DWORD got = 0;
    if (!ReadFile(AsHandle(file), buffer, static_cast<DWORD>(count), &got, nullptr)) return 0;
    return static_cast<int>(got);
}

bool Write(Handle file, const void* data, int count)
{
    DWORD written = 0;
    return WriteFile(AsHandle(file), data, static_cast<DWORD>(count), &written, nullptr) &&
           static_cast<int>(written) == count;
}

bool Seek(Handle file, StreamPos offset, bool fromCurrent)
{
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(AsHandle(file), distance, nullptr, fromCurrent ? FILE_CURRENT : FILE_BEGIN) != 0;
}

StreamPos Tell(Handle file)
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(AsHandle(file), zero, &position, FILE_CURRENT)) return -1;
    return position.QuadPart;
}

}  // namespace filehandle
