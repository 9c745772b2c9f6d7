#include "ZipWindow.h"

#include <algorithm>

namespace {

ZipWindow* Window(voidpf stream) { return static_cast<ZipWindow*>(stream); }

int64_t End(ZipWindow* w)
{
    if (w->size >= 0) return w->base + w->size;
    int64_t here = ftello(w->file);
    fseeko(w->file, 0, SEEK_END);
    int64_t end = ftello(w->file);
    fseeko(w->file, here, SEEK_SET);
    return end;
}

voidpf Open(voidpf, const void* window, int) { return const_cast<void*>(window); }

uLong Read(voidpf, voidpf stream, void* buffer, uLong size)
{
    ZipWindow* w = Window(stream);
    int64_t left = End(w) - ftello(w->file);
    uLong want = static_cast<uLong>(std::max<int64_t>(0, std::min<int64_t>(left, static_cast<int64_t>(size))));
    return static_cast<uLong>(fread(buffer, 1, want, w->file));
}

uLong Write(voidpf, voidpf stream, const void* buffer, uLong size)
{
    return static_cast<uLong>(fwrite(buffer, 1, size, Window(stream)->file));
}

ZPOS64_T Tell(voidpf, voidpf stream)
{
    ZipWindow* w = Window(stream);
    return static_cast<ZPOS64_T>(ftello(w->file) - w->base);
}

long Seek(voidpf, voidpf stream, ZPOS64_T offset, int origin)
{
    ZipWindow* w = Window(stream);
    int64_t target = static_cast<int64_t>(offset);
    if (origin == ZLIB_FILEFUNC_SEEK_SET)
        target += w->base;
    else if (origin == ZLIB_FILEFUNC_SEEK_CUR)
        target += ftello(w->file);
    else
        target += End(w);
    if (target < w->base) return -1;
    return fseeko(w->file, target, SEEK_SET) == 0 ? 0 : -1;
}

int Close(voidpf, voidpf) { return 0; }

int Error(voidpf, voidpf stream) { return ferror(Window(stream)->file); }

}  // namespace

zlib_filefunc64_def ZipWindowFunctions()
{
    zlib_filefunc64_def functions;
    functions.zopen64_file = Open;
    functions.zread_file = Read;
    functions.zwrite_file = Write;
    functions.ztell64_file = Tell;
    functions.zseek64_file = Seek;
    functions.zclose_file = Close;
    functions.zerror_file = Error;
    functions.opaque = nullptr;
    return functions;
}
