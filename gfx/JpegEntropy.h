// Huffman decoding of a single interleaved sequential scan held in memory, faster than the
// library's own for the sampled decoding: blocks nobody needs are parsed but not stored.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

struct jpeg_decompress_struct;

namespace fw {

class TScanDecoder {
 public:
  // Whether the scan `info` has started (tables and components read) is one this decoder reads:
  // Huffman-coded, sequential, every component interleaved in it.
  static bool Suits(const jpeg_decompress_struct& info);

  // `data` is the scan's entropy-coded data onward (it may run on past the scan).
  TScanDecoder(const jpeg_decompress_struct& info, std::span<const std::uint8_t> data);
  ~TScanDecoder();
  TScanDecoder(const TScanDecoder&) = delete;
  TScanDecoder& operator=(const TScanDecoder&) = delete;

  // Decodes the next MCU. blocks[i] receives block i of the MCU in natural order when not null
  // (zeroed here first); blocks without a place are parsed and dropped. False when the data is not
  // what a regular encoder writes here: a marker or the data's end where bits are needed, a code
  // not in its table, a run past the end of a block, a restart marker out of place. What the
  // library makes of such data then has to come from the library itself.
  bool DecodeMcu(std::int16_t* const* blocks);

  // How many bytes of the data the MCUs decoded so far have taken, whole bytes read ahead
  // included (they are entropy-coded data, never a marker).
  std::size_t Consumed() const { return FReader.Pos; }

  struct TTable;  // one Huffman table's look-up entries and canonical code bounds

 private:
  struct TBlockCoding {
    const TTable* Dc = nullptr;
    const TTable* Ac = nullptr;
    int Component = 0;  // whose DC prediction the block continues
  };
  // Where the decoding is: copied into locals for each MCU, so that it stays in registers.
  struct TBitReader {
    std::uint64_t Bits = 0;  // the next bits, most significant first; zeros below Count
    int Count = 0;
    std::size_t Pos = 0;    // the next byte to read
    bool AtMarker = false;  // the bytes at Pos are a marker (or the data has ended)
  };

  bool Restart();
  static std::pair<int, int> DecodeLong(const TTable& table, std::uint64_t bits);

  std::vector<TTable> FTables;
  std::vector<TBlockCoding> FBlocks;  // of one MCU
  std::span<const std::uint8_t> FData;
  TBitReader FReader;
  int FPredictions[4] = {};
  unsigned FRestartInterval = 0;
  unsigned FRestartsToGo = 0;
  int FNextRestart = 0;
  std::int16_t FDropped[64] = {};  // where blocks nobody keeps are decoded to
};

}  // namespace fw
