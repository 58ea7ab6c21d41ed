#include "huge_block.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace dyvern::cli {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

// Mapped directly, since memory from the heap may not be given huge pages;
// one huge page more than asked for leaves room to align the start.
HugeBlock::HugeBlock(std::size_t size) : bytes((size + kHugePage - 1) / kHugePage * kHugePage) {
#ifdef __linux__
    mapped = bytes + kHugePage;
    mapping = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapping == MAP_FAILED) throw std::bad_alloc();
    const auto at = reinterpret_cast<std::uintptr_t>(mapping);
    start = reinterpret_cast<char*>((at + kHugePage - 1) / kHugePage * kHugePage);
    madvise(start, bytes, MADV_HUGEPAGE);  // only a hint: refused, small pages work the same
#else
    mapping = std::malloc(bytes);
    if (!mapping) throw std::bad_alloc();
    start = static_cast<char*>(mapping);
#endif
}

HugeBlock::~HugeBlock() {
    if (!mapping) return;
#ifdef __linux__
    munmap(mapping, mapped);
#else
    std::free(mapping);
#endif
}

HugeBlock::HugeBlock(HugeBlock&& other) noexcept
    : mapping(other.mapping), mapped(other.mapped), start(other.start), bytes(other.bytes) {
    other.mapping = nullptr;
}

}  // namespace dyvern::cli
