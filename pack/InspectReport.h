#pragma once
#include <ostream>

struct InstallerReport;

// An installer's contents for people (texts in UTF-8, one part per line) and
// for programs (one JSON object).
void PrintReport(const InstallerReport& report, std::ostream& out);
void PrintReportJson(const InstallerReport& report, std::ostream& out);
