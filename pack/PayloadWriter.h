#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "FileBytes.h"

struct InstallHeader;

// Writes an installer file part by part in payload order: the stub padded to
// the payload offset, the header, the six images, the two archives and the
// packed uninstaller. Every position and size the installer reads is a signed
// 32-bit number, so a part that would end past that range is refused.
class PayloadWriter {
public:
    explicit PayloadWriter(FILE* out) : out_(out) {}

    void Stub(const Bytes& stub);
    void Header(const InstallHeader& header);
    // A 32-bit size, then the bytes; an empty part is a size of 0 alone.
    void Sized(const Bytes& bytes, const std::string& what);
    // A 32-bit size filled in after `write` has put the part's bytes at the
    // current position; `write` gets the most bytes the part may take.
    void Sized(const std::string& what, const std::function<void(FILE* out, int64_t limit)>& write);

    int64_t Size() const;

private:
    void U32(uint32_t value);
    void Counted(const std::string& text);
    void CheckLimit(const std::string& what) const;

    FILE* out_;
};
