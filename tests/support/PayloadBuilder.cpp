#include "PayloadBuilder.h"

#include "PayloadLayout.h"

ByteWriter& ByteWriter::U32(uint32_t value)
{
    const uint8_t raw[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                            static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    bytes_.insert(bytes_.end(), raw, raw + 4);
    return *this;
}

ByteWriter& ByteWriter::Raw(const Bytes& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter& ByteWriter::Raw(const std::string& bytes)
{
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

ByteWriter& ByteWriter::Counted(const std::string& text) { return U32(static_cast<uint32_t>(text.size())).Raw(text); }

ByteWriter& ByteWriter::Blob(const Bytes& bytes) { return U32(static_cast<uint32_t>(bytes.size())).Raw(bytes); }

Bytes BuildPayload(const PayloadFixture& p)
{
    ByteWriter w;
    w.Counted(p.title).Counted(p.version).Counted(p.vendorkey).Counted(p.installdir).Counted(p.menufolder);
    w.U32(static_cast<uint32_t>(p.links.size()));
    for (const ShortcutFixture& link : p.links)
        w.Counted(link.name).Counted(link.target).Counted(link.icon).U32(static_cast<uint32_t>(link.location));
    for (const Bytes& image : p.images) w.Blob(image);
    for (const Bytes& archive : p.archives) w.Blob(archive);
    w.Blob(p.uninstaller).Raw(p.trailer);
    return w.bytes();
}

Bytes StoredBlockStream(const Bytes& data)
{
    ByteWriter w;
    for (size_t at = 0; at < data.size(); at += 65536) {
        size_t n = data.size() - at < 65536 ? data.size() - at : 65536;
        uint32_t n16 = static_cast<uint32_t>(n & 0xFFFF);
        w.U32(n16 | (n16 << 16));
        w.Raw(Bytes(data.begin() + at, data.begin() + at + n));
    }
    return w.bytes();
}

Bytes MakeBmp(int width, int height, unsigned seed)
{
    const int stride = (width * 3 + 3) & ~3;
    const uint32_t pixelBytes = static_cast<uint32_t>(stride * height);
    ByteWriter w;
    w.Raw(std::string("BM")).U32(54 + pixelBytes).U32(0).U32(54);
    w.U32(40).U32(static_cast<uint32_t>(width)).U32(static_cast<uint32_t>(height));
    w.U32(1 | (24 << 16)).U32(0).U32(pixelBytes).U32(2835).U32(2835).U32(0).U32(0);
    Bytes pixels(pixelBytes, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width * 3; ++x)
            pixels[y * stride + x] = static_cast<uint8_t>((x * 7 + y * 3) ^ (seed * 31) ^ ((x / 40 + y / 20) % 2 ? 0x55 : 0));
    return w.Raw(pixels).bytes();
}

Bytes BuildInstaller(const PayloadFixture& payload) { return BuildInstaller(payload, Bytes{'M', 'Z'}); }

Bytes BuildInstaller(const PayloadFixture& payload, const Bytes& stub)
{
    Bytes file(stub);
    file.resize(PAYLOAD_OFFSET, 0);
    Bytes body = BuildPayload(payload);
    file.insert(file.end(), body.begin(), body.end());
    return file;
}
