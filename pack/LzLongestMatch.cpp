#include "LzParse.h"

#include <algorithm>

namespace {

// Suffix array by prefix doubling with counting sorts; a suffix that ends
// sorts before every longer one it starts.
std::vector<int> BuildSuffixArray(const unsigned char* s, int n)
{
    std::vector<int> sa(n), rank(n), scratch(n), count(std::max(256, n) + 1);
    for (int i = 0; i < n; ++i) ++count[s[i]];
    for (int c = 1; c < 256; ++c) count[c] += count[c - 1];
    for (int i = n - 1; i >= 0; --i) sa[--count[s[i]]] = i;
    rank[sa[0]] = 0;
    for (int r = 1; r < n; ++r) rank[sa[r]] = rank[sa[r - 1]] + (s[sa[r]] != s[sa[r - 1]]);

    for (int k = 1; rank[sa[n - 1]] < n - 1; k <<= 1) {
        // Order by the rank k bytes further on, then stably by the own rank.
        int p = 0;
        for (int i = n - k; i < n; ++i) scratch[p++] = i;
        for (int r = 0; r < n; ++r)
            if (sa[r] >= k) scratch[p++] = sa[r] - k;
        int classes = rank[sa[n - 1]] + 1;
        std::fill(count.begin(), count.begin() + classes, 0);
        for (int i = 0; i < n; ++i) ++count[rank[i]];
        for (int c = 1; c < classes; ++c) count[c] += count[c - 1];
        for (int i = n - 1; i >= 0; --i) sa[--count[rank[scratch[i]]]] = scratch[i];

        auto rankAhead = [&](int i) { return i + k < n ? rank[i + k] : -1; };
        scratch[sa[0]] = 0;
        for (int r = 1; r < n; ++r) {
            int a = sa[r - 1], b = sa[r];
            bool same = rank[a] == rank[b] && rankAhead(a) == rankAhead(b);
            scratch[b] = scratch[a] + (same ? 0 : 1);
        }
        rank.swap(scratch);
    }
    return sa;
}

// lcp[r]: common prefix of the suffixes of ranks r - 1 and r (Kasai et al.).
std::vector<int> BuildLcp(const unsigned char* s, int n, const std::vector<int>& sa)
{
    std::vector<int> rank(n), lcp(n, 0);
    for (int r = 0; r < n; ++r) rank[sa[r]] = r;
    int h = 0;
    for (int i = 0; i < n; ++i) {
        if (rank[i] == 0) {
            h = 0;
            continue;
        }
        int j = sa[rank[i] - 1];
        while (i + h < n && j + h < n && s[i + h] == s[j + h]) ++h;
        lcp[rank[i]] = h;
        if (h > 0) --h;
    }
    return lcp;
}

}  // namespace

// The longest earlier match of a suffix is shared with one of its nearest
// neighbours in suffix order that start earlier in the text, one on each side.
// A stack of ranks with increasing start positions finds both in one pass.
void FindLongestPreviousMatches(const unsigned char* block, int size, std::vector<int>& length,
                                std::vector<int>& index)
{
    length.assign(size, 0);
    index.assign(size, 0);
    if (size == 0) return;
    std::vector<int> sa = BuildSuffixArray(block, size);
    std::vector<int> lcp = BuildLcp(block, size, sa);

    auto offer = [&](int position, int common, int source) {
        if (common > length[position]) {
            length[position] = common;
            index[position] = source;
        }
    };
    struct Entry {
        int rank;
        int lcpBelow;  // with the entry under it
    };
    std::vector<Entry> stack;
    for (int r = 0; r < size; ++r) {
        int common = lcp[r];  // with rank r - 1, the entry on top
        while (!stack.empty() && sa[stack.back().rank] > sa[r]) {
            offer(sa[stack.back().rank], common, sa[r]);
            common = std::min(common, stack.back().lcpBelow);
            stack.pop_back();
        }
        if (!stack.empty()) offer(sa[r], common, sa[stack.back().rank]);
        stack.push_back({r, common});
    }
}
