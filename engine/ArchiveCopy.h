#pragma once

class CInFileStream;

const int ARCHIVE_COPY_BUFFER_SIZE = 65536;

// Copies the size bytes at offset of the installer into a new file at path,
// through buffer (ARCHIVE_COPY_BUFFER_SIZE bytes). 0, after a trace line
// naming archive index, when the file cannot be written or the installer does
// not hold those bytes.
int CopyArchiveOut(CInFileStream& input, int offset, int size, const char* path, unsigned char* buffer,
                   int index);
