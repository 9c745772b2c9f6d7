#pragma once
// Installers for the wizard tests: the test build of the stub (which
// understands the messages of TestSeams.h) with a payload built here, run
// under the driver.
#include <string>
#include <vector>

#include "PayloadBuilder.h"
#include "TestFiles.h"
#include "WizardDriver.h"

// A payload with distinct artwork for every role, empty archives and a
// small uninstaller, installing into installdir.
PayloadFixture WizardPayload(const std::string& installdir);

// The artwork of role index in WizardPayload, as a BMP file.
Bytes WizardImage(int index);
// The colour of pixel (x, y), counted from the top left, of a BMP file.
COLORREF BmpPixel(const Bytes& bmp, int x, int y);


struct WizardRun {
    std::string folder;     // the test's own folder, which holds the installer
    std::string installer;  // folder\setup-测试.exe
    InstallerProcess process;
    HWND frame = nullptr;

    explicit WizardRun(const std::string& name);
    // Writes the installer file: the test stub, then the payload.
    void Write(const PayloadFixture& payload);
    void WriteBytes(const Bytes& file);
    // Starts the installer and waits for its wizard; false when none appears.
    bool Start();
    bool Start(const PayloadFixture& payload)
    {
        Write(payload);
        return Start();
    }

    HWND Next() const { return Control(frame, 1036); }
    HWND Back() const { return Control(frame, 1041); }
    HWND Cancel() const { return Control(frame, IDCANCEL); }
    HWND DirectoryPage() const { return PageWith(frame, 1000); }
    HWND ProgressPage() const { return PageWith(frame, 1010); }
    HWND FolderEdit() const { return Control(DirectoryPage(), 1000); }
    HWND Bar() const { return Control(ProgressPage(), 1010); }
    HWND Status() const { return Control(ProgressPage(), 1025); }
};

// The bytes of the test build of the stub.
const Bytes& TestStub();
