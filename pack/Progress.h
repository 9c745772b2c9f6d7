#pragma once
#include <chrono>
#include <string>

// One self-overwriting status line on standard error, shown only when that is
// a terminal, at most ten times a second.
class Progress {
public:
    Progress();
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    void Update(const std::string& line);
    // Ends the status line, leaving `line` on the terminal.
    void Finish(const std::string& line);

private:
    void Show(const std::string& line);

    bool terminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point last_;
};
