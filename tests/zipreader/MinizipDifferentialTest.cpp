// Drives Debian's libminizip and the project's reader through the same calls
// on every archive of a corpus made at test time, records what each call
// answers (return codes, structures, every byte of every output buffer) and
// requires the two records to be identical.

#include <unzip.h>

#include "ZipReader.h"

#include <doctest/doctest.h>

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "MinizipCorpus.h"

#define SAME_FIELD(S, F) \
    static_assert(offsetof(::S, F) == offsetof(zipreader::S, F) && \
                  sizeof(::S::F) == sizeof(zipreader::S::F), #S "::" #F)
SAME_FIELD(tm_unz, tm_sec);
SAME_FIELD(tm_unz, tm_min);
SAME_FIELD(tm_unz, tm_hour);
SAME_FIELD(tm_unz, tm_mday);
SAME_FIELD(tm_unz, tm_mon);
SAME_FIELD(tm_unz, tm_year);
SAME_FIELD(unz_global_info, number_entry);
SAME_FIELD(unz_global_info, size_comment);
SAME_FIELD(unz_file_info, version);
SAME_FIELD(unz_file_info, version_needed);
SAME_FIELD(unz_file_info, flag);
SAME_FIELD(unz_file_info, compression_method);
SAME_FIELD(unz_file_info, dosDate);
SAME_FIELD(unz_file_info, crc);
SAME_FIELD(unz_file_info, compressed_size);
SAME_FIELD(unz_file_info, uncompressed_size);
SAME_FIELD(unz_file_info, size_filename);
SAME_FIELD(unz_file_info, size_file_extra);
SAME_FIELD(unz_file_info, size_file_comment);
SAME_FIELD(unz_file_info, disk_num_start);
SAME_FIELD(unz_file_info, internal_fa);
SAME_FIELD(unz_file_info, external_fa);
SAME_FIELD(unz_file_info, tmu_date);
static_assert(sizeof(::unz_file_info) == sizeof(zipreader::unz_file_info), "unz_file_info");
static_assert(sizeof(::unz_global_info) == sizeof(zipreader::unz_global_info), "unz_global_info");

namespace {

// Debian's minizip writes the file info without checking the pointer, so it
// is only ever given NULL on the project's reader.
#define DEFINE_CALLS(Name, NS, AcceptsNullInfo)                                                 \
    struct Name {                                                                               \
        static const bool kAcceptsNullInfo = AcceptsNullInfo;                                   \
        typedef NS::unzFile File;                                                               \
        typedef NS::unz_global_info GlobalInfo;                                                 \
        typedef NS::unz_file_info FileInfo;                                                     \
        static File Open(const char* path) { return NS::unzOpen(path); }                        \
        static int Close(File f) { return NS::unzClose(f); }                                    \
        static int GetGlobalInfo(File f, GlobalInfo* gi) { return NS::unzGetGlobalInfo(f, gi); } \
        static int GoToFirstFile(File f) { return NS::unzGoToFirstFile(f); }                    \
        static int GoToNextFile(File f) { return NS::unzGoToNextFile(f); }                      \
        static int GetCurrentFileInfo(File f, FileInfo* info, char* name, uLong nameSize,       \
                                      void* extra, uLong extraSize, char* comment,              \
                                      uLong commentSize)                                        \
        {                                                                                       \
            return NS::unzGetCurrentFileInfo(f, info, name, nameSize, extra, extraSize,         \
                                             comment, commentSize);                             \
        }                                                                                       \
        static int OpenCurrentFile(File f) { return NS::unzOpenCurrentFile(f); }                \
        static int ReadCurrentFile(File f, void* buf, unsigned len)                             \
        {                                                                                       \
            return NS::unzReadCurrentFile(f, buf, len);                                         \
        }                                                                                       \
        static int CloseCurrentFile(File f) { return NS::unzCloseCurrentFile(f); }              \
    };
DEFINE_CALLS(MinizipCalls, , false)
DEFINE_CALLS(ZipReaderCalls, zipreader, true)

class Trace {
public:
    void Add(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        char line[1024];
        va_list args;
        va_start(args, format);
        vsnprintf(line, sizeof(line), format, args);
        va_end(args);
        lines_.push_back(line);
    }
    const std::vector<std::string>& Lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Output buffers start filled with this byte and have this many bytes past
// the size the library is told, so that stray writes show up too.
const unsigned char kFill = 0xA5;
const size_t kGuard = 16;

std::string Describe(const std::vector<unsigned char>& buffer)
{
    char head[2 * 40 + 1] = "";
    size_t shown = std::min<size_t>(buffer.size(), 40);
    for (size_t i = 0; i < shown; ++i)
        snprintf(head + 2 * i, 3, "%02x", buffer[i]);
    char out[256];
    snprintf(out, sizeof(out), "[%zu crc=%08lx %s]", buffer.size(),
             crc32(0, buffer.data(), uInt(buffer.size())), head);
    return out;
}

template <class Info>
std::string DescribeInfo(const Info& i)
{
    char out[512];
    snprintf(out, sizeof(out),
             "ver=%lu need=%lu flag=%lu method=%lu dos=%lx crc=%lx csize=%lu usize=%lu "
             "name=%lu extra=%lu comment=%lu disk=%lu ifa=%lu efa=%lx tm=%u-%u-%u %u:%u:%u",
             i.version, i.version_needed, i.flag, i.compression_method, i.dosDate, i.crc,
             i.compressed_size, i.uncompressed_size, i.size_filename, i.size_file_extra,
             i.size_file_comment, i.disk_num_start, i.internal_fa, i.external_fa,
             i.tmu_date.tm_year, i.tmu_date.tm_mon, i.tmu_date.tm_mday, i.tmu_date.tm_hour,
             i.tmu_date.tm_min, i.tmu_date.tm_sec);
    return out;
}

// One unzGetCurrentFileInfo call: which outputs are passed, and the sizes
// the library is told (also when the pointer is NULL).
struct InfoCall {
    bool info;
    bool name;
    uLong nameSize;
    bool extra;
    uLong extraSize;
    bool comment;
    uLong commentSize;
};

// Room for the longest possible name, extra field and comment.
const InfoCall kLargestInfo = {true, true, 65536, true, 65536, true, 65536};
// Enough for the names of the corpus, and cheap for long walks.
const InfoCall kWalkInfo = {true, true, 300, true, 64, true, 64};
const InfoCall kSizesOnly = {true, false, 0, false, 0, false, 0};
const InfoCall kInfoCalls[] = {
    {false, true, 0, true, 0, true, 0},
    {true, true, 1, true, 1, true, 1},
    {true, true, 5, true, 3, true, 4},
    {false, true, 16, false, 50, true, 300},
    {true, false, 300, true, 600, false, 20},
    {true, true, 300, true, 2, false, 0},
};

template <class Api>
struct Driver {
    typedef typename Api::File File;
    typedef typename Api::FileInfo FileInfo;

    Trace& trace;

    // Returns the sizes the entry reported, for calls that fit them exactly.
    FileInfo RecordInfo(File f, const InfoCall& c, const char* label)
    {
        FileInfo info;
        memset(&info, kFill, sizeof(info));
        FileInfo unused;
        FileInfo* infoOut = c.info ? &info : Api::kAcceptsNullInfo ? nullptr : &unused;
        std::vector<unsigned char> name(c.name ? c.nameSize + kGuard : 0, kFill);
        std::vector<unsigned char> extra(c.extra ? c.extraSize + kGuard : 0, kFill);
        std::vector<unsigned char> comment(c.comment ? c.commentSize + kGuard : 0, kFill);
        int rc = Api::GetCurrentFileInfo(f, infoOut,
                                         c.name ? reinterpret_cast<char*>(name.data()) : nullptr,
                                         c.nameSize, c.extra ? extra.data() : nullptr, c.extraSize,
                                         c.comment ? reinterpret_cast<char*>(comment.data()) : nullptr,
                                         c.commentSize);
        trace.Add("info %s(%lu,%lu,%lu) rc=%d {%s} name%s extra%s comment%s", label, c.nameSize,
                  c.extraSize, c.commentSize, rc, c.info ? DescribeInfo(info).c_str() : "-",
                  Describe(name).c_str(), Describe(extra).c_str(), Describe(comment).c_str());
        return info;
    }

    // Buffers of the sizes the entry reports, one byte less and one more,
    // and a set of fixed small ones; the largest ones on first entries only.
    void RecordAllInfoCalls(File f, bool largest)
    {
        FileInfo sizes = RecordInfo(f, kSizesOnly, "sizes");
        if (largest)
            RecordInfo(f, kLargestInfo, "largest");
        for (const InfoCall& c : kInfoCalls)
            RecordInfo(f, c, "part");
        if (sizes.size_filename > 0xffff || sizes.size_file_extra > 0xffff ||
            sizes.size_file_comment > 0xffff)
            return;
        for (uLong more : {0, 1, 2}) {
            auto fit = [more](uLong size) { return size + more > 0 ? size + more - 1 : 0; };
            InfoCall c = {true, true, fit(sizes.size_filename), true, fit(sizes.size_file_extra),
                          true, fit(sizes.size_file_comment)};
            RecordInfo(f, c, "fitted");
        }
    }

    int Read(File f, unsigned len)
    {
        std::vector<unsigned char> buffer(len + kGuard, kFill);
        int rc = Api::ReadCurrentFile(f, buffer.data(), len);
        trace.Add("read %u rc=%d %s", len, rc, Describe(buffer).c_str());
        return rc;
    }

    // Reads the entry in pieces of the given sizes, in turn, until the end
    // or an error, and once more after that.
    void ReadToEnd(File f, const std::vector<unsigned>& sizes, bool interleaveInfo)
    {
        const int kMaxCalls = 400;
        for (int call = 0; call < kMaxCalls; ++call) {
            int rc = Read(f, sizes[call % sizes.size()]);
            if (interleaveInfo && call == 1)
                RecordInfo(f, kWalkInfo, "while reading");
            if (rc <= 0) {
                Read(f, 20480);
                return;
            }
        }
        trace.Add("read limit reached");
    }

    // Pass 0 reads each entry in pieces of 20480 bytes, pass 1 in odd sizes
    // with a directory read in between. Pass 2 reads a little, reopens, and
    // leaves the entry open while the walk goes on.
    void ReadEntry(File f, int pass)
    {
        if (pass == 2)
            Read(f, 3);
        int rc = Api::OpenCurrentFile(f);
        trace.Add("open current rc=%d", rc);
        if (rc != UNZ_OK) {
            Read(f, 10);
        } else if (pass == 0) {
            ReadToEnd(f, {20480}, false);
        } else if (pass == 1) {
            ReadToEnd(f, {1, 3, 4095, 16385, 7, 65537, 20480, 2}, true);
        } else {
            Read(f, 100);
            trace.Add("reopen rc=%d", Api::OpenCurrentFile(f));
            Read(f, 5);
            trace.Add("close partial rc=%d", Api::CloseCurrentFile(f));
            trace.Add("open again rc=%d", Api::OpenCurrentFile(f));
            Read(f, 7);
            return;
        }
        trace.Add("close current rc=%d", Api::CloseCurrentFile(f));
        trace.Add("close current again rc=%d", Api::CloseCurrentFile(f));
    }

    void Run(const std::string& path)
    {
        File f = Api::Open(path.c_str());
        trace.Add("open %s", f ? "handle" : "NULL");
        if (!f)
            return;
        typename Api::GlobalInfo gi;
        memset(&gi, kFill, sizeof(gi));
        int rc = Api::GetGlobalInfo(f, &gi);
        trace.Add("global rc=%d entries=%lu comment=%lu", rc, gi.number_entry, gi.size_comment);
        Read(f, 10);
        trace.Add("close current without open rc=%d", Api::CloseCurrentFile(f));
        RecordInfo(f, kLargestInfo, "after open");

        // Big archives get the full treatment on their first entries only.
        const unsigned long kDetailedEntries = 40;
        const unsigned long kMaxWalk = 80000;
        for (int pass = 0; pass < 3; ++pass) {
            trace.Add("pass %d first rc=%d", pass, Api::GoToFirstFile(f));
            for (unsigned long index = 0;; ++index) {
                bool detailed = index < kDetailedEntries;
                if (!detailed && pass > 0)
                    break;
                if (detailed && pass == 0)
                    RecordAllInfoCalls(f, index == 0);
                else if (detailed || index % 1000 == 0)
                    RecordInfo(f, kWalkInfo, "walk");
                if (detailed)
                    ReadEntry(f, pass);
                rc = Api::GoToNextFile(f);
                trace.Add("next rc=%d", rc);
                if (rc != UNZ_OK) {
                    trace.Add("next after the end rc=%d", Api::GoToNextFile(f));
                    RecordInfo(f, kWalkInfo, "after the end");
                    break;
                }
                if (index == kMaxWalk) {
                    trace.Add("walk limit reached");
                    break;
                }
            }
        }

        // Closing the archive with an entry still open.
        trace.Add("first rc=%d", Api::GoToFirstFile(f));
        trace.Add("open current rc=%d", Api::OpenCurrentFile(f));
        Read(f, 10);
        trace.Add("close rc=%d", Api::Close(f));
    }
};

template <class Api>
Trace RunOn(const std::string& path)
{
    Trace trace;
    Driver<Api>{trace}.Run(path);
    return trace;
}

// Empty when both records agree, else the first difference with context.
std::string FirstDifference(const Trace& expected, const Trace& actual)
{
    const std::vector<std::string>& a = expected.Lines();
    const std::vector<std::string>& b = actual.Lines();
    size_t n = std::min(a.size(), b.size());
    size_t i = 0;
    while (i < n && a[i] == b[i])
        ++i;
    if (i == n && a.size() == b.size())
        return "";
    std::string out;
    for (size_t k = i >= 3 ? i - 3 : 0; k < i; ++k)
        out += "      " + a[k] + "\n";
    out += "  minizip:   " + (i < a.size() ? a[i] : std::string("(end)")) + "\n";
    out += "  zipreader: " + (i < b.size() ? b[i] : std::string("(end)")) + "\n";
    return out;
}

std::string CorpusFolder()
{
    static std::string folder;
    if (!folder.empty())
        return folder;
    std::filesystem::remove_all(ZIPREADER_CORPUS_DIR);
    std::filesystem::create_directories(ZIPREADER_CORPUS_DIR);
    REQUIRE(WriteMinizipArchives(ZIPREADER_CORPUS_DIR));
    std::string command = std::string("\"") + ZIPREADER_PYTHON + "\" \"" + ZIPREADER_CORPUS_SCRIPT +
                          "\" \"" + ZIPREADER_CORPUS_DIR + "\"";
    REQUIRE(std::system(command.c_str()) == 0);
    folder = ZIPREADER_CORPUS_DIR;
    return folder;
}

std::vector<std::string> CorpusArchives()
{
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(CorpusFolder()))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void CheckAlike(const std::string& path, const std::string& label)
{
    std::string difference = FirstDifference(RunOn<MinizipCalls>(path), RunOn<ZipReaderCalls>(path));
    CHECK_MESSAGE(difference.empty(), label << " differs:\n" << difference);
}

}  // namespace

TEST_CASE("the project's reader answers every call as minizip does on each corpus archive")
{
    std::vector<std::string> names = CorpusArchives();
    // The bases the damaged copies are made from must all be there.
    for (const char* base : {"py_mixed.zip", "py_streamed.zip", "py_zip64.zip", "iz_tree.zip",
                             "iz_encrypted.zip", "mz_mixed.zip", "raw_zip64_extra_all.zip"})
        REQUIRE(std::find(names.begin(), names.end(), base) != names.end());
    for (const std::string& name : names)
        CheckAlike(CorpusFolder() + "/" + name, name);
}

TEST_CASE("paths that are not archives")
{
    std::string folder = CorpusFolder();
    for (const std::string& path : {folder + "/missing.zip", folder, std::string("")})
        CheckAlike(path, "path '" + path + "'");
}

TEST_CASE("calls on a NULL handle are refused alike")
{
    char buffer[16];
    unz_global_info gi;
    zipreader::unz_global_info ownGi;
    unz_file_info info;
    zipreader::unz_file_info ownInfo;
    CHECK(zipreader::unzClose(nullptr) == unzClose(nullptr));
    CHECK(zipreader::unzGetGlobalInfo(nullptr, &ownGi) == unzGetGlobalInfo(nullptr, &gi));
    CHECK(zipreader::unzGoToFirstFile(nullptr) == unzGoToFirstFile(nullptr));
    CHECK(zipreader::unzGoToNextFile(nullptr) == unzGoToNextFile(nullptr));
    CHECK(zipreader::unzGetCurrentFileInfo(nullptr, &ownInfo, buffer, 16, nullptr, 0, nullptr, 0) ==
          unzGetCurrentFileInfo(nullptr, &info, buffer, 16, nullptr, 0, nullptr, 0));
    CHECK(zipreader::unzOpenCurrentFile(nullptr) == unzOpenCurrentFile(nullptr));
    CHECK(zipreader::unzReadCurrentFile(nullptr, buffer, 16) == unzReadCurrentFile(nullptr, buffer, 16));
    CHECK(zipreader::unzCloseCurrentFile(nullptr) == unzCloseCurrentFile(nullptr));
    CHECK(zipreader::unzClose(nullptr) == UNZ_PARAMERROR);
}
