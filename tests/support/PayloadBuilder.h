#pragma once
// Builds payloads and installer files for tests, byte by byte, including
// deliberately odd ones.
#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

class ByteWriter {
public:
    ByteWriter& U32(uint32_t value);
    ByteWriter& Raw(const Bytes& bytes);
    ByteWriter& Raw(const std::string& bytes);
    ByteWriter& Counted(const std::string& text);  // 32-bit length, then the bytes
    ByteWriter& Blob(const Bytes& bytes);          // 32-bit size, then the bytes
    const Bytes& bytes() const { return bytes_; }

private:
    Bytes bytes_;
};

struct ShortcutFixture {
    std::string name, target, icon;
    int32_t location;
};

struct PayloadFixture {
    std::string title = "Demo", version = "1.0", vendorkey = "DemoSoft";
    std::string installdir = "C:\\Demo", menufolder = "Demo";
    std::vector<ShortcutFixture> links;
    Bytes images[6];  // block streams; empty means no image
    Bytes archives[2];
    Bytes uninstaller;  // block stream
    Bytes trailer;      // bytes after the payload, such as a signature block
};

Bytes BuildPayload(const PayloadFixture& payload);

// A block stream of stored blocks holding data (65536-byte blocks, the last
// one holding the rest).
Bytes StoredBlockStream(const Bytes& data);

// A complete 24-bit bottom-up BMP file with a deterministic pattern.
Bytes MakeBmp(int width, int height, unsigned seed = 1);

// Installer file image: a stand-in stub padded to the payload offset, then the payload.
Bytes BuildInstaller(const PayloadFixture& payload);
// The same behind a real stub, zero-padded to the payload offset.
Bytes BuildInstaller(const PayloadFixture& payload, const Bytes& stub);
