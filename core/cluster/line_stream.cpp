#include "cluster/line_stream.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "align/file_text.h"
#include "align/input_error.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#define DYVERN_DUP _dup
#else
#include <unistd.h>
#define DYVERN_DUP dup
#endif

namespace dyvern {
namespace {

constexpr std::size_t kPieceBytes = std::size_t{1} << 18;
constexpr std::size_t kLongestLine = std::size_t{1} << 20;

// Standard input through a descriptor of its own, which gzclose may close.
gzFile OpenStandardInput() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    const int descriptor = DYVERN_DUP(fileno(stdin));
    return descriptor < 0 ? nullptr : gzdopen(descriptor, "rb");
}

}  // namespace

struct LineStream::File {
    gzFile gz = nullptr;
    ~File() {
        if (gz) gzclose(gz);
    }
};

LineStream::LineStream(const std::string& path)
    : file_(std::make_unique<File>()), buffer_(kPieceBytes) {
    const bool standardInput = path == kStandardInputOperand;
    source_ = standardInput ? kStandardInputName : path;
    errno = 0;
    file_->gz = standardInput ? OpenStandardInput() : gzopen(path.c_str(), "rb");
    if (!file_->gz)
        throw InputError(source_, std::string("cannot read (") +
                                      (errno ? std::strerror(errno) : "out of memory") + ")");
    gzbuffer(file_->gz, static_cast<unsigned>(kPieceBytes));
}

LineStream::~LineStream() = default;

bool LineStream::Fill() {
    const int got = gzread(file_->gz, buffer_.data(), static_cast<unsigned>(buffer_.size()));
    int status = Z_OK;
    const char* message = gzerror(file_->gz, &status);
    if (got < 0 || (status != Z_OK && status != Z_STREAM_END)) {
        const std::string reason = status == Z_ERRNO ? std::strerror(errno) : message;
        throw InputError(source_, "cannot read (" + reason + ")");
    }
    begin_ = 0;
    end_ = static_cast<std::size_t>(got);
    return got > 0;
}

bool LineStream::Next(std::string& line) {
    line.clear();
    bool any = false;
    for (;;) {
        if (begin_ == end_ && !Fill()) {
            if (any) ++number_;
            return any;
        }
        any = true;
        const char* from = buffer_.data() + begin_;
        const char* stop = buffer_.data() + end_;
        const char* newline = std::find(from, stop, '\n');
        line.append(from, newline);
        begin_ = static_cast<std::size_t>(newline - buffer_.data());
        if (line.size() > kLongestLine)
            throw InputError(source_, number_ + 1, "a line of more than 1 MiB");
        if (newline != stop) {
            ++begin_;
            ++number_;
            return true;
        }
    }
}

std::string LineStream::Rest(std::size_t limit) {
    std::string rest;
    do {
        rest.append(buffer_.data() + begin_, buffer_.data() + end_);
        begin_ = end_;
        if (rest.size() > limit) throw InputError(source_, "more than 1 GiB of text");
    } while (Fill());
    return rest;
}

}  // namespace dyvern
