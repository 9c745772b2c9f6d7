#pragma once
#include <cstddef>
#include <cstdint>

#include "FileBytes.h"

struct FileSpan {
    size_t offset;
    size_t size;
};

// Where the data of a Windows program's resource of the given type lies in
// the file: its first name, its first language. Every header and directory
// field on the way is checked against the file. Throws PackError saying why
// for a program without such a resource or whose fields lead outside it.
FileSpan FindResourceData(const Bytes& program, uint32_t type);
