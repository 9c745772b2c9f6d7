#pragma once
#include <optional>
#include <string>

#include "FileBytes.h"

// The rights a Windows program asks for when it starts: the level attribute
// of the requestedExecutionLevel element in its application manifest, the
// resource of type 24 (its first name, its first language).

// The level the program's manifest states, such as "requireAdministrator";
// nothing when the program holds no manifest with exactly one such element.
std::optional<std::string> ReadExecutionLevel(const Bytes& program);

// Sets the level in place. The attribute keeps its length: the new value is
// followed by blanks after its closing quote, so no offset in the program
// moves. Refuses, naming `what`, a program without such a manifest and an
// attribute too short for the new value.
void WriteExecutionLevel(Bytes& program, const std::string& level, const std::string& what);
