// What a fuzz target does when an input breaks a property: say which and
// abort, so that libFuzzer keeps the input and a replaying test fails.
#pragma once

#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition, ...)                                          \
  do {                                                                      \
    if (!(condition)) {                                                     \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__,       \
                   __LINE__, #condition);                                   \
      std::fprintf(stderr, __VA_ARGS__);                                    \
      std::fputc('\n', stderr);                                             \
      std::abort();                                                         \
    }                                                                       \
  } while (0)
