#include "framework/platform/LargeMemory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace win {
namespace {

constexpr std::size_t LargePage = std::size_t(1) << 21;

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

// Maps one large page more than needed and gives back the unaligned head and the tail, so that
// the block starts on a large-page boundary and is released with one munmap.
void* MapAlignedBlock(std::size_t bytes) {
  const std::size_t used = RoundUp(bytes, LargePage);
  const std::size_t mapped = used + LargePage;
  void* mapping =
      ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  const auto begin = reinterpret_cast<std::uintptr_t>(mapping);
  const std::uintptr_t start = RoundUp(begin, LargePage);
  if (start > begin) ::munmap(mapping, start - begin);
  const std::uintptr_t end = start + used;
  if (begin + mapped > end) ::munmap(reinterpret_cast<void*>(end), begin + mapped - end);
  auto* block = reinterpret_cast<std::uint8_t*>(start);
#if defined(MADV_HUGEPAGE)
  // A large page costs its full size once touched, so a last page the block fills less than half
  // stays ordinary. Only advice: without large pages the block is filled page by page as usual.
  const std::size_t tail = bytes % LargePage;
  const std::size_t advised = tail >= LargePage / 2 ? used : bytes - tail;
  if (advised > 0) ::madvise(block, advised, MADV_HUGEPAGE);
#endif
  return block;
}

}  // namespace

void* AllocateLargeMemory(std::size_t Bytes) {
  if (Bytes >= LargeBlockFrom) return MapAlignedBlock(Bytes);
  return std::calloc(Bytes == 0 ? 1 : Bytes, 1);
}

void ReleaseLargeMemory(void* Block, std::size_t Bytes) {
  if (Block == nullptr) return;
  if (Bytes >= LargeBlockFrom) {
    ::munmap(Block, RoundUp(Bytes, LargePage));
  } else {
    std::free(Block);
  }
}

}  // namespace win
