#include "GbkText.h"

#include <cerrno>
#include <cstdio>
#include <iconv.h>

#include "PackError.h"
#include "PayloadLayout.h"

namespace {

// One conversion direction; the descriptor is closed again on every path.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) throw PackError(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }

    // Converts from the start of input; returns false at the first byte
    // sequence it cannot convert, with `done` telling how many bytes went.
    bool Convert(const std::string& input, std::string& output, size_t& done)
    {
        char* in = const_cast<char*>(input.data());
        size_t inLeft = input.size();
        char buffer[256];
        bool ok = true;
        while (inLeft > 0) {
            char* out = buffer;
            size_t outLeft = sizeof buffer;
            size_t result = iconv(cd_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, out - buffer);
            if (result == static_cast<size_t>(-1) && errno != E2BIG) {
                ok = false;
                break;
            }
        }
        done = input.size() - inLeft;
        return ok;
    }

private:
    iconv_t cd_;
};

}  // namespace

std::optional<std::string> Utf8ToGbk(const std::string& utf8)
{
    Converter converter("GBK", "UTF-8");
    std::string gbk;
    size_t done = 0;
    if (!converter.Convert(utf8, gbk, done)) return std::nullopt;
    return gbk;
}

std::string GbkField(const std::string& utf8, const std::string& field)
{
    std::optional<std::string> gbk = Utf8ToGbk(utf8);
    if (!gbk) throw PackError(field + ": \"" + utf8 + "\" holds a character that GBK (code page 936) cannot represent");
    if (gbk->size() > static_cast<size_t>(MAX_TEXT_LEN))
        throw PackError(field + ": " + std::to_string(gbk->size()) + " bytes in GBK; the installer holds at most " +
                        std::to_string(MAX_TEXT_LEN));
    return *gbk;
}

std::string GbkToUtf8(const std::string& gbk)
{
    Converter converter("UTF-8", "GBK");
    std::string utf8;
    std::string rest = gbk;
    size_t done = 0;
    while (!converter.Convert(rest, utf8, done)) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned char>(rest[done]));
        utf8 += escape;
        rest.erase(0, done + 1);
    }
    return utf8;
}
