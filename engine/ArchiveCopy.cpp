#include "ArchiveCopy.h"

#include "EngineTrace.h"
#include "FileStream.h"

int CopyArchiveOut(CInFileStream& input, int offset, int size, const char* path, unsigned char* buffer, int index)
{
    COutFileStream out(path);
    if (!out.IsOpen()) {
        TraceFormatted(TRACE_LINE_SIZE, "archive%d can't open %s", index, path);
        return 0;
    }
    if (offset < 0 || size < 0 || !input.SeekFromStart(offset)) {
        TraceFormatted(TRACE_LINE_SIZE, "archive%d position Failed(%d/%d)", index, offset, size);
        return 0;
    }
    for (int remaining = size; remaining > 0;) {
        int chunk = remaining < ARCHIVE_COPY_BUFFER_SIZE ? remaining : ARCHIVE_COPY_BUFFER_SIZE;
        if (input.Read(buffer, chunk) != chunk) {
            TraceFormatted(TRACE_LINE_SIZE, "archive%d read Failed(%d/%d)", index, size - remaining, size);
            return 0;
        }
        if (!out.Write(buffer, chunk)) {
            TraceFormatted(TRACE_LINE_SIZE, "archive%d write Failed(%d/%d)", index, size - remaining, size);
            return 0;
        }
        remaining -= chunk;
    }
    return 1;
}
