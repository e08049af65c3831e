#include "core/Core_Assert.h"

#include <cstdio>
#include <cstdlib>

void Core_AssertFailed(const char* file, unsigned line, const char* expr) {
  fprintf(stderr, "%s:%u: failed assertion `%s'\n", file, line, expr);
  fflush(stderr);
  abort();
}
