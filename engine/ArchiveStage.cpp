#include <stdlib.h>
#include <windows.h>

#include "ArchiveCopy.h"
#include "EnginePaths.h"
#include "EngineState.h"
#include "EngineTrace.h"
#include "Folders.h"
#include "InstallLog.h"
#include "Progress.h"
#include "SetupInfo.h"
#include "Unziper.h"

namespace {

const char* const kTemporaryNames[ARCHIVE_COUNT] = {"tmp1.zip", "tmp2.zip"};

void DeleteTemporaryArchives(const EngineState& state)
{
    for (int i = 0; i < ARCHIVE_COUNT; ++i)
        if (state.temppaths[i][0] != '\0') DeleteFileA(state.temppaths[i]);
}

int CopyArchives(const CSetupInfo& info, CInFileStream& input, EngineState& state)
{
    unsigned char* buffer = static_cast<unsigned char*>(malloc(ARCHIVE_COPY_BUFFER_SIZE));
    if (!buffer) {
        InstallLog("archive copy buffer Failed");
        return 0;
    }
    int copied = 1;
    for (int i = 0; i < ARCHIVE_COUNT && copied; ++i)
        copied = ComposePath(state.temppaths[i], info.installdir, kTemporaryNames[i]) &&
                 MakeParentFolders(state.temppaths[i]) &&
                 CopyArchiveOut(input, info.zippos[i], info.zipsize[i], state.temppaths[i], buffer, i);
    free(buffer);
    return copied;
}

// A copy of size 0 is an empty slot: that is how an archive without entries
// travels, since the ZIP reader, like minizip, cannot open one. Any other copy
// must open, or the archive it came from is damaged.
int ArchiveOpened(const CUnziper& unziper, int archiveSize, int index)
{
    if (archiveSize == 0 || unziper.IsOpen()) return 1;
    TraceFormatted(TRACE_LINE_SIZE, "unziper%d open Failed", index);
    return 0;
}

// Extracts every entry in index order into the output folder, keeping the
// stored folder paths.
int ExtractEntries(CUnziper& unziper, int index, int entryCount, int extractedBefore, long long total)
{
    for (int j = 0; j < entryCount; ++j) {
        if (!unziper.UnzipFile(j, nullptr, 0)) {
            TraceFormatted(TRACE_LINE_SIZE, "unziper%d UnzipFile Failed", index);
            return 0;
        }
        TraceFormatted(TRACE_LINE_SIZE, "count%d_Setpos(%d/%d)", index, j, entryCount);
        SetProgress(static_cast<int>(100 * (extractedBefore + j + 1LL) / total));
    }
    return 1;
}

int ExtractArchives(const CSetupInfo& info, const EngineState& state)
{
    CUnziper unziper0(state.temppaths[0]);
    unziper0.SetOutputFolder(info.installdir);
    int count0 = unziper0.GetEntryCount();
    CUnziper unziper1(state.temppaths[1]);
    unziper1.SetOutputFolder(info.installdir);
    int count1 = unziper1.GetEntryCount();
    if (!ArchiveOpened(unziper0, info.zipsize[0], 0) || !ArchiveOpened(unziper1, info.zipsize[1], 1))
        return 0;

    long long total = static_cast<long long>(count0) + count1;
    if (!ExtractEntries(unziper0, 0, count0, 0, total) || !ExtractEntries(unziper1, 1, count1, count0, total))
        return 0;
    // The progress page reports success only at 100, which no entry set here.
    if (total == 0) SetProgress(100);
    return 1;
}

}  // namespace

int RunArchiveStage(const CSetupInfo& info, CInFileStream& input, EngineState& state)
{
    if (!MakeFolder(info.installdir)) return 0;
    // The extractors close their archives when ExtractArchives returns, before
    // the copies are deleted.
    int done = CopyArchives(info, input, state) && ExtractArchives(info, state);
    DeleteTemporaryArchives(state);
    return done;
}
