#pragma once
#include <cstdint>
#include <optional>
#include <string>

class CInFileStream;

// Block streams in files, through the installer's own decoder.

// Walks the block headers of a stream of `length` bytes that starts at the
// input's position and returns the size the stream decodes to; nothing when
// the blocks do not add up to exactly `length` bytes. Leaves the input after
// the stream.
std::optional<int64_t> BlockStreamDecodedSize(CInFileStream& in, int length);

// Decodes a stream of `length` bytes that starts at the input's position into
// a new file at outPath; false when the stream is damaged.
bool DecodeBlockStreamToFile(CInFileStream& in, int length, const std::string& outPath);
