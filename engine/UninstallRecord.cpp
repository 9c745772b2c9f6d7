#include "UninstallRecord.h"

#include <string.h>

#include "FileStream.h"
#include "SetupInfo.h"

namespace {

void WriteUint32(unsigned int value, COutFileStream& out)
{
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    out.Write(bytes, 4);
}

}  // namespace

void CSetupInfo::WriteCountedString(const char* text, COutFileStream& out)
{
    size_t length = strlen(text);
    WriteUint32(static_cast<unsigned int>(length), out);
    out.Write(text, static_cast<int>(length));
}

void WriteUninstallRecord(const CSetupInfo& info, const char (*linkpaths)[PATH_BUF_SIZE], const char* menupath,
                          COutFileStream& out)
{
    int count = info.linkcount > 0 ? info.linkcount : 0;
    if (count > MAX_LINKS) count = MAX_LINKS;
    CSetupInfo::WriteCountedString(info.title, out);
    CSetupInfo::WriteCountedString(info.version, out);
    WriteUint32(static_cast<unsigned int>(count), out);
    for (int k = 0; k < count; ++k) CSetupInfo::WriteCountedString(linkpaths[k], out);
    CSetupInfo::WriteCountedString(menupath, out);
}
