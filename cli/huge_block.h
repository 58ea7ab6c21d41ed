// A block of memory for text kept to the end of a run. Where the system has
// huge pages it asks for them: touching fresh memory one small page at a
// time costs more than formatting the numbers that fill it.
#pragma once

#include <cstddef>

namespace dyvern::cli {

class HugeBlock {
public:
    // At least `size` bytes; throws std::bad_alloc.
    explicit HugeBlock(std::size_t size);
    ~HugeBlock();
    HugeBlock(HugeBlock&& other) noexcept;
    HugeBlock(const HugeBlock&) = delete;
    HugeBlock& operator=(const HugeBlock&) = delete;
    HugeBlock& operator=(HugeBlock&&) = delete;

    char* data() const { return start; }
    std::size_t size() const { return bytes; }

private:
    void* mapping = nullptr;  // what the system gave, to give back
    std::size_t mapped = 0;
    char* start = nullptr;  // the part aligned to a huge page
    std::size_t bytes = 0;
};

}  // namespace dyvern::cli
