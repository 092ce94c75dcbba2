// Zeroed memory for the pixels of a surface. Large blocks are mapped on their own, aligned to the
// system's large pages and advised to use them, so that a fresh picture costs a few page faults
// instead of one per 4 KiB page; small ones come from the ordinary heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace win::gdi {

struct TPixelMemoryRelease {
  void* Mapping = nullptr;  // the whole mapping of a large block; nullptr for heap memory
  std::size_t MappedBytes = 0;
  void operator()(std::uint8_t* Bits) const;
};
using TPixelMemory = std::unique_ptr<std::uint8_t, TPixelMemoryRelease>;

// Zeroed memory of at least `Bytes` bytes; empty when there is not enough memory.
TPixelMemory AllocatePixelMemory(std::size_t Bytes);

}  // namespace win::gdi
