#include "FileStream.h"

#include "FileHandle.h"

CInFileStream::CInFileStream() : handle_(filehandle::kNone), failed_(false) {}

CInFileStream::CInFileStream(const char* path) : handle_(filehandle::kNone), failed_(false) { Open(path); }

CInFileStream::~CInFileStream() { Close(); }

bool CInFileStream::Open(const char* path)
{
    Close();
    failed_ = false;
    handle_ = filehandle::OpenForReading(path);
    return IsOpen();
}

bool CInFileStream::IsOpen() const { return handle_ != filehandle::kNone; }

void CInFileStream::Close()
{
    if (IsOpen()) filehandle::Close(handle_);
    handle_ = filehandle::kNone;
}

int CInFileStream::Read(void* buffer, int count)
{
    if (count <= 0) return 0;
    if (failed_ || !IsOpen()) {
        failed_ = true;
        return 0;
    }
    int got = filehandle::Read(handle_, buffer, count);
    if (got < count) failed_ = true;
    return got;
}

bool CInFileStream::SeekFromStart(StreamPos offset) { return IsOpen() && filehandle::Seek(handle_, offset, false); }

bool CInFileStream::SeekFromCurrent(StreamPos offset) { return IsOpen() && filehandle::Seek(handle_, offset, true); }

StreamPos CInFileStream::Tell() const { return IsOpen() ? filehandle::Tell(handle_) : -1; }

COutFileStream::COutFileStream() : handle_(filehandle::kNone), failed_(false) {}

COutFileStream::COutFileStream(const char* path) : handle_(filehandle::kNone), failed_(false) { Open(path); }

COutFileStream::~COutFileStream() { Close(); }

bool COutFileStream::Open(const char* path)
{
    Close();
    failed_ = false;
    handle_ = filehandle::CreateForWriting(path);
    return IsOpen();
}

bool COutFileStream::IsOpen() const { return handle_ != filehandle::kNone; }

void COutFileStream::Close()
{
    if (IsOpen()) filehandle::Close(handle_);
    handle_ = filehandle::kNone;
}

bool COutFileStream::Write(const void* data, int count)
{
    if (count < 0 || failed_ || !IsOpen()) {
        failed_ = true;
        return false;
    }
    if (count > 0 && !filehandle::Write(handle_, data, count)) failed_ = true;
    return !failed_;
}

StreamPos COutFileStream::Tell() const { return IsOpen() ? filehandle::Tell(handle_) : -1; }
