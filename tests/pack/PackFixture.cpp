#include "PackFixture.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "GbkText.h"
#include "Progress.h"
#include "ZipWriter.h"

namespace fs = std::filesystem;

namespace {

const char kManifest[] = R"(title = "测试软件"
version = "2.0 测试版"
vendor_key = "TestSoft"
install_dir = 'C:\Program Files\测试软件'
menu_folder = "测试软件"
uninstaller = "uninstall.exe"

[images]
step1 = "art/step.bmp"
step2 = "art/step.bmp"
step3 = "art/step.bmp"
step3_late = "art/step.bmp"
banner = "art/banner.bmp"

[archives]
first = "product"
second = "extras.zip"
exclude = ["*.bak"]

[[shortcuts]]
name = "测试.lnk"
target = '程序\测试.exe'
location = "desktop"

[[shortcuts]]
name = "卸载测试.lnk"
location = "programs"

[[shortcuts]]
name = "说明.lnk"
target = "说明.txt"
icon = '程序\测试.exe'
location_code = 7
)";

Bytes WindowsProgram(size_t size, uint8_t fill)
{
    Bytes program(size, fill);
    program[0] = 'M';
    program[1] = 'Z';
    return program;
}

// extras.zip, written once by the tool's own ZIP writer from a small folder.
void WriteExtrasZip(const PackFixture& f)
{
    f.WriteText("extras-src/readme.txt", "extras");
    f.SetTimes("extras-src", SampleTime());
    Progress quiet;
    std::vector<ArchiveItem> items = ScanFolder(f.Path("extras-src"), {}, quiet);
    FILE* out = fopen(f.Path("extras.zip").c_str(), "wb");
    WriteZip(out, items, INT32_MAX, "extras", quiet);
    fclose(out);
}

}  // namespace

std::string Gbk(const std::string& utf8) { return *Utf8ToGbk(utf8); }

std::time_t SampleTime()
{
    std::tm local{};
    local.tm_year = 2021 - 1900;
    local.tm_mon = 5;
    local.tm_mday = 15;
    local.tm_hour = 10;
    local.tm_min = 20;
    local.tm_sec = 30;
    local.tm_isdst = -1;
    return std::mktime(&local);
}

PackFixture::PackFixture(const std::string& name)
    : folder(MakeTestFolder(name)), manifest(kManifest), stub(WindowsProgram(4096, 0x11)),
      uninstaller(WindowsProgram(70000, 0x22))
{
    fs::create_directories(Path("art"));
    fs::create_directories(Path("out"));
    WriteFileBytes(Path("art/step.bmp"), MakeBmp(438, 155, 3));
    WriteFileBytes(Path("art/banner.bmp"), MakeBmp(495, 60, 4));
    WriteFileBytes(Path("stub.exe"), stub);
    WriteFileBytes(Path("uninstall.exe"), uninstaller);
    WriteText("product/说明.txt", "说明文字\r\n");
    WriteText("product/程序/测试.exe", "MZ not really a program");
    WriteText("product/文档/子目录/深.txt", std::string(5000, 'x'));
    WriteText("product/文档/旧.bak", "left out by the exclude pattern");
    fs::create_directories(Path("product/空"));
    SetTimes("product", SampleTime());
    WriteExtrasZip(*this);
}

std::string PackFixture::Path(const std::string& relative) const { return folder + "/" + relative; }

void PackFixture::WriteText(const std::string& relative, const std::string& text) const
{
    fs::create_directories(fs::path(Path(relative)).parent_path());
    WriteFileBytes(Path(relative), Bytes(text.begin(), text.end()));
}

void PackFixture::SetTimes(const std::string& relative, std::time_t time) const
{
    const struct timespec times[2] = {{time, 0}, {time, 0}};
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(Path(relative)))
        utimensat(AT_FDCWD, entry.path().c_str(), times, 0);
    utimensat(AT_FDCWD, Path(relative).c_str(), times, 0);
}

void PackFixture::Replace(const std::string& from, const std::string& to)
{
    size_t at = manifest.find(from);
    if (at == std::string::npos) throw std::runtime_error("the manifest holds no " + from);
    manifest.replace(at, from.size(), to);
}

BuildOptions PackFixture::Options() const
{
    std::ofstream(Path("manifest.toml"), std::ios::binary) << manifest;
    BuildOptions options;
    options.manifest = Path("manifest.toml");
    options.output = Path("out/setup.exe");
    options.stub = Path("stub.exe");
    return options;
}

int RunPack(const std::string& arguments, std::string* errors, std::string* output)
{
    std::string errorFile = (fs::temp_directory_path() / ("setup-pack-errors-" + std::to_string(getpid()))).string();
    std::string command = std::string("'") + SETUP_PACK_EXE + "' " + arguments + " 2>'" + errorFile + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) throw std::runtime_error("cannot run setup-pack");
    std::string text;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, n);
    int status = pclose(pipe);
    Bytes stderrBytes = ReadFileBytes(errorFile);
    fs::remove(errorFile);
    if (output) *output = text;
    if (errors) *errors = std::string(stderrBytes.begin(), stderrBytes.end());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
