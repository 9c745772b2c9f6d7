#include <string.h>

#include "EngineState.h"
#include "EngineTrace.h"
#include "InstallLog.h"
#include "SetupInfo.h"

int CSetupInfo::ExtraFileFromInfo(CInFileStream& input)
{
    InstallLog("ExtraFileFromInfo begin");
    // The record names one shortcut path per entry and there are MAX_LINKS slots.
    if (linkcount > MAX_LINKS) {
        TraceFormatted(TRACE_LINE_SIZE, "linkcount(%d) Failed", linkcount);
        return 0;
    }
    EngineState state;
    memset(&state, 0, sizeof state);
    if (!RunArchiveStage(*this, input, state)) return 0;
    RunShortcutStage(*this, state);
    return RunUninstallerStage(*this, input, state);
}
