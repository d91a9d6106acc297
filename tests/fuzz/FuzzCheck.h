#pragma once
// What a fuzz target demands of a reader beyond not crashing: a broken promise stops the run.
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(cond)                                                       \
  do {                                                                         \
    if (!(cond)) {                                                             \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                            \
    }                                                                          \
  } while (0)
