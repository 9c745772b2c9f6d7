#pragma once
#include <filesystem>

// Raw block streams, without a size field in front, to and from files.
void LzEncodeFile(const std::filesystem::path& input, const std::filesystem::path& output);
void LzDecodeFile(const std::filesystem::path& input, const std::filesystem::path& output);
