#pragma once
// Runs the install engine the way the progress page does: on a worker thread,
// against a real progress bar on this thread, and reads back what it left.
#include <string>
#include <vector>

#include "SetupApp.h"
#include "TestFiles.h"

// A file made by make_engine_fixtures.py, e.g. "zips\\three.zip".
std::string FixturePath(const std::string& name);
Bytes FixtureBytes(const std::string& name);

struct InstallRun {
    int result = -1;
    std::vector<int> positions;  // every PBM_SETPOS the bar received, in order
};

// Runs ExtraFileFromInfo of info on a worker thread with a stream on the
// installer, while this thread pumps the messages of a window that holds the
// progress bar g_progressBar.
InstallRun RunInstall(CSetupInfo& info, const std::string& installer);

// A test's own application object (so its log goes to the test's install
// folder) and the installer file it installs from.
struct EngineFixture {
    CSetupApp app;
    std::string folder;     // the test's folder, which holds setup.exe
    std::string installer;  // folder\setup.exe

    explicit EngineFixture(const std::string& name);

    // Writes the installer, reads its header into app.info and sets the
    // install folder (default: folder\产品), which is made as the wizard makes
    // it before the install starts.
    void Prepare(const PayloadFixture& payload, const std::string& installdir = "");
    // Prepare() on an existing installer file.
    void PrepareFile(const std::string& installerFile, const std::string& installdir = "");
    InstallRun Install() { return RunInstall(app.info, installer); }

    std::string InstallDir() const { return app.info.installdir; }
    std::string Installed(const std::string& name) const { return JoinPath(InstallDir(), name); }
    // The messages of the install log, without time stamps, in order.
    std::vector<std::string> Log() const;
};

// A payload with empty archives and the sample uninstaller, for tests of the
// later stages.
PayloadFixture ShortcutPayload(const std::vector<ShortcutFixture>& links);

// The uninstaller file: its image, then the record the engine appended.
struct UninstallFile {
    Bytes image;
    std::string title, version;
    int32_t linkcount = -1;
    std::vector<std::string> linkpaths;
    std::string menupath;
    bool parsed = false;  // the record read to the file's end exactly
};
UninstallFile ReadUninstallFile(const std::string& path, size_t imageSize);
