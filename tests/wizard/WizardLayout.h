#pragma once
// What the frame shows at each step, as a user sees it, and a wait for it.
#include <string>

#include "WizardFixture.h"

struct StepLayout {
    bool directoryPage, progressPage;
    bool backShown, backEnabled;
    const char* nextText;
    bool nextEnabled;
    bool cancelShown;
    bool stepOneContent;  // heading 1039 and artwork 1028
};

const StepLayout kStep0 = {false, false, false, true, "开始安装", true, true, true};
const StepLayout kStep1 = {true, false, true, true, "下一步", true, true, false};
const StepLayout kStep2 = {false, true, true, true, "下一步", true, true, false};
const StepLayout kFinish = {false, true, true, false, "完成", true, false, false};

// A description of what differs from layout, empty when nothing does.
std::string LayoutDifference(const WizardRun& run, const StepLayout& layout);

// Waits until the wizard shows layout; a description of what still differs.
std::string WaitForLayout(const WizardRun& run, const StepLayout& layout);

// Whether lines holds each of expected in this order, each as the start of
// a line.
bool HoldsInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected);
// The lines one per row, for a failure's message.
std::string Joined(const std::vector<std::string>& lines);

// Waits until the install log of folder holds count messages, and returns them.
std::vector<std::string> WaitForLog(const std::string& folder, size_t count);
