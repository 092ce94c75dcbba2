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

}  // namespace fw
