#include "cluster/edge_store.h"

namespace dyvern {

void EdgeStore::Add(const Edge& edge) {
    if (blocks_.empty() || blocks_.back().size() == kBlockEdges) {
        blocks_.emplace_back();
        blocks_.back().reserve(kBlockEdges);
    }
    blocks_.back().push_back(edge);
    ++size_;
}

}  // namespace dyvern
