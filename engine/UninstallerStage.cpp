#include <windows.h>

#include "EnginePaths.h"
#include "EngineState.h"
#include "FileStream.h"
#include "InstallLog.h"
#include "LzUnpacker.h"
#include "SetupInfo.h"
#include "UninstallRecord.h"

namespace {

int WriteUninstaller(const CSetupInfo& info, CInFileStream& input, const EngineState& state, COutFileStream& out)
{
    if (info.uninstsize <= 0 || info.uninstpos < 0 || !input.SeekFromStart(info.uninstpos)) {
        InstallLog("uninstaller stream missing");
        return 0;
    }
    // Straight from the installer into the file, one block at a time.
    CLzUnpacker unpacker;
    if (unpacker.UnpackStream(input, out, info.uninstsize) < 0) {
        InstallLog("uninstaller unpack Failed");
        return 0;
    }
    WriteUninstallRecord(info, state.linkpaths, state.menupath, out);
    if (out.Failed()) {
        InstallLog("uninstoutfile write Failed");
        return 0;
    }
    return 1;
}

}  // namespace

int RunUninstallerStage(const CSetupInfo& info, CInFileStream& input, const EngineState& state)
{
    char path[PATH_BUF_SIZE];
    if (!ComposePath(path, info.installdir, UNINSTALLER_NAME)) return 0;
    COutFileStream out(path);
    if (!out.IsOpen()) {
        InstallLog("uninstoutfile can't open");
        return 0;
    }
    int written = WriteUninstaller(info, input, state, out);
    out.Close();
    if (!written) {
        // A partial uninstaller would fail whoever starts it; leave none.
        DeleteFileA(path);
        return 0;
    }
    InstallLog("ExtraFileFromInfo end");
    return 1;
}
