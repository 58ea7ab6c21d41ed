// Compiles with the model library's include roots: a library reaches down.
#include "base/jet.h"
#include "model/model_family.h"
