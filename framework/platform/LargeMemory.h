// Zeroed memory for large buffers (pixels, whole files): blocks from 1 MiB on are mapped on their
// own, aligned to the system's large pages and advised to use them, so that filling a fresh
// buffer costs a few page faults instead of one per 4 KiB page, and a couple of released ones are
// kept for the next block of their size; smaller ones use the heap.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace win {

inline constexpr std::size_t LargeBlockFrom = std::size_t(1) << 20;

// A zeroed block of `Bytes` bytes (at least 1) and its release; nullptr when memory runs out.
void* AllocateLargeMemory(std::size_t Bytes);
void ReleaseLargeMemory(void* Block, std::size_t Bytes);

struct TLargeMemoryRelease {
  std::size_t Bytes = 0;
  void operator()(std::uint8_t* Block) const { ReleaseLargeMemory(Block, Bytes); }
};
using TLargeMemory = std::unique_ptr<std::uint8_t, TLargeMemoryRelease>;

inline TLargeMemory AllocateZeroedBytes(std::size_t Bytes) {
  return TLargeMemory(static_cast<std::uint8_t*>(AllocateLargeMemory(Bytes)),
                      TLargeMemoryRelease{Bytes});
}

// An allocator for containers that may grow large, such as the bytes of a whole file.
template <class T>
struct TLargeMemoryAllocator {
  using value_type = T;
  TLargeMemoryAllocator() = default;
  template <class U>
  TLargeMemoryAllocator(const TLargeMemoryAllocator<U>&) {}
  T* allocate(std::size_t Count) {
    if (Count > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
    void* block = AllocateLargeMemory(Count * sizeof(T));
    if (block == nullptr) throw std::bad_alloc();
    return static_cast<T*>(block);
  }
  void deallocate(T* Block, std::size_t Count) { ReleaseLargeMemory(Block, Count * sizeof(T)); }
  // Blocks come zeroed, so an element made without a value keeps the zero already there instead
  // of being written once more (for a file's bytes about to be read in, a whole extra pass). A
  // container that shrinks and grows again within its capacity must clear the reused part.
  template <class U>
  void construct(U* At) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(At)) U;
  }
  template <class U, class... A>
  void construct(U* At, A&&... Values) {
    ::new (static_cast<void*>(At)) U(std::forward<A>(Values)...);
  }
  template <class U>
  bool operator==(const TLargeMemoryAllocator<U>&) const {
    return true;
  }
};

}  // namespace win
