#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/types.h>

// A file written under a temporary name in the folder of its final path and
// renamed into place by Commit, so that a failed run never leaves a partial
// file behind. Without Commit the temporary file is removed.
class OutputFile {
public:
    explicit OutputFile(const std::filesystem::path& target);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    FILE* Stream() { return stream_; }
    const std::string& TempPath() const { return tempPath_; }

    // Flushes, gives the file its mode and renames it to the target.
    void Commit(mode_t mode);

private:
    std::filesystem::path target_;
    std::string tempPath_;
    FILE* stream_ = nullptr;
};
