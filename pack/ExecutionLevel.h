#pragma once
#include <string>

// The values of the manifest's execution_level and the level each one puts
// into the stub's application manifest.
struct ExecutionLevelInfo {
    const char* key;
    const char* manifestLevel;
};

const ExecutionLevelInfo kExecutionLevels[] = {
    {"administrator", "requireAdministrator"},
    {"current_user", "asInvoker"},
};

// The manifest key's word for a level the stub states; nullptr for a level
// that the key cannot ask for.
inline const char* ExecutionLevelKey(const std::string& manifestLevel)
{
    for (const ExecutionLevelInfo& level : kExecutionLevels)
        if (manifestLevel == level.manifestLevel) return level.key;
    return nullptr;
}
