// setup-pack: the packaging tool of the self-extracting installer.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "Build.h"
#include "Extract.h"
#include "Inspect.h"
#include "InspectReport.h"
#include "LzCommands.h"

namespace fs = std::filesystem;

namespace {

// The stub is installed beside this program.
fs::path DefaultStub()
{
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    return (error ? fs::path(".") : self.parent_path()) / "setup-stub.exe";
}

}  // namespace

int main(int argc, char** argv)
{
    CLI::App app{"Builds, inspects and unpacks self-extracting Windows installers."};
    app.require_subcommand(1);

    std::string manifest, output, stub = DefaultStub().string(), uninstaller;
    bool fit = false;
    CLI::App* build = app.add_subcommand("build", "Write an installer from a manifest");
    build->add_option("manifest", manifest, "The manifest (TOML)")->required();
    build->add_option("-o,--output", output, "The installer to write")->required();
    build->add_option("--stub", stub, "The installer program to put in front of the payload")->capture_default_str();
    build->add_option("--uninstaller", uninstaller, "The uninstaller program, instead of the manifest's");
    build->add_flag("--fit", fit, "Scale artwork of another size to its role's size");

    std::string installer, folder;
    bool json = false, verify = false;
    CLI::App* inspect = app.add_subcommand("inspect", "Show what an installer carries");
    inspect->add_option("installer", installer, "The installer")->required();
    inspect->add_flag("--json", json, "Print one JSON object");
    inspect->add_flag("--verify", verify, "Also check every block stream and every entry's CRC-32");

    CLI::App* extract = app.add_subcommand("extract", "Write an installer's images, archives and uninstaller");
    extract->add_option("installer", installer, "The installer")->required();
    extract->add_option("folder", folder, "Where to write them")->required();

    std::string input;
    CLI::App* encode = app.add_subcommand("lz-encode", "Code a file as a block stream");
    CLI::App* decode = app.add_subcommand("lz-decode", "Decode a block stream");
    for (CLI::App* command : {encode, decode}) {
        command->add_option("input", input, "The file to read")->required();
        command->add_option("output", output, "The file to write")->required();
    }

    CLI11_PARSE(app, argc, argv);
    try {
        if (*build) {
            BuildOptions options{manifest, output, stub, std::nullopt, fit};
            if (!uninstaller.empty()) options.uninstaller = uninstaller;
            BuildInstaller(options);
        } else if (*inspect) {
            InstallerReport report = ReadInstaller(installer, verify);
            if (json)
                PrintReportJson(report, std::cout);
            else
                PrintReport(report, std::cout);
        } else if (*extract) {
            ExtractInstaller(installer, folder);
        } else if (*encode) {
            LzEncodeFile(input, output);
        } else if (*decode) {
            LzDecodeFile(input, output);
        }
    } catch (const std::exception& e) {
        std::cerr << "setup-pack: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
