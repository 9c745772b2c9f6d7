#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

// Reads a whole regular file. Refuses, naming the file, one that is missing,
// not a regular file, or larger than maxSize bytes.
Bytes ReadFileBytes(const std::filesystem::path& path, uint64_t maxSize);

// Size of a regular file; refuses anything else, naming it.
uint64_t RegularFileSize(const std::filesystem::path& path);

// Writes count bytes or fails naming what is being written.
void WriteAll(FILE* out, const void* data, size_t count, const std::string& what);

// Copies count bytes from in, starting at offset, to out.
void CopyRange(FILE* in, int64_t offset, int64_t count, FILE* out, const std::string& what);
