#include <shlobj.h>
#include <string.h>

#include "EnginePaths.h"
#include "EngineState.h"
#include "EngineTrace.h"
#include "Folders.h"
#include "SetupInfo.h"
#include "ShortcutNames.h"

namespace {

// The folder that receives a shortcut of the given location; 0 when there is
// no such folder or the entry makes no shortcut.
int LinkFolder(int location, const char* menupath, char* folder)
{
    if (location == LinkDesktop) {
        if (CSetupInfo::GetSpecialFolder(folder, CSIDL_DESKTOP)) return 1;
        TraceFormatted(TRACE_LINE_SIZE, "GetSpecialFolder(%d) Failed", CSIDL_DESKTOP);
        return 0;
    }
    if (location == LinkProgramMenu && menupath[0] != '\0') {
        strcpy(folder, menupath);
        return 1;
    }
    return 0;
}

// Makes the shortcut of one entry and puts its final path into slot, which
// stays empty when the entry makes no shortcut.
void MakeEntryShortcut(const CSetupInfo& info, const ShortcutEntry& entry, const char* menupath, char* slot)
{
    char folder[PATH_BUF_SIZE];
    char link[PATH_BUF_SIZE];
    char target[PATH_BUF_SIZE];
    char icon[PATH_BUF_SIZE];
    if (!LinkFolder(entry.location, menupath, folder) || !ComposePath(link, folder, entry.name) ||
        !ComposePath(target, info.installdir, entry.target[0] != '\0' ? entry.target : UNINSTALLER_NAME))
        return;
    if (entry.icon[0] == '\0')
        strcpy(icon, target);
    else if (!ComposePath(icon, info.installdir, entry.icon))
        return;

    char chosen[PATH_BUF_SIZE];
    if (!ChooseLinkPath(link, target, chosen)) return;
    if (!CSetupInfo::CreateShortcut(chosen, target, icon))
        TraceFormatted(TRACE_LINE_SIZE, "CreateShortcut Failed: %s", chosen);
    // Recorded even when it failed, so that the uninstaller looks for it.
    strcpy(slot, chosen);
}

void MakeMenuFolder(const CSetupInfo& info, char* menupath)
{
    char programs[PATH_BUF_SIZE];
    if (!CSetupInfo::GetSpecialFolder(programs, CSIDL_PROGRAMS)) {
        TraceFormatted(TRACE_LINE_SIZE, "GetSpecialFolder(%d) Failed", CSIDL_PROGRAMS);
        return;
    }
    if (ComposePath(menupath, programs, info.menufolder) && !MakeFolder(menupath))
        TraceFormatted(TRACE_LINE_SIZE, "MakeFolder Failed: %s", menupath);
}

}  // namespace

void RunShortcutStage(const CSetupInfo& info, EngineState& state)
{
    MakeMenuFolder(info, state.menupath);
    for (int k = 0; k < info.linkcount && k < MAX_LINKS; ++k)
        MakeEntryShortcut(info, info.links[k], state.menupath, state.linkpaths[k]);
}
