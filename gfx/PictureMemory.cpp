#include "gfx/PictureMemory.h"

#include <cstdint>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace fw {

void AdviseLargePages(void* Memory, std::size_t Bytes) {
#if defined(__linux__) && defined(MADV_HUGEPAGE)
  constexpr std::uintptr_t LargePage = std::uintptr_t(1) << 21;
  const auto begin = reinterpret_cast<std::uintptr_t>(Memory);
  const std::uintptr_t first = (begin + LargePage - 1) & ~(LargePage - 1);
  const std::uintptr_t last = (begin + Bytes) & ~(LargePage - 1);
  if (Memory == nullptr || last <= first) return;
  // A refusal (no large pages configured) leaves ordinary pages, which is fine.
  ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
  (void)Memory;
  (void)Bytes;
#endif
}

}  // namespace fw
