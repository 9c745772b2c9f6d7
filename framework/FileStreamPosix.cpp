#include "FileStream.h"

#include <fcntl.h>
#include <unistd.h>

namespace {

const long long kClosed = -1;

int Fd(long long h) { return static_cast<int>(h); }

bool SeekFd(long long h, StreamPos offset, int whence)
{
    return h != kClosed && lseek(Fd(h), static_cast<off_t>(offset), whence) != static_cast<off_t>(-1);
}

StreamPos TellFd(long long h) { return h == kClosed ? -1 : static_cast<StreamPos>(lseek(Fd(h), 0, SEEK_CUR)); }

void CloseFd(long long& h)
{
    if (h != kClosed) close(Fd(h));
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
    handle_ = open(path, O_RDONLY | O_CLOEXEC);
    return IsOpen();
}

bool CInFileStream::IsOpen() const { return handle_ != kClosed; }

void CInFileStream::Close() { CloseFd(handle_); }

int CInFileStream::Read(void* buffer, int count)
{
    if (count <= 0) return 0;
    if (failed_ || !IsOpen()) {
        failed_ = true;
        return 0;
    }
    int total = 0;
    while (total < count) {
        ssize_t n = read(Fd(handle_), static_cast<char*>(buffer) + total, static_cast<size_t>(count - total));
        if (n <= 0) break;
        total += static_cast<int>(n);
    }
    if (total < count) failed_ = true;
    return total;
}

bool CInFileStream::SeekFromStart(StreamPos offset) { return SeekFd(handle_, offset, SEEK_SET); }

bool CInFileStream::SeekFromCurrent(StreamPos offset) { return SeekFd(handle_, offset, SEEK_CUR); }

StreamPos CInFileStream::Tell() const { return TellFd(handle_); }

COutFileStream::COutFileStream() : handle_(kClosed), failed_(false) {}

COutFileStream::COutFileStream(const char* path) : handle_(kClosed), failed_(false) { Open(path); }

COutFileStream::~COutFileStream() { Close(); }

bool COutFileStream::Open(const char* path)
{
    Close();
    failed_ = false;
    handle_ = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return IsOpen();
}

bool COutFileStream::IsOpen() const { return handle_ != kClosed; }

void COutFileStream::Close() { CloseFd(handle_); }

bool COutFileStream::Write(const void* data, int count)
{
    if (count < 0 || failed_ || !IsOpen()) {
        failed_ = true;
        return false;
    }
    int total = 0;
    while (total < count) {
        ssize_t n = write(Fd(handle_), static_cast<const char*>(data) + total, static_cast<size_t>(count - total));
        if (n <= 0) break;
        total += static_cast<int>(n);
    }
    if (total < count) failed_ = true;
    return !failed_;
}

StreamPos COutFileStream::Tell() const { return TellFd(handle_); }
