#pragma once
// Deterministic data for the encoder tests and the benchmark.
#include <cstddef>
#include <vector>

using SampleBytes = std::vector<unsigned char>;

SampleBytes RandomBytes(size_t size, unsigned seed);

// Sentences drawn from a small vocabulary, like a text or script file.
SampleBytes RepetitiveText(size_t size, unsigned seed);

// A 24-bit BMP file like installer artwork: smooth gradients, lines of
// text-like glyphs, a noisy photo-like panel on the right and a plain
// dialog-grey strip along the bottom.
SampleBytes MakeArtwork(int width, int height, unsigned seed);

// The first size bytes of artwork large enough to hold them.
SampleBytes ArtworkBytes(size_t size, unsigned seed);
