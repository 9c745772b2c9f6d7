#pragma once
#include <stdexcept>
#include <string>

// A refusal or failure of the packaging tool. Its message names the file or
// the manifest field at fault; the command line prints it and exits non-zero.
class PackError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Runs `step`; a refusal from it is passed on with "field: " in front, for
// steps whose own messages name only a file.
template <class Step>
auto WithField(const std::string& field, Step step) -> decltype(step())
{
    try {
        return step();
    } catch (const PackError& e) {
        throw PackError(field + ": " + e.what());
    }
}
