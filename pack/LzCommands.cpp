#include "LzCommands.h"

#include <climits>

#include "BlockStream.h"
#include "FileBytes.h"
#include "FileStream.h"
#include "LzEncoder.h"
#include "OutputFile.h"
#include "PackError.h"

void LzEncodeFile(const std::filesystem::path& input, const std::filesystem::path& output)
{
    Bytes data = ReadFileBytes(input, INT32_MAX);
    std::vector<unsigned char> stream = LzEncodeStream(data.data(), data.size());
    OutputFile out(output);
    WriteAll(out.Stream(), stream.data(), stream.size(), output.string());
    out.Commit(0644);
}

void LzDecodeFile(const std::filesystem::path& input, const std::filesystem::path& output)
{
    uint64_t length = RegularFileSize(input);
    if (length > static_cast<uint64_t>(INT32_MAX)) throw PackError(input.string() + ": larger than 2 GiB");
    CInFileStream in(input.c_str());
    if (!in.IsOpen()) throw PackError(input.string() + ": cannot be opened");
    OutputFile out(output);
    if (!DecodeBlockStreamToFile(in, static_cast<int>(length), out.TempPath()))
        throw PackError(input.string() + ": not a well-formed block stream");
    out.Commit(0644);
}
