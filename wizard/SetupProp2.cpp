#include "SetupProp2.h"

#include <shlobj.h>

#include "AnsiPath.h"
#include "FolderText.h"
#include "Gdi.h"
#include "InstallLog.h"
#include "SetupApp.h"
#include "WinApp.h"
#include "WizardIds.h"
#include "WizardLook.h"

namespace {

// The file-system path of the folder the user picks, or false when the
// picker is cancelled or the item has no such path (a virtual folder such as
// the recycle bin).
bool PickFolder(char (&path)[PATH_BUF_SIZE])
{
    BROWSEINFOA browse = {};
    browse.pszDisplayName = path;
    browse.lpszTitle = "请选择目录：";
    PIDLIST_ABSOLUTE item = SHBrowseForFolderA(&browse);
    if (!item) return false;
    bool found = SHGetPathFromIDListA(item, path) && path[0] != '\0';
    IMalloc* shellMalloc;
    if (SUCCEEDED(SHGetMalloc(&shellMalloc))) {
        shellMalloc->Free(item);
        shellMalloc->Release();
    }
    return found;
}

}  // namespace

CSetupProp2::CSetupProp2() : CDialog(IDD_DIRECTORY_PAGE) {}

INT_PTR CSetupProp2::OnMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        if (GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == IDC_STEP2_HEADING)
            return TransparentOnWizardGrey(reinterpret_cast<HDC>(wParam));
        return FALSE;
    }
    return CDialog::OnMessage(message, wParam, lParam);
}

BOOL CSetupProp2::OnInitDialog()
{
    SetDlgItemTextA(hwnd_, IDC_FOLDER, TheSetupInfo().installdir);
    return TRUE;
}

void CSetupProp2::OnCommand(int id, int code, HWND control)
{
    if (id == IDC_BROWSE)
        OnPreView();
    else
        CDialog::OnCommand(id, code, control);
}

bool CSetupProp2::AcceptsFolder()
{
    char folder[PATH_BUF_SIZE] = "";
    GetDlgItemTextA(hwnd_, IDC_FOLDER, folder, sizeof folder);
    if (IsUsableInstallFolder(folder)) return true;
    AfxMessageBox("安装目录无效，请输入完整的路径，例如 D:\\软件\\程序");
    return false;
}

void CSetupProp2::OnPaint()
{
    CPaintDC dc(hwnd_);
    FillWizardBackground(hwnd_, dc.hdc);
    DrawPackedImage(GetDlgItem(IDC_PAGE_ART), ImageStep2Art);
}

// The picked folder becomes the parent of the install folder: the name of
// the header's install folder (after its last backslash) is carried over,
// whatever the user typed.
void CSetupProp2::OnPreView()
{
    InstallLog("Prop2 PreView begin");
    // The picker needs COM on this thread.
    HRESULT com = CoInitialize(nullptr);
    char picked[PATH_BUF_SIZE] = "";
    if (PickFolder(picked)) {
        const char* folder = TheSetupInfo().installdir;
        const char* last = LastBackslash(folder);
        const char* name = last ? last + 1 : "";
        char result[PATH_BUF_SIZE];
        // A result that does not fit the edit box's 259 bytes leaves it unchanged.
        if (JoinFolderAndName(result, sizeof result, picked, name)) SetDlgItemTextA(hwnd_, IDC_FOLDER, result);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    InstallLog("Prop2 PreView end");
}
