#pragma once
// Parsing a block into tokens, and what each token costs in the bit stream.

#include "LzUnpacker.h"

#include <vector>

// A literal (length 1) or a match copying length bytes from index, both
// counted from the start of the block.
struct LzToken {
    int length;
    int index;
};

const int kLzLiteralBits = 9;
const int kLzMinMatch = 2;

// The c of the length code: lengths 2^c + 1 to 2^(c+1) share it (c = 0 is length 2).
inline int LzLengthCode(int length) { return CLzUnpacker::CeilLog2(length) - 1; }

// A match's flag bit, length code and position field, with produced bytes before it.
inline int LzMatchBits(int length, int produced)
{
    return 2 + 2 * LzLengthCode(length) + CLzUnpacker::CeilLog2(produced);
}

// For every position of the block, the longest match with an earlier start
// (it may overlap the position itself) and where it starts; length 0 when none.
void FindLongestPreviousMatches(const unsigned char* block, int size, std::vector<int>& length,
                                std::vector<int>& index);

std::vector<LzToken> LzParseOptimal(const unsigned char* block, int size);
std::vector<LzToken> LzParseGreedy(const unsigned char* block, int size);
