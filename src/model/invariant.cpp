#include "model/invariant.h"

#include <cstdio>
#include <cstdlib>

namespace vernium {

void InvariantFailed(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "vernium: invariant broken: %s (%s:%d)\n", condition, file, line);
  std::abort();
}

}  // namespace vernium
