#include "PayloadWriter.h"

#include "InstallHeader.h"
#include "PackError.h"
#include "PayloadLayout.h"

void PayloadWriter::Stub(const Bytes& stub)
{
    WriteAll(out_, stub.data(), stub.size(), "stub");
    Bytes padding(PAYLOAD_OFFSET - stub.size(), 0);
    WriteAll(out_, padding.data(), padding.size(), "stub");
}

void PayloadWriter::Header(const InstallHeader& h)
{
    Counted(h.title);
    Counted(h.version);
    Counted(h.vendorKey);
    Counted(h.installDir);
    Counted(h.menuFolder);
    U32(static_cast<uint32_t>(h.shortcuts.size()));
    for (const HeaderShortcut& s : h.shortcuts) {
        Counted(s.name);
        Counted(s.target);
        Counted(s.icon);
        U32(static_cast<uint32_t>(s.location));
    }
}

void PayloadWriter::Sized(const Bytes& bytes, const std::string& what)
{
    if (bytes.size() > static_cast<size_t>(INT32_MAX)) throw PackError(what + ": larger than 2 GiB");
    U32(static_cast<uint32_t>(bytes.size()));
    WriteAll(out_, bytes.data(), bytes.size(), what);
    CheckLimit(what);
}

void PayloadWriter::Sized(const std::string& what, const std::function<void(FILE*, int64_t)>& write)
{
    int64_t field = Size();
    U32(0);
    int64_t start = Size();
    write(out_, INT32_MAX - start);
    int64_t end = Size();
    CheckLimit(what);
    if (fseeko(out_, field, SEEK_SET) != 0) throw PackError(what + ": cannot seek in the output");
    U32(static_cast<uint32_t>(end - start));
    if (fseeko(out_, end, SEEK_SET) != 0) throw PackError(what + ": cannot seek in the output");
}

int64_t PayloadWriter::Size() const { return ftello(out_); }

void PayloadWriter::U32(uint32_t value)
{
    uint8_t bytes[4] = {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
                        static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
    WriteAll(out_, bytes, 4, "installer");
}

void PayloadWriter::Counted(const std::string& text)
{
    U32(static_cast<uint32_t>(text.size()));
    WriteAll(out_, text.data(), text.size(), "installer");
}

void PayloadWriter::CheckLimit(const std::string& what) const
{
    if (Size() > INT32_MAX)
        throw PackError(what + ": the installer would grow past 2 GiB, beyond the positions it can hold");
}
