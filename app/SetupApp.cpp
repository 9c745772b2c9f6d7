#include "SetupApp.h"

#include <windows.h>

#include "FileStream.h"
#include "PackedBmp.h"

namespace {

const int kShownImages[] = {ImageStep1Art, ImageStep2Art, ImageStep3Art, ImageStep3LateArt, ImageBanner};

// Whether the stream, just past the payload's last part, read every byte it
// asked for and the file really holds the archives and the uninstaller that
// the header records: their bytes are stepped over, not read, so the last of
// them is read now.
bool ReadToItsEnd(CInFileStream& in)
{
    if (in.Failed()) return false;
    StreamPos end = in.Tell();
    char last;
    return end > 0 && in.SeekFromStart(end - 1) && in.Read(&last, 1) == 1;
}

bool HasShownImages(const CSetupInfo& info)
{
    PackedBmp bmp;
    for (int image : kShownImages)
        if (!ParsePackedBmp(info.images[image], static_cast<size_t>(info.imagesize[image]), &bmp)) return false;
    return true;
}

}  // namespace

CSetupApp* TheSetupApp() { return static_cast<CSetupApp*>(AfxGetApp()); }

CSetupInfo& TheSetupInfo() { return TheSetupApp()->info; }

void RemoveOrCreateFolder(const char* folder)
{
    if (folder[0] != '\0' && !RemoveDirectoryA(folder)) CreateDirectoryA(folder, nullptr);
}

CSetupApp::CSetupApp(Wizard wizard) : wizard_(wizard) {}

int CSetupApp::LoadPayloadHeader(CSetupInfo* target)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CInFileStream in(path);
    if (!in.IsOpen() || !in.SeekFromStart(PAYLOAD_OFFSET)) return 0;
    bool sound = target->ReadHeader(in) == 1;
    return sound && ReadToItsEnd(in) && HasShownImages(*target) ? 1 : 0;
}

int CSetupApp::InitInstance()
{
    // A damaged or cut download must not open a wizard that has nothing to
    // install, nor touch any folder.
    if (!LoadPayloadHeader(&info)) {
        AfxMessageBox("安装程序已损坏，请重新下载！");
        exitCode = -1;
        return FALSE;
    }
    RemoveOrCreateFolder(info.installdir);
    if (wizard_) exitCode = wizard_();
    return FALSE;
}
