#include "WindowsPath.h"

#include <cctype>
#include <vector>

#include "GbkText.h"
#include "PackError.h"

namespace {

const char* const kDeviceNames[] = {"con", "prn", "aux", "nul", "com1", "com2", "com3", "com4", "com5", "com6",
                                    "com7", "com8", "com9", "lpt1", "lpt2", "lpt3", "lpt4", "lpt5", "lpt6",
                                    "lpt7", "lpt8", "lpt9"};

std::string NameProblem(const std::string& name)
{
    if (name.empty()) return "an empty name";
    if (name == "." || name == "..") return "the name \"" + name + "\"";
    for (unsigned char c : name) {
        if (c < 0x20) return "a control character";
        if (std::string("<>:\"/\\|?*").find(static_cast<char>(c)) != std::string::npos)
            return std::string("the character '") + static_cast<char>(c) + "', which Windows does not allow in names";
    }
    if (name.back() == '.' || name.back() == ' ') return "a name ending in a dot or a space";
    std::string stem = FoldCase(name.substr(0, name.find('.')));
    for (const char* device : kDeviceNames)
        if (stem == device) return "the device name \"" + name + "\"";
    return "";
}

// The installer looks for backslashes byte by byte, so the second byte of a
// double-byte character must never be 0x5C.
void RefuseBackslashTrailByte(const std::string& gbk, const std::string& what)
{
    for (size_t i = 0; i < gbk.size(); ++i) {
        if (static_cast<unsigned char>(gbk[i]) < 0x81) continue;
        if (i + 1 < gbk.size() && gbk[i + 1] == '\\')
            throw PackError(what + ": the character \"" + GbkToUtf8(gbk.substr(i, 2)) +
                            "\" ends in the byte of a backslash in GBK, which the installer would split there");
        ++i;
    }
}

std::vector<std::string> SplitPath(const std::string& path)
{
    std::vector<std::string> parts(1);
    for (char c : path) {
        if (c == '\\' || c == '/')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

std::string JoinChecked(const std::vector<std::string>& names, size_t first, const std::string& utf8,
                        const std::string& what)
{
    std::string joined;
    for (size_t i = first; i < names.size(); ++i) {
        std::string problem = NameProblem(names[i]);
        if (!problem.empty()) throw PackError(what + ": \"" + utf8 + "\" holds " + problem);
        joined += (i > first ? "\\" : "") + names[i];
    }
    return joined;
}

std::string ToCheckedGbk(const std::string& windowsPath, const std::string& what)
{
    std::string gbk = GbkField(windowsPath, what);
    RefuseBackslashTrailByte(gbk, what);
    return gbk;
}

}  // namespace

std::string FoldCase(std::string name)
{
    for (size_t i = 0; i < name.size(); ++i) {
        char& c = name[i];
        if (static_cast<unsigned char>(c) >= 0x81)
            ++i;  // a double-byte character, whose second byte may look like a letter
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return name;
}

std::string WindowsInstallFolder(const std::string& utf8, const std::string& what)
{
    bool drive = utf8.size() > 3 && std::isalpha(static_cast<unsigned char>(utf8[0])) && utf8[1] == ':' &&
                 utf8[2] == '\\';
    if (!drive)
        throw PackError(what + ": \"" + utf8 + "\" is not an absolute Windows folder such as C:\\Program Files\\Product");
    if (utf8.find('/') != std::string::npos) throw PackError(what + ": \"" + utf8 + "\" must use backslashes");
    if (utf8.back() == '\\') throw PackError(what + ": \"" + utf8 + "\" must not end in a backslash");
    std::vector<std::string> names = SplitPath(utf8.substr(3));
    return ToCheckedGbk(utf8.substr(0, 3) + JoinChecked(names, 0, utf8, what), what);
}

std::string WindowsRelativePath(const std::string& utf8, const std::string& what)
{
    if (utf8.size() >= 2 && utf8[1] == ':') throw PackError(what + ": \"" + utf8 + "\" must not name a drive");
    if (!utf8.empty() && (utf8[0] == '\\' || utf8[0] == '/'))
        throw PackError(what + ": \"" + utf8 + "\" must be relative, without a leading separator");
    return ToCheckedGbk(JoinChecked(SplitPath(utf8), 0, utf8, what), what);
}

std::string WindowsFileName(const std::string& utf8, const std::string& what)
{
    std::string problem = NameProblem(utf8);
    if (!problem.empty()) throw PackError(what + ": \"" + utf8 + "\" holds " + problem);
    return ToCheckedGbk(utf8, what);
}
