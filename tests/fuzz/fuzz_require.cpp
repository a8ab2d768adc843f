#include <cstdio>
#include <cstdlib>

#include "fuzz/fuzz_target.h"

namespace Orvane::Fuzz {

void FuzzRequire(bool holds, const char* property) {
    if (holds) return;
    std::fprintf(stderr, "property broken: %s\n", property);
    std::abort();
}

}  // namespace Orvane::Fuzz
