// Large memory: zeroed and writable to its last byte whether it comes from the heap or from a
// mapping of its own, large blocks start on a large-page boundary, and containers can use it.
#include "framework/platform/LargeMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace win {
namespace {

TEST(LargeMemory, SmallAndLargeBlocksAreZeroedAndWritableToTheirEnd) {
  for (std::size_t bytes : {std::size_t(1), std::size_t(4096), LargeBlockFrom,
                            (std::size_t(3) << 20) + 1, std::size_t(1440000)}) {
    TLargeMemory memory = AllocateZeroedBytes(bytes);
    ASSERT_TRUE(memory) << bytes;
    std::uint8_t* bits = memory.get();
    EXPECT_TRUE(std::all_of(bits, bits + bytes, [](std::uint8_t b) { return b == 0; })) << bytes;
    std::fill(bits, bits + bytes, std::uint8_t(0xA5));
    EXPECT_EQ(bits[bytes - 1], 0xA5) << bytes;
  }
}

// A released block may come back for the next one of its size: it comes back zeroed, larger
// requests of that size class included, and blocks in use are never handed out twice.
TEST(LargeMemory, ReusedBlocksComeBackZeroedAndAreNeverSharedWhileInUse) {
  const std::size_t sizes[] = {std::size_t(1080000), std::size_t(1440000), std::size_t(2) << 20};
  for (int round = 0; round < 3; ++round) {
    std::vector<TLargeMemory> held;
    for (const std::size_t bytes : sizes) {
      TLargeMemory first = AllocateZeroedBytes(bytes);
      TLargeMemory second = AllocateZeroedBytes(bytes);
      ASSERT_TRUE(first && second);
      ASSERT_NE(first.get(), second.get());
      for (TLargeMemory* memory : {&first, &second}) {
        std::uint8_t* bits = memory->get();
        ASSERT_TRUE(std::all_of(bits, bits + bytes, [](std::uint8_t b) { return b == 0; }))
            << bytes << " in round " << round;
        std::fill(bits, bits + bytes, std::uint8_t(0x5A));
      }
      held.push_back(std::move(second));
    }
  }
}

TEST(LargeMemory, LargeBlocksStartOnALargePageBoundary) {
  TLargeMemory memory = AllocateZeroedBytes(std::size_t(5) << 20);
  ASSERT_TRUE(memory);
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(memory.get()) % (std::uintptr_t(1) << 21), 0u);
}

TEST(LargeMemory, AContainerGrowsAcrossTheThresholdAndKeepsItsBytes) {
  std::vector<std::uint8_t, TLargeMemoryAllocator<std::uint8_t>> bytes(1000, 7);
  bytes.resize(3 << 20, 9);
  EXPECT_EQ(bytes[999], 7);
  EXPECT_EQ(bytes[1000], 9);
  EXPECT_EQ(bytes.back(), 9);
  bytes.resize(10);
  bytes.shrink_to_fit();
  EXPECT_EQ(bytes[9], 7);
  bytes.resize(2 << 20);  // elements made without a value are the fresh block's zeros
  EXPECT_EQ(bytes[9], 7);
  EXPECT_EQ(bytes[10], 0);
  EXPECT_EQ(bytes.back(), 0);
}

}  // namespace
}  // namespace win
