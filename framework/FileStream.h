#pragma once
// Binary file streams over the platform's file handles (Win32 handles in the
// stub, POSIX descriptors on the host). No text translation ever happens.
//
// A read that finds fewer bytes than asked puts the input stream into a
// failed state; from then on every read copies nothing and returns 0, while
// seeks and Tell are still carried out. The same holds for a short write on
// the output stream.

typedef long long StreamPos;

class CInFileStream {
public:
    CInFileStream();
    explicit CInFileStream(const char* path);
    ~CInFileStream();
    CInFileStream(const CInFileStream&) = delete;
    CInFileStream& operator=(const CInFileStream&) = delete;

    bool Open(const char* path);  // read only; false when the file cannot be opened
    bool IsOpen() const;
    void Close();

    // Copies up to count bytes into buffer and returns how many were copied.
    // Fewer than count (or a stream that is not open) sets the failed state.
    int Read(void* buffer, int count);
    bool Failed() const { return failed_; }

    bool SeekFromStart(StreamPos offset);
    bool SeekFromCurrent(StreamPos offset);
    StreamPos Tell() const;  // -1 when not open

private:
    long long handle_;  // platform handle, -1 when closed
    bool failed_;
};

class COutFileStream {
public:
    COutFileStream();
    explicit COutFileStream(const char* path);
    ~COutFileStream();
    COutFileStream(const COutFileStream&) = delete;
    COutFileStream& operator=(const COutFileStream&) = delete;

    bool Open(const char* path);  // created, or truncated when it exists
    bool IsOpen() const;
    void Close();

    // Writes all count bytes; a short or failed write sets the failed state
    // and every later write is refused.
    bool Write(const void* data, int count);
    bool Failed() const { return failed_; }

    StreamPos Tell() const;  // -1 when not open

private:
    long long handle_;
    bool failed_;
};
