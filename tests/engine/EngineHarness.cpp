#include "EngineHarness.h"

#include <doctest/doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "FileStream.h"
#include "Progress.h"

namespace {

LRESULT CALLBACK RecordPositions(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data)
{
    if (message == PBM_SETPOS) reinterpret_cast<std::vector<int>*>(data)->push_back(static_cast<int>(wParam));
    return DefSubclassProc(window, message, wParam, lParam);
}

struct Worker {
    CSetupInfo* info;
    CInFileStream* input;
    int result;
};

DWORD WINAPI InstallThread(void* parameter)
{
    Worker* worker = static_cast<Worker*>(parameter);
    worker->result = worker->info->ExtraFileFromInfo(*worker->input);
    return 0;
}

void PumpUntilDone(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

uint32_t U32At(const Bytes& bytes, size_t at)
{
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
}

// Reads one counted string at *at; false when the file ends first.
bool ReadCounted(const Bytes& bytes, size_t* at, std::string* text)
{
    if (bytes.size() - *at < 4) return false;
    uint32_t length = U32At(bytes, *at);
    if (bytes.size() - *at - 4 < length) return false;
    text->assign(bytes.begin() + *at + 4, bytes.begin() + *at + 4 + length);
    *at += 4 + length;
    return true;
}

}  // namespace

std::string FixturePath(const std::string& name)
{
    const char* root = getenv("SETUP_ENGINE_FIXTURES");
    REQUIRE_MESSAGE(root, "SETUP_ENGINE_FIXTURES is not set");
    return JoinPath(root, name);
}

Bytes FixtureBytes(const std::string& name) { return ReadFileBytes(FixturePath(name)); }

InstallRun RunInstall(CSetupInfo& info, const std::string& installer)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    REQUIRE(InitCommonControlsEx(&controls));
    HWND frame = CreateWindowExA(0, "STATIC", "engine test", WS_POPUP, 0, 0, 300, 40, nullptr, nullptr, nullptr,
                                 nullptr);
    REQUIRE(frame);
    HWND bar = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 20, frame, nullptr,
                               nullptr, nullptr);
    REQUIRE(bar);
    InstallRun run;
    REQUIRE(SetWindowSubclass(bar, RecordPositions, 1, reinterpret_cast<DWORD_PTR>(&run.positions)));
    g_progressBar = bar;
    g_installInfo = &info;

    CInFileStream input(installer.c_str());
    Worker worker = {&info, &input, -1};
    HANDLE thread = CreateThread(nullptr, 0, InstallThread, &worker, 0, nullptr);
    REQUIRE(thread);
    PumpUntilDone(thread);
    CloseHandle(thread);

    int finalPosition = static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0));
    if (!run.positions.empty()) CHECK(finalPosition == run.positions.back());
    g_progressBar = nullptr;
    g_installInfo = nullptr;
    RemoveWindowSubclass(bar, RecordPositions, 1);
    DestroyWindow(frame);
    run.result = worker.result;
    return run;
}

EngineFixture::EngineFixture(const std::string& name)
    : folder(MakeTestFolder(name)), installer(JoinPath(folder, "setup.exe"))
{
}

void EngineFixture::Prepare(const PayloadFixture& payload, const std::string& installdir)
{
    WriteFileBytes(installer, BuildInstaller(payload));
    PrepareFile(installer, installdir);
}

void EngineFixture::PrepareFile(const std::string& installerFile, const std::string& installdir)
{
    installer = installerFile;
    CInFileStream in(installer.c_str());
    REQUIRE(in.IsOpen());
    REQUIRE(in.SeekFromStart(PAYLOAD_OFFSET));
    REQUIRE(app.info.ReadHeader(in) == 1);
    std::string dir = installdir.empty() ? JoinPath(folder, "产品") : installdir;
    REQUIRE(dir.size() < sizeof app.info.installdir);
    strcpy(app.info.installdir, dir.c_str());
    CreateDirectoryA(dir.c_str(), nullptr);
}

std::vector<std::string> EngineFixture::Log() const
{
    std::string logFolder = InstallDir();
    if (!logFolder.empty() && logFolder.back() == '\\') logFolder.pop_back();
    return InstallLogMessages(logFolder);
}

PayloadFixture ShortcutPayload(const std::vector<ShortcutFixture>& links)
{
    PayloadFixture p;
    p.links = links;
    p.archives[0] = FixtureBytes("zips\\one.zip");
    p.uninstaller = FixtureBytes("uninstaller.lz");
    return p;
}

UninstallFile ReadUninstallFile(const std::string& path, size_t imageSize)
{
    UninstallFile file;
    Bytes bytes = ReadFileBytes(path);
    if (bytes.size() < imageSize) return file;
    file.image.assign(bytes.begin(), bytes.begin() + imageSize);
    size_t at = imageSize;
    if (!ReadCounted(bytes, &at, &file.title) || !ReadCounted(bytes, &at, &file.version) || bytes.size() - at < 4)
        return file;
    file.linkcount = static_cast<int32_t>(U32At(bytes, at));
    at += 4;
    for (int32_t k = 0; k < file.linkcount; ++k) {
        std::string link;
        if (!ReadCounted(bytes, &at, &link)) return file;
        file.linkpaths.push_back(link);
    }
    file.parsed = ReadCounted(bytes, &at, &file.menupath) && at == bytes.size();
    return file;
}
