#pragma once
// The working state of one ExtraFileFromInfo run and its three stages, which
// run one after the other on the install worker.

#include "PayloadLayout.h"

class CInFileStream;
class CSetupInfo;

struct EngineState {
    char temppaths[ARCHIVE_COUNT][PATH_BUF_SIZE];  // where the archives are copied to
    char linkpaths[MAX_LINKS][PATH_BUF_SIZE];      // final shortcut paths; empty: no shortcut
    char menupath[PATH_BUF_SIZE];                  // the program-menu folder; empty when unknown
};

// Copies both archives out of the installer, extracts every entry into the
// install folder while the progress bar rises to 100, and deletes the copies.
// 1 on success, 0 after a failure (logged).
int RunArchiveStage(const CSetupInfo& info, CInFileStream& input, EngineState& state);

// Makes the program-menu folder and the shortcuts, filling menupath and
// linkpaths. Nothing here fails the install; failures are logged.
void RunShortcutStage(const CSetupInfo& info, EngineState& state);

// Writes the uninstaller followed by its record. 1 on success, 0 after a
// failure (logged), which leaves no uninstaller behind.
int RunUninstallerStage(const CSetupInfo& info, CInFileStream& input, const EngineState& state);
