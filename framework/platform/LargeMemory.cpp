#include "framework/platform/LargeMemory.h"

#include <sys/mman.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <type_traits>
#include <utility>

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

// Released blocks of up to two large pages, kept for the next block of the same size: a window
// makes and drops surfaces of one size several times over, and a kept block is already mapped
// and needs only clearing, where a fresh one costs page faults and the kernel's clearing of every
// large page it touches. Few are kept, so that the memory held stays small.
class TReleasedBlocks {
 public:
  static constexpr std::size_t MaxSize = 2 * LargePage;

  // A kept block of `size` (a multiple of the large page) taken out; nullptr if none.
  void* Take(std::size_t size) {
    std::lock_guard<std::mutex> lock(FLock);
    for (TKept& kept : FKept)
      if (kept.Block != nullptr && kept.Size == size) return std::exchange(kept.Block, nullptr);
    return nullptr;
  }
  // Whether the block is kept; it stays the caller's otherwise.
  bool Keep(void* block, std::size_t size) {
    if (size > MaxSize) return false;
    std::lock_guard<std::mutex> lock(FLock);
    for (TKept& kept : FKept)
      if (kept.Block == nullptr) {
        kept = {block, size};
        return true;
      }
    return false;
  }

 private:
  struct TKept {
    void* Block = nullptr;
    std::size_t Size = 0;
  };
  std::mutex FLock;
  std::array<TKept, 2> FKept{};
};

// Made before any code runs and never torn down, so that blocks can be released by other
// statics' destructors too.
static_assert(std::is_trivially_destructible_v<TReleasedBlocks>);
constinit TReleasedBlocks KeptBlocks;

}  // namespace

void* AllocateLargeMemory(std::size_t Bytes) {
  if (Bytes < LargeBlockFrom) return std::calloc(Bytes == 0 ? 1 : Bytes, 1);
  if (void* kept = KeptBlocks.Take(RoundUp(Bytes, LargePage))) {
    std::memset(kept, 0, Bytes);
    return kept;
  }
  return MapAlignedBlock(Bytes);
}

void ReleaseLargeMemory(void* Block, std::size_t Bytes) {
  if (Block == nullptr) return;
  if (Bytes < LargeBlockFrom) {
    std::free(Block);
    return;
  }
  const std::size_t size = RoundUp(Bytes, LargePage);
  if (!KeptBlocks.Keep(Block, size)) ::munmap(Block, size);
}

}  // namespace win
