// Installation time of one installer, for scripts/bench-engine: the engine
// runs as in the wizard, on a worker thread against a real progress bar.
//   SETUP_BENCH_INSTALLER  the installer file
//   SETUP_BENCH_FOLDER     the install folder (made by the engine)
#include <doctest/doctest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "EngineHarness.h"

TEST_CASE("installation time")
{
    const char* installer = getenv("SETUP_BENCH_INSTALLER");
    const char* folder = getenv("SETUP_BENCH_FOLDER");
    REQUIRE_MESSAGE((installer && folder), "set SETUP_BENCH_INSTALLER and SETUP_BENCH_FOLDER");
    EngineFixture f("engine-bench");
    f.PrepareFile(installer, folder);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    InstallRun run = f.Install();
    QueryPerformanceCounter(&end);
    REQUIRE(run.result == 1);
    printf("install seconds: %.2f\n", double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart));
}
