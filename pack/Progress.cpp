#include "Progress.h"

#include <cstdio>
#include <unistd.h>

Progress::Progress() : terminal_(isatty(STDERR_FILENO) == 1) {}

Progress::~Progress()
{
    if (shown_) std::fputs("\r\033[K", stderr);
}

void Progress::Update(const std::string& line)
{
    auto now = std::chrono::steady_clock::now();
    if (shown_ && now - last_ < std::chrono::milliseconds(100)) return;
    last_ = now;
    Show(line);
}

void Progress::Finish(const std::string& line)
{
    if (!terminal_) return;
    Show(line);
    std::fputs("\n", stderr);
    shown_ = false;
}

void Progress::Show(const std::string& line)
{
    if (!terminal_) return;
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    std::fflush(stderr);
    shown_ = true;
}
