#include "distance/row_pipeline.h"

namespace dyvern {

int ThreadCount(int requested) {
#ifdef DYVERN_NO_THREADS
    (void)requested;
    return 1;
#else
    if (requested > 0) return requested;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
#endif
}

}  // namespace dyvern
