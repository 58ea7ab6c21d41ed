// Must not compile with the model library's include roots: the refined fits
// are a layer above the model.
#include "estimate/pair_fit.h"
