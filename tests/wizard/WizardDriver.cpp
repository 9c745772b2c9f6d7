#include "WizardDriver.h"

#include <commctrl.h>

namespace {

const int kPickerTreeId = 14145;

bool IsDialogClass(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM data)
{
    ProcessWindows* windows = reinterpret_cast<ProcessWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId && IsWindowVisible(window) && IsDialogClass(window))
        windows->found.push_back(window);
    return TRUE;
}

std::vector<HWND> Descendants(HWND parent)
{
    std::vector<HWND> all;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&all));
    return all;
}

// Text of a tree item of another process: the item record and its text
// buffer have to live in that process.
std::string TreeItemText(HWND tree, HTREEITEM item)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return "";
    const SIZE_T textSize = 520;
    char* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, sizeof(TVITEMA) + textSize, MEM_COMMIT, PAGE_READWRITE));
    std::string text;
    if (remote) {
        TVITEMA record = {};
        record.mask = TVIF_TEXT;
        record.hItem = item;
        record.pszText = remote + sizeof(TVITEMA);
        record.cchTextMax = static_cast<int>(textSize);
        char buffer[520] = "";
        SIZE_T moved = 0;
        if (WriteProcessMemory(process, remote, &record, sizeof record, &moved) &&
            SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote)) &&
            ReadProcessMemory(process, remote + sizeof(TVITEMA), buffer, sizeof buffer - 1, &moved))
            text = buffer;
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return text;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (condition()) return true;
        if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
        Sleep(20);
    }
}

InstallerProcess::~InstallerProcess()
{
    if (!info_.hProcess) return;
    if (Running()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hProcess);
    CloseHandle(info_.hThread);
}

bool InstallerProcess::Start(const std::string& program)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = "\"" + program + "\"";
    return CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &info_) != 0;
}

int InstallerProcess::WaitForExit(int timeoutMs)
{
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return kStillRunning;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return static_cast<int>(code);
}

bool InstallerProcess::Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

HWND InstallerProcess::WaitForDialog(HWND owner, int timeoutMs) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : TopLevelDialogs(Id()))
                if (GetWindow(dialog, GW_OWNER) == owner) {
                    found = dialog;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

std::vector<HWND> TopLevelDialogs(DWORD processId)
{
    ProcessWindows windows = {processId, {}};
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

HWND Control(HWND parent, int id)
{
    for (HWND child : Descendants(parent))
        if (GetParent(child) == parent && GetDlgCtrlID(child) == id) return child;
    return nullptr;
}

HWND PageWith(HWND frame, int controlId)
{
    for (HWND child : Descendants(frame))
        if (GetParent(child) == frame && IsDialogClass(child) && Control(child, controlId)) return child;
    return nullptr;
}

std::string Text(HWND window)
{
    char buffer[1024] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG,
                             2000, &length))
        return "";
    return std::string(buffer, length);
}

bool Shown(HWND window) { return window && IsWindowVisible(window); }

bool Clickable(HWND window)
{
    for (HWND w = window; w; w = GetParent(w)) {
        if (!IsWindowEnabled(w)) return false;
        if (!(GetWindowLongA(w, GWL_STYLE) & WS_CHILD)) break;  // the parent of a popup is its owner
    }
    return window && IsWindowVisible(window);
}

bool Click(HWND button)
{
    if (!Clickable(button)) return false;
    return PostMessageA(button, BM_CLICK, 0, 0) != 0;
}

std::string MessageBoxText(HWND box) { return Text(Control(box, 0xFFFF)); }

bool DismissMessageBox(HWND box) { return PostMessageA(Control(box, IDOK), BM_CLICK, 0, 0) != 0; }

POINT PositionIn(HWND window, HWND other)
{
    RECT box;
    GetWindowRect(window, &box);
    POINT corner = {box.left, box.top};
    ScreenToClient(other, &corner);
    return corner;
}

COLORREF ScreenPixel(HWND window, int x, int y)
{
    POINT at = {x, y};
    ClientToScreen(window, &at);
    HDC screen = GetDC(nullptr);
    COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool SaveScreen(const std::string& path)
{
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
    void* pixels = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &pixels,
                                      nullptr, 0);
    bool saved = false;
    if (bitmap) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        GdiFlush();
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + header.biSizeImage;
        HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (out != INVALID_HANDLE_VALUE) {
            DWORD written;
            saved = WriteFile(out, &file, sizeof file, &written, nullptr) &&
                    WriteFile(out, &header, sizeof header, &written, nullptr) &&
                    WriteFile(out, pixels, header.biSizeImage, &written, nullptr);
            CloseHandle(out);
        }
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return saved;
}

HWND FindFolderPicker(DWORD processId, int timeoutMs)
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND dialog : TopLevelDialogs(processId))
                if (Control(dialog, kPickerTreeId)) {
                    found = dialog;
                    return true;
                }
            return false;
        },
        timeoutMs);
    return found;
}

bool SelectInPicker(HWND picker, const std::vector<std::string>& names)
{
    HWND tree = Control(picker, kPickerTreeId);
    if (!tree) return false;
    HTREEITEM item = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (size_t level = 0; level < names.size(); ++level) {
        if (level > 0) {
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
        }
        while (item && TreeItemText(tree, item).find(names[level]) == std::string::npos)
            item = reinterpret_cast<HTREEITEM>(
                SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
        if (!item) return false;
    }
    return SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item)) != 0;
}
