// Speed of the block-stream decoder and encoder, and what the optimal parse
// saves over a greedy one on artwork-like images.
#include <chrono>
#include <cstdio>

#include "LzEncoder.h"
#include "LzUnpacker.h"
#include "SampleData.h"

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double EncodeSeconds(const SampleBytes& data, LzParse parse, std::vector<unsigned char>& stream)
{
    Clock::time_point start = Clock::now();
    stream = LzEncodeStream(data.data(), data.size(), parse);
    return SecondsSince(start);
}

bool ReportDecoder(const SampleBytes& image, const std::vector<unsigned char>& stream)
{
    SampleBytes decoded(image.size());
    CLzUnpacker unpacker;
    int rounds = 0;
    Clock::time_point start = Clock::now();
    do {
        if (unpacker.UnpackBuffer(decoded.data(), static_cast<int>(decoded.size()), stream.data(),
                                  static_cast<int>(stream.size())) != static_cast<int>(image.size()) ||
            decoded != image) {
            std::fprintf(stderr, "lz-bench: the decoded image differs from the original\n");
            return false;
        }
        ++rounds;
    } while (SecondsSince(start) < 1.0);
    double seconds = SecondsSince(start) / rounds;
    std::printf("decoder: %.0f MB/s on a %zu-byte image packed to %zu bytes\n", image.size() / seconds / 1e6,
                image.size(), stream.size());
    return true;
}

void ReportArtwork(const char* name, const SampleBytes& image)
{
    std::vector<unsigned char> optimal, greedy;
    double optimalSeconds = EncodeSeconds(image, LzParse::Optimal, optimal);
    EncodeSeconds(image, LzParse::Greedy, greedy);
    std::printf("%-8s %7zu bytes -> optimal %7zu (%.1f%%), greedy %7zu (%.1f%%): %.2f%% smaller, encoded in %.3f s\n",
                name, image.size(), optimal.size(), 100.0 * optimal.size() / image.size(), greedy.size(),
                100.0 * greedy.size() / image.size(), 100.0 - 100.0 * optimal.size() / greedy.size(), optimalSeconds);
}

}  // namespace

int main()
{
    SampleBytes image = ArtworkBytes(1 << 20, 11);
    std::vector<unsigned char> optimal, greedy;
    double optimalSeconds = EncodeSeconds(image, LzParse::Optimal, optimal);
    double greedySeconds = EncodeSeconds(image, LzParse::Greedy, greedy);
    std::printf("encoder: %zu bytes in %.3f s optimal (%zu bytes), %.3f s greedy (%zu bytes)\n", image.size(),
                optimalSeconds, optimal.size(), greedySeconds, greedy.size());
    if (!ReportDecoder(image, optimal)) return 1;

    ReportArtwork("438x155", MakeArtwork(438, 155, 1));
    ReportArtwork("495x60", MakeArtwork(495, 60, 2));
    return 0;
}
