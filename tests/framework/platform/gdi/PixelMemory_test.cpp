// Pixel memory: zeroed and writable to its last byte whether it comes from the heap or from a
// mapping of its own, and large blocks start on a large-page boundary.
#include "framework/platform/gdi/PixelMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace win::gdi {
namespace {

TEST(PixelMemory, SmallAndLargeBlocksAreZeroedAndWritableToTheirEnd) {
  for (std::size_t bytes : {std::size_t(1), std::size_t(4096), std::size_t(1) << 20,
                            (std::size_t(3) << 20) + 1, std::size_t(1440000)}) {
    TPixelMemory memory = AllocatePixelMemory(bytes);
    ASSERT_TRUE(memory) << bytes;
    std::uint8_t* bits = memory.get();
    EXPECT_TRUE(std::all_of(bits, bits + bytes, [](std::uint8_t b) { return b == 0; })) << bytes;
    std::fill(bits, bits + bytes, std::uint8_t(0xA5));
    EXPECT_EQ(bits[bytes - 1], 0xA5) << bytes;
  }
}

TEST(PixelMemory, LargeBlocksStartOnALargePageBoundary) {
  TPixelMemory memory = AllocatePixelMemory(std::size_t(5) << 20);
  ASSERT_TRUE(memory);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.get()) % (std::uintptr_t(1) << 21), 0u);
}

}  // namespace
}  // namespace win::gdi
