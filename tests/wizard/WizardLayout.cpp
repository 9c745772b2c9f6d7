#include "WizardLayout.h"

namespace {

void Compare(std::string& differences, const char* what, bool actual, bool expected)
{
    if (actual != expected) differences += std::string(what) + (expected ? " should be on; " : " should be off; ");
}

}  // namespace

std::string LayoutDifference(const WizardRun& run, const StepLayout& layout)
{
    std::string d;
    Compare(d, "directory page shown", Shown(run.DirectoryPage()), layout.directoryPage);
    Compare(d, "progress page shown", Shown(run.ProgressPage()), layout.progressPage);
    Compare(d, "Back shown", Shown(run.Back()), layout.backShown);
    Compare(d, "Back enabled", IsWindowEnabled(run.Back()) != 0, layout.backEnabled);
    Compare(d, "Back reads 上一步", Text(run.Back()) == "上一步", true);
    Compare(d, "Next shown", Shown(run.Next()), true);
    Compare(d, "Next enabled", IsWindowEnabled(run.Next()) != 0, layout.nextEnabled);
    if (Text(run.Next()) != layout.nextText) d += "Next reads " + Text(run.Next()) + "; ";
    Compare(d, "Cancel shown", Shown(run.Cancel()), layout.cancelShown);
    Compare(d, "step one heading shown", Shown(Control(run.frame, 1039)), layout.stepOneContent);
    Compare(d, "step one artwork shown", Shown(Control(run.frame, 1028)), layout.stepOneContent);
    return d;
}

std::string WaitForLayout(const WizardRun& run, const StepLayout& layout)
{
    WaitUntil([&] { return LayoutDifference(run, layout).empty(); });
    return LayoutDifference(run, layout);
}

bool HoldsInOrder(const std::vector<std::string>& lines, const std::vector<std::string>& expected)
{
    size_t at = 0;
    for (const std::string& line : lines)
        if (at < expected.size() && line.compare(0, expected[at].size(), expected[at]) == 0) ++at;
    return at == expected.size();
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::vector<std::string> WaitForLog(const std::string& folder, size_t count)
{
    WaitUntil([&] { return InstallLogMessages(folder).size() >= count; });
    return InstallLogMessages(folder);
}
