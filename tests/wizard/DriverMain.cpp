// wizard-driver: the test driver as a command, for the demo and the benchmark.
//   wizard-driver screens INSTALLER FOLDER  walks the wizard through its three
//       screens, installing into the installer's default folder, saves
//       screenshots of the first two as FOLDER\step1.bmp and step2.bmp and of
//       the end as FOLDER\finish.bmp, and clicks 完成
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
    // Screen two is the page with the folder's edit box (1000); screen three
    // (the progress page) installs at once and is taken at its end.
    ok = ok && Click(Control(frame, kNext)) && WaitUntil([&] { return Shown(PageWith(frame, 1000)); });
    ok = ok && SaveScreenAfterPaint(folder + "\\step2.bmp");
    ok = ok && Click(Control(frame, kNext));
    // The install starts by itself on the third screen; at its end Next reads
    // 完成 (until the launch, Next is still enabled and reads 下一步).
    ok = ok && WaitUntil([&] { return Text(Control(frame, kNext)) == "完成" && Clickable(Control(frame, kNext)); },
                         60000);
    ok = ok && SaveScreenAfterPaint(folder + "\\finish.bmp");
    ok = ok && Click(Control(frame, kNext));
    return ok && process.WaitForExit(10000) == IDOK ? 0 : 1;
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
