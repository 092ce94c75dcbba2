// TOVU_ASSERT: checks an invariant that the code relies on. On in the sanitizer and fuzz flavours
// (TOVU_ASSERTIONS), where a broken invariant stops the program with its place; off in release.
#pragma once

#if defined(TOVU_ASSERTIONS)
#include <cstdio>
#include <cstdlib>

namespace win::detail {
[[noreturn]] inline void AssertionFailed(const char* Condition, const char* File, int Line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", File, Line, Condition);
  std::abort();
}
}  // namespace win::detail

#define TOVU_ASSERT(condition)        \
  ((condition) ? static_cast<void>(0) \
               : ::win::detail::AssertionFailed(#condition, __FILE__, __LINE__))
#else
// Off: the condition is not evaluated, but it still compiles, so it cannot rot.
#define TOVU_ASSERT(condition) static_cast<void>(sizeof(static_cast<bool>(condition)))
#endif
