#include "WizardFixture.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstdlib>

#include "PayloadLayout.h"
#include "TestFiles.h"

namespace {

const int kWidths[IMAGE_COUNT] = {438, 438, 438, 438, 495, 495};
const int kHeights[IMAGE_COUNT] = {155, 155, 155, 155, 60, 60};

}  // namespace

Bytes WizardImage(int index) { return MakeBmp(kWidths[index], kHeights[index], 11 + 13 * index); }

COLORREF BmpPixel(const Bytes& bmp, int x, int y)
{
    int width = static_cast<int>(bmp[18] | bmp[19] << 8), height = static_cast<int>(bmp[22] | bmp[23] << 8);
    int stride = (width * 3 + 3) & ~3;
    size_t at = 54 + static_cast<size_t>(height - 1 - y) * stride + static_cast<size_t>(x) * 3;
    return RGB(bmp[at + 2], bmp[at + 1], bmp[at]);
}

PayloadFixture WizardPayload(const std::string& installdir)
{
    PayloadFixture payload;
    payload.installdir = installdir;
    for (int i = 0; i < IMAGE_COUNT; ++i) payload.images[i] = StoredBlockStream(WizardImage(i));
    payload.uninstaller = StoredBlockStream(Bytes{'M', 'Z', 0, 0});
    return payload;
}


const Bytes& TestStub()
{
    static const Bytes stub = [] {
        const char* path = getenv("SETUP_TEST_STUB");
        REQUIRE_MESSAGE(path, "SETUP_TEST_STUB is not set");
        return ReadFileBytes(path);
    }();
    return stub;
}

WizardRun::WizardRun(const std::string& name) : folder(MakeTestFolder(name)), installer(folder + "\\setup-测试.exe") {}

void WizardRun::Write(const PayloadFixture& payload) { WriteBytes(BuildInstaller(payload, TestStub())); }

void WizardRun::WriteBytes(const Bytes& file) { WriteFileBytes(installer, file); }

bool WizardRun::Start()
{
    if (!process.Start(installer)) return false;
    frame = process.WaitForWizard();
    return frame != nullptr;
}
