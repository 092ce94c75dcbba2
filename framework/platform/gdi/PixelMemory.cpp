#include "framework/platform/gdi/PixelMemory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace win::gdi {
namespace {

constexpr std::size_t LargePage = std::size_t(1) << 21;
// From this size on a block gets a mapping of its own: a 600 x 600 window's framebuffer is one
// such block.
constexpr std::size_t MappedFrom = std::size_t(1) << 20;

std::size_t RoundUp(std::size_t bytes, std::size_t unit) {
  return (bytes + unit - 1) / unit * unit;
}

TPixelMemory MapLargeBlock(std::size_t bytes) {
  const std::size_t used = RoundUp(bytes, LargePage);
  const std::size_t mapped = used + LargePage;  // room to start on a large-page boundary
  void* mapping =
      ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return TPixelMemory(nullptr, TPixelMemoryRelease{});
  const auto start = RoundUp(reinterpret_cast<std::uintptr_t>(mapping), LargePage);
  auto* bits = reinterpret_cast<std::uint8_t*>(start);
#if defined(MADV_HUGEPAGE)
  // A large page costs its full size once touched, so a last page the block fills less than half
  // stays ordinary. Only advice: without large pages the block is filled page by page as usual.
  const std::size_t tail = bytes % LargePage;
  const std::size_t advised = tail >= LargePage / 2 ? used : bytes - tail;
  if (advised > 0) ::madvise(bits, advised, MADV_HUGEPAGE);
#endif
  return TPixelMemory(bits, TPixelMemoryRelease{mapping, mapped});
}

}  // namespace

void TPixelMemoryRelease::operator()(std::uint8_t* Bits) const {
  if (Mapping != nullptr) {
    ::munmap(Mapping, MappedBytes);
  } else {
    std::free(Bits);
  }
}

TPixelMemory AllocatePixelMemory(std::size_t Bytes) {
  if (Bytes >= MappedFrom) return MapLargeBlock(Bytes);
  return TPixelMemory(static_cast<std::uint8_t*>(std::calloc(Bytes == 0 ? 1 : Bytes, 1)),
                      TPixelMemoryRelease{});
}

}  // namespace win::gdi
