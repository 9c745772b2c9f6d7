#pragma once
#include <string>
#include <vector>

#include "PayloadBuilder.h"

// A fresh, empty folder for one test, inside the system's temporary folder
// (in the Wine prefix for the Windows tests). Returned without a trailing separator.
std::string MakeTestFolder(const std::string& name);

// Removes a folder with everything in it; nothing happens when it is missing.
void RemoveTree(const std::string& path);

// Joins with the platform's separator.
std::string JoinPath(const std::string& folder, const std::string& name);

void WriteFileBytes(const std::string& path, const Bytes& bytes);
Bytes ReadFileBytes(const std::string& path);
bool PathExists(const std::string& path);

#ifdef _WIN32
// The messages of every install log (install*.log) in folder, without their
// time stamps, in order: normally one file; a run across midnight continues
// in the next day's.
std::vector<std::string> InstallLogMessages(const std::string& folder);
#endif
