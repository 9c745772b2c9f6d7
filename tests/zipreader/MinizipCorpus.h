#pragma once
#include <string>

// Writes the corpus archives made with minizip's own zip side (names
// starting with "mz_") into folder. False when minizip refused a call.
bool WriteMinizipArchives(const std::string& folder);
