#include "OutputFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "PackError.h"

namespace {

std::string Reason() { return std::strerror(errno); }

}  // namespace

OutputFile::OutputFile(const std::filesystem::path& target) : target_(target)
{
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) folder = ".";
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) throw PackError(target.string() + ": cannot create a file in " + folder.string() + ": " + Reason());
    tempPath_ = name.data();
    stream_ = fdopen(fd, "wb+");
    if (!stream_) {
        close(fd);
        unlink(tempPath_.c_str());
        throw PackError(target.string() + ": " + Reason());
    }
}

OutputFile::~OutputFile()
{
    if (stream_) {
        fclose(stream_);
        unlink(tempPath_.c_str());
    }
}

void OutputFile::Commit(mode_t mode)
{
    bool written = fflush(stream_) == 0 && !ferror(stream_) && fsync(fileno(stream_)) == 0;
    std::string reason = Reason();
    if (!written) throw PackError(target_.string() + ": write failed: " + reason);
    if (fchmod(fileno(stream_), mode) != 0) throw PackError(target_.string() + ": " + Reason());
    if (rename(tempPath_.c_str(), target_.c_str()) != 0) throw PackError(target_.string() + ": " + Reason());
    fclose(stream_);
    stream_ = nullptr;
}
