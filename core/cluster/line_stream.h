// The lines of a file, or of standard input for "-", plain or gzipped (told
// by the content, through zlib), read in large pieces, so that a text larger
// than memory can be read line by line.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace dyvern {

class LineStream {
public:
    // Throws InputError when the file cannot be opened.
    explicit LineStream(const std::string& path);
    ~LineStream();
    LineStream(const LineStream&) = delete;
    LineStream& operator=(const LineStream&) = delete;

    // The next line without its '\n'; false at the end. Throws InputError
    // for a damaged gzip stream, a read error or a line over 1 MiB.
    bool Next(std::string& line);
    // The line Next gave last, from 1.
    int Number() const { return number_; }
    // Everything not yet given by Next, up to `limit` bytes (InputError beyond).
    std::string Rest(std::size_t limit);
    // The name messages give it: the path, or "standard input".
    const std::string& Source() const { return source_; }

private:
    bool Fill();

    std::string source_;
    struct File;
    std::unique_ptr<File> file_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0, end_ = 0;  // the buffer's unread bytes
    int number_ = 0;
};

}  // namespace dyvern
