#include "cluster/name_table.h"

#include <functional>
#include <limits>
#include <stdexcept>

namespace dyvern {
namespace {

constexpr std::size_t kFirstSlots = 1024;

std::uint64_t HashOf(std::string_view name) { return std::hash<std::string_view>()(name); }
std::uint32_t TagOf(std::uint64_t hash) { return static_cast<std::uint32_t>(hash >> 32); }

}  // namespace

NameTable::NameTable() : starts_{0}, slots_(kFirstSlots, Slot{0, 0}) {}

std::uint32_t NameTable::Intern(std::string_view name) {
    const std::uint64_t hash = HashOf(name);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.idPlusOne == 0) break;
        if (slot.tag == TagOf(hash) && Name(slot.idPlusOne - 1) == name) return slot.idPlusOne - 1;
    }
    if (size() >= std::numeric_limits<std::uint32_t>::max() - 1)
        throw std::length_error("more than 4294967294 names");
    const auto id = static_cast<std::uint32_t>(size());
    text_.append(name);
    starts_.push_back(text_.size());
    if (2 * size() > slots_.size())
        Grow();  // places every name, this one too
    else
        Place(id, hash);
    return id;
}

void NameTable::Place(std::uint32_t id, std::uint64_t hash) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = hash & mask;
    while (slots_[at].idPlusOne != 0) at = (at + 1) & mask;
    slots_[at] = {id + 1, TagOf(hash)};
}

void NameTable::Grow() {
    slots_.assign(2 * slots_.size(), Slot{0, 0});
    for (std::uint32_t id = 0; id < size(); ++id) Place(id, HashOf(Name(id)));
}

}  // namespace dyvern
