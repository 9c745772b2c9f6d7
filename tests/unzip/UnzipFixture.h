#pragma once
// Shared steps of the extractor tests: a fresh folder with an archive in it,
// and a listing of what extraction left on disk.
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestZip.h"

struct UnzipFixture {
    explicit UnzipFixture(const std::string& name) : folder(MakeTestFolder(name)) {}

    // Writes the entries as folder\name and returns that path.
    std::string Archive(const std::vector<ZipEntry>& entries, const std::string& name = "in.zip") const;

    std::string folder;
};

// Everything below folder, relative to it, sorted; folders end in "\".
std::vector<std::string> ListTree(const std::string& folder);

std::string ReadText(const std::string& path);
