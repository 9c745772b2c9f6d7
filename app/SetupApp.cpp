#include "SetupApp.h"

#include <windows.h>

#include "FileStream.h"

CSetupApp* TheSetupApp() { return static_cast<CSetupApp*>(AfxGetApp()); }

CSetupInfo& TheSetupInfo() { return TheSetupApp()->info; }

void RemoveOrCreateFolder(const char* folder)
{
    if (folder[0] != '\0' && !RemoveDirectoryA(folder)) CreateDirectoryA(folder, nullptr);
}

int CSetupApp::LoadPayloadHeader(CSetupInfo* target)
{
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    CInFileStream in(path);
    in.SeekFromStart(PAYLOAD_OFFSET);
    target->ReadHeader(in);
    return 1;
}

int CSetupApp::InitInstance()
{
    LoadPayloadHeader(&info);
    RemoveOrCreateFolder(info.installdir);
    return FALSE;
}
