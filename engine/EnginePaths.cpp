#include "EnginePaths.h"

#include "AnsiPath.h"
#include "EngineTrace.h"
#include "PayloadLayout.h"

int ComposePath(char* path, const char* folder, const char* name)
{
    if (JoinFolderAndName(path, PATH_BUF_SIZE, folder, name)) return 1;
    TraceFormatted(TRACE_LINE_SIZE, "path too long: %s\\%s", folder, name);
    return 0;
}
