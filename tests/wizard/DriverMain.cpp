// wizard-driver: the test driver as a command, for the demo and the benchmark.
//   wizard-driver screens INSTALLER FOLDER  walks the wizard up to its third
//       screen and saves a screenshot of each screen as FOLDER\stepN.bmp
//   wizard-driver startup INSTALLER RUNS    starts the installer RUNS times and
//       prints the median time from process start to the visible wizard
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "WizardDriver.h"

namespace {

const int kNext = 1036;

// Lets the wizard finish painting before the picture is taken.
bool SaveScreenAfterPaint(const std::string& path)
{
    Sleep(700);
    bool saved = SaveScreen(path);
    printf("%s %s\n", saved ? "saved" : "could not save", path.c_str());
    return saved;
}

int Screens(const std::string& installer, const std::string& folder)
{
    InstallerProcess process;
    if (!process.Start(installer)) return 1;
    HWND frame = process.WaitForWizard();
    if (!frame) return 1;
    bool ok = SaveScreenAfterPaint(folder + "\\step1.bmp");
    // Screens two and three are the pages that hold these controls.
    const int pageControls[] = {1000, 1010};
    for (int i = 0; i < 2 && ok; ++i) {
        ok = Click(Control(frame, kNext)) && WaitUntil([&] { return Shown(PageWith(frame, pageControls[i])); });
        ok = ok && SaveScreenAfterPaint(folder + "\\step" + std::to_string(i + 2) + ".bmp");
    }
    PostMessageA(frame, WM_CLOSE, 0, 0);
    process.WaitForExit();
    return ok ? 0 : 1;
}

int Startup(const std::string& installer, int runs)
{
    std::vector<double> seconds;
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    for (int i = 0; i < runs; ++i) {
        InstallerProcess process;
        LARGE_INTEGER start, shown;
        QueryPerformanceCounter(&start);
        if (!process.Start(installer) || !process.WaitForWizard(20000)) return 1;
        QueryPerformanceCounter(&shown);
        seconds.push_back(double(shown.QuadPart - start.QuadPart) / double(frequency.QuadPart));
        PostMessageA(process.WaitForWizard(), WM_CLOSE, 0, 0);
        process.WaitForExit();
    }
    std::sort(seconds.begin(), seconds.end());
    printf("wizard visible after %.3f s (median of %d; %.3f to %.3f s)\n", seconds[seconds.size() / 2], runs,
           seconds.front(), seconds.back());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string command = argc > 1 ? argv[1] : "";
    if (argc == 4 && command == "screens") return Screens(argv[2], argv[3]);
    if (argc == 4 && command == "startup") return Startup(argv[2], atoi(argv[3]) > 0 ? atoi(argv[3]) : 1);
    fprintf(stderr, "usage: wizard-driver screens INSTALLER FOLDER | startup INSTALLER RUNS\n");
    return 2;
}
