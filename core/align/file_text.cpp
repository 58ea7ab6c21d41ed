#include "align/file_text.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "align/input_error.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace dyvern {
namespace {

constexpr std::size_t kMaxTextBytes = std::size_t{1} << 30;
constexpr std::size_t kChunkBytes = std::size_t{1} << 16;

bool IsGzip(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

void CheckSize(std::size_t size, const std::string& source) {
    if (size > kMaxTextBytes) throw InputError(source, "more than 1 GiB of text");
}

// Owns a zlib inflate state for gzip streams.
class Inflater {
public:
    Inflater() {
        if (inflateInit2(&stream_, 15 + 16) != Z_OK) throw std::bad_alloc();
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    z_stream& Stream() { return stream_; }

private:
    z_stream stream_{};
};

// Whether the bytes left after a gzip member may be ignored: none, or the
// zero padding some tools write after it.
bool IsPadding(std::string_view rest) {
    return std::all_of(rest.begin(), rest.end(), [](char c) { return c == '\0'; });
}

std::string Gunzip(std::string_view bytes, const std::string& source) {
    Inflater inflater;
    z_stream& stream = inflater.Stream();
    std::string text;
    std::size_t consumed = 0;  // bytes handed to zlib so far
    char buffer[kChunkBytes];
    for (;;) {
        if (stream.avail_in == 0 && consumed < bytes.size()) {
            const std::size_t take = std::min(kChunkBytes, bytes.size() - consumed);
            stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data() + consumed));
            stream.avail_in = static_cast<uInt>(take);
            consumed += take;
        }
        stream.next_out = reinterpret_cast<Bytef*>(buffer);
        stream.avail_out = static_cast<uInt>(sizeof buffer);
        const int status = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = sizeof buffer - stream.avail_out;
        CheckSize(text.size() + produced, source);
        text.append(buffer, produced);

        if (status == Z_STREAM_END) {
            const std::string_view rest = bytes.substr(consumed - stream.avail_in);
            if (IsPadding(rest)) return text;
            // Concatenated members (as `cat a.gz b.gz` makes) are one text.
            if (!IsGzip(rest)) throw InputError(source, "data after the end of the gzip stream");
            inflateReset(&stream);
            continue;
        }
        if (status == Z_MEM_ERROR) throw std::bad_alloc();
        if (status == Z_DATA_ERROR || status == Z_NEED_DICT || status == Z_STREAM_ERROR) {
            const char* reason = stream.msg != nullptr ? stream.msg : "bad data";
            throw InputError(source, std::string("damaged gzip stream (") + reason + ")");
        }
        const bool inputLeft = stream.avail_in > 0 || consumed < bytes.size();
        if (!inputLeft && produced == 0) throw InputError(source, "truncated gzip stream");
    }
}

// Every byte of an open file, bounded as DecodeText bounds text.
std::string ReadAllBytes(std::FILE* file, const std::string& source) {
    std::string bytes;
    char buffer[kChunkBytes];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        // Compressed text may grow a thousandfold; DecodeText bounds what it becomes.
        CheckSize(bytes.size() + got, source);
        bytes.append(buffer, got);
    }
    if (std::ferror(file))
        throw InputError(source, std::string("cannot read (") + std::strerror(errno) + ")");
    return bytes;
}

}  // namespace

FileText DecodeText(std::string_view bytes, const std::string& source) {
    if (IsGzip(bytes)) return FileText{Gunzip(bytes, source), true};
    CheckSize(bytes.size(), source);
    return FileText{std::string(bytes), false};
}

FileText ReadFileText(const std::string& path) {
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"),
                                                               &std::fclose);
    if (!file) throw InputError(path, std::string("cannot read (") + std::strerror(errno) + ")");
    return DecodeText(ReadAllBytes(file.get(), path), path);
}

FileText ReadStandardInput() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);  // gzip bytes must pass unchanged
#endif
    return DecodeText(ReadAllBytes(stdin, kStandardInputName), kStandardInputName);
}

}  // namespace dyvern
