#include "LzParse.h"

namespace {

const int kChainDepth = 256;

}  // namespace

// Takes at each position the longest match found along a hash chain of the
// two bytes there, when it codes shorter than literals.
std::vector<LzToken> LzParseGreedy(const unsigned char* block, int size)
{
    std::vector<int> head(1 << 16, -1), previous(size, -1);
    auto keyAt = [&](int i) { return block[i] << 8 | block[i + 1]; };
    auto insert = [&](int i) {
        if (i + 1 >= size) return;
        previous[i] = head[keyAt(i)];
        head[keyAt(i)] = i;
    };

    std::vector<LzToken> tokens;
    int i = 0;
    while (i < size) {
        int bestLength = 0, bestIndex = 0;
        if (i > 0 && i + 1 < size) {
            int limit = size - i;
            int depth = 0;
            for (int j = head[keyAt(i)]; j >= 0 && depth < kChainDepth && bestLength < limit; j = previous[j]) {
                ++depth;
                int length = 0;
                while (length < limit && block[j + length] == block[i + length]) ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestIndex = j;
                }
            }
        }
        if (bestLength >= kLzMinMatch && LzMatchBits(bestLength, i) < kLzLiteralBits * bestLength) {
            tokens.push_back({bestLength, bestIndex});
        } else {
            bestLength = 1;
            tokens.push_back({1, 0});
        }
        for (int k = 0; k < bestLength; ++k) insert(i + k);
        i += bestLength;
    }
    return tokens;
}
