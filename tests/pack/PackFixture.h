#pragma once
#include <ctime>
#include <string>

#include "Build.h"
#include "TestFiles.h"

// A product in its own test folder: a manifest (kept as text, so that a test
// can change it before writing), artwork, a product folder with Chinese
// names, nested folders and an empty one, a ZIP to take as it is, and a
// stand-in stub and uninstaller.
struct PackFixture {
    explicit PackFixture(const std::string& name);

    std::string Path(const std::string& relative) const;
    void WriteText(const std::string& relative, const std::string& text) const;
    // Gives every file and folder below `relative` the same modification time.
    void SetTimes(const std::string& relative, std::time_t time) const;
    void Replace(const std::string& from, const std::string& to);

    // Writes the manifest and returns options that build out/setup.exe.
    BuildOptions Options() const;

    std::string folder;
    std::string manifest;
    Bytes stub, uninstaller;
};

// The GBK bytes of a UTF-8 text, for comparing with what the installer holds.
std::string Gbk(const std::string& utf8);

// 2021-06-15 10:20:30 local time, and its MS-DOS form as ZIP stores it.
std::time_t SampleTime();
const uint32_t kSampleDosTime = ((41u << 9 | 6u << 5 | 15u) << 16) | (10u << 11 | 20u << 5 | 15u);

// Runs setup-pack with the arguments (quoted as the shell needs); returns its
// exit status, with what it wrote to standard error and output.
int RunPack(const std::string& arguments, std::string* errors = nullptr, std::string* output = nullptr);
