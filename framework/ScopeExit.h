// Work done when a scope ends, however it ends: state that a call sets for its length (a flag,
// a disabled alignment, an attached canvas) is put back on every path, exceptions included.
#pragma once

#include <utility>

namespace fw {

template <class F>
class TScopeExit {
 public:
  explicit TScopeExit(F work) : FWork(std::move(work)) {}
  ~TScopeExit() { FWork(); }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;

 private:
  F FWork;
};

// Runs `Body`, then `Finally` however `Body` ends. Unlike TScopeExit, `Finally` may raise (a
// rebuild, a repaint): when `Body` failed, the failure of `Finally` is the one that propagates.
template <class Body, class Finally>
void RunThenFinally(Body&& body, Finally&& finally) {
  try {
    body();
  } catch (...) {
    finally();
    throw;
  } finally();
}

}  // namespace fw
