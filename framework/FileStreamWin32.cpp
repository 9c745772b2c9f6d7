#include "FileStream.h"

#include <windows.h>

namespace {

const long long kClosed = -1;

HANDLE AsHandle(long long h) { return reinterpret_cast<HANDLE>(static_cast<intptr_t>(h)); }

long long FromHandle(HANDLE h)
{
    return h == INVALID_HANDLE_VALUE ? kClosed : static_cast<long long>(reinterpret_cast<intptr_t>(h));
}

bool SeekHandle(long long h, StreamPos offset, DWORD method)
{
    if (h == kClosed) return false;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    return SetFilePointerEx(AsHandle(h), distance, nullptr, method) != 0;
}

StreamPos TellHandle(long long h)
{
    if (h == kClosed) return -1;
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(AsHandle(h), zero, &position, FILE_CURRENT)) return -1;
    return position.QuadPart;
}

void CloseHandleOf(long long& h)
{
    if (h != kClosed) CloseHandle(AsHandle(h));
    h = kClosed;
}

}  // namespace

CInFileStream::CInFileStream() : handle_(kClosed), failed_(false) {}

CInFileStream::CInFileStream(const char* path) : handle_(kClosed), failed_(false) { Open(path); }

CInFileStream::~CInFileStream() { Close(); }

bool CInFileStream::Open(const char* path)
{
    Close();
    failed_ = false;
    handle_ = FromHandle(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return IsOpen();
}

bool CInFileStream::IsOpen() const { return handle_ != kClosed; }

void CInFileStream::Close() { CloseHandleOf(handle_); }

int CInFileStream::Read(void* buffer, int count)
{
    if (count <= 0) return 0;
    if (failed_ || !IsOpen()) {
        failed_ = true;
        return 0;
    }
    DWORD got = 0;
    if (!ReadFile(AsHandle(handle_), buffer, static_cast<DWORD>(count), &got, nullptr)) got = 0;
    if (static_cast<int>(got) < count) failed_ = true;
    return static_cast<int>(got);
}

bool CInFileStream::SeekFromStart(StreamPos offset) { return SeekHandle(handle_, offset, FILE_BEGIN); }

bool CInFileStream::SeekFromCurrent(StreamPos offset) { return SeekHandle(handle_, offset, FILE_CURRENT); }

StreamPos CInFileStream::Tell() const { return TellHandle(handle_); }

COutFileStream::COutFileStream() : handle_(kClosed), failed_(false) {}

COutFileStream::COutFileStream(const char* path) : handle_(kClosed), failed_(false) { Open(path); }

COutFileStream::~COutFileStream() { Close(); }

bool COutFileStream::Open(const char* path)
{
    Close();
    failed_ = false;
    handle_ = FromHandle(CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
    return IsOpen();
}

bool COutFileStream::IsOpen() const { return handle_ != kClosed; }

void COutFileStream::Close() { CloseHandleOf(handle_); }

bool COutFileStream::Write(const void* data, int count)
{
    if (count < 0 || failed_ || !IsOpen()) {
        failed_ = true;
        return false;
    }
    if (count == 0) return true;
    DWORD written = 0;
    if (!WriteFile(AsHandle(handle_), data, static_cast<DWORD>(count), &written, nullptr) ||
        static_cast<int>(written) != count)
        failed_ = true;
    return !failed_;
}

StreamPos COutFileStream::Tell() const { return TellHandle(handle_); }
