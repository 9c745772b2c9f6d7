#pragma once
// Encoder of the block stream that the installer's CLzUnpacker decodes.

#include <cstddef>
#include <vector>

enum class LzParse {
    Optimal,  // fewest bits for every block
    Greedy,   // longest match first, from hash chains; kept for comparison
};

// Codes data as blocks of 65536 bytes, the last one holding the rest. A block
// is stored as it is whenever coding would not make it shorter.
std::vector<unsigned char> LzEncodeStream(const unsigned char* data, size_t size,
                                          LzParse parse = LzParse::Optimal);
