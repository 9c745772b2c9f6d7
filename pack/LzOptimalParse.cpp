#include "LzParse.h"

#include <algorithm>

namespace {

int FloorLog2(int a) { return 31 - __builtin_clz(static_cast<unsigned int>(a)); }

// Position of the smallest value in a range of positions, answered in constant
// time. Positions are added from the last one down, and a range may only
// cover positions already added.
class BackwardRangeMin {
public:
    BackwardRangeMin(const std::vector<int>& values, int longestRange)
        : values_(values), size_(static_cast<int>(values.size())), levels_(FloorLog2(longestRange) + 1),
          table_(static_cast<size_t>(levels_) * size_)
    {
    }

    void Add(int position)
    {
        At(0, position) = position;
        for (int k = 1; k < levels_ && position + (1 << k) <= size_; ++k)
            At(k, position) = Smaller(At(k - 1, position), At(k - 1, position + (1 << (k - 1))));
    }

    int ArgMin(int first, int last)
    {
        int k = FloorLog2(last - first + 1);
        return Smaller(At(k, first), At(k, last - (1 << k) + 1));
    }

private:
    // The smallest of positions x .. x + 2^k - 1.
    int& At(int k, int x) { return table_[static_cast<size_t>(k) * size_ + x]; }
    int Smaller(int a, int b) const { return values_[b] < values_[a] ? b : a; }

    const std::vector<int>& values_;
    int size_;
    int levels_;
    std::vector<int> table_;
};

}  // namespace

// Shortest path from the end of the block backwards. A match's position field
// costs the same whatever its index, so at each position the longest earlier
// match stands for every shorter one; lengths sharing a length code cost the
// same, so each code needs only the cheapest place to end among its lengths.
std::vector<LzToken> LzParseOptimal(const unsigned char* block, int size)
{
    if (size == 0) return {};
    std::vector<int> longest, source;
    FindLongestPreviousMatches(block, size, longest, source);

    std::vector<int> cost(size + 1);  // bits that code bytes i.. once i are produced
    std::vector<int> step(size + 1);  // length of the first token there
    // Lengths of one code span at most 2^code of them.
    int longestMatch = *std::max_element(longest.begin(), longest.end());
    BackwardRangeMin cheapest(cost, 1 << LzLengthCode(std::max(longestMatch, kLzMinMatch)));
    cost[size] = 0;
    cheapest.Add(size);
    for (int i = size - 1; i >= 0; --i) {
        cost[i] = kLzLiteralBits + cost[i + 1];
        step[i] = 1;
        // The first token of a block is a literal: nothing is there to copy.
        for (int code = 0; i > 0; ++code) {
            int shortest = (1 << code) + 1;
            if (shortest > longest[i]) break;
            int end = cheapest.ArgMin(i + shortest, i + std::min(2 << code, longest[i]));
            int bits = LzMatchBits(shortest, i) + cost[end];
            if (bits < cost[i]) {
                cost[i] = bits;
                step[i] = end - i;
            }
        }
        cheapest.Add(i);
    }

    std::vector<LzToken> tokens;
    for (int i = 0; i < size; i += step[i]) tokens.push_back({step[i], source[i]});
    return tokens;
}
