#include "gfx/JpegEntropy.h"

// The library's headers need size_t and FILE declared first.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <array>
#include <cstring>
#include <tuple>
#include <utility>

namespace fw {
namespace {

// Codes up to this length are decoded with one look-up, most with their value bits too.
constexpr int LookupBits = 10;

enum TEntryKind : std::uint8_t {
  ekValue,  // code and value bits together: Length bits give Value after Run zeros
  ekBits,   // a code of Length bits, then Size value bits, after Run zeros
  ekEnd,    // the end of the block
  ekZeros,  // sixteen zeros
  ekLong,   // a code longer than the look-up (or none)
};

struct TEntry {
  std::int16_t Value = 0;
  std::uint8_t Length = 0;
  std::uint8_t Run = 0;
  std::uint8_t Size = 0;
  TEntryKind Kind = ekLong;
};

// Zigzag position to natural (row-major) position.
constexpr std::array<std::uint8_t, 64> NaturalOrder = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// A value of `size` bits as the code gives it: the lower half of the range is negative.
inline int Extend(std::uint32_t bits, int size) {
  const int value = int(bits);
  return value < (1 << (size - 1)) ? value - (1 << size) + 1 : value;
}

inline bool HasByteFF(std::uint64_t word) {
  const std::uint64_t inverted = ~word;
  return ((inverted - 0x0101010101010101ull) & ~inverted & 0x8080808080808080ull) != 0;
}

inline std::uint64_t LoadBigEndian(const std::uint8_t* bytes) {
  std::uint64_t word;
  std::memcpy(&word, bytes, sizeof word);
  return __builtin_bswap64(word);
}

}  // namespace

struct TScanDecoder::TTable {
  std::array<TEntry, 1 << LookupBits> Lookup{};
  int MaxCode[18] = {};  // the largest code of each length; -1 for none
  int ValueOffset[18] = {};
  std::uint8_t Values[256] = {};

  // From the table as the file gives it (already checked by the library when the scan started).
  TTable(const JHUFF_TBL& table, bool dc) {
    std::memcpy(Values, table.huffval, sizeof Values);
    int code = 0;
    int symbol = 0;
    for (int length = 1; length <= 16; ++length) {
      const int count = table.bits[length];
      ValueOffset[length] = symbol - code;
      MaxCode[length] = count > 0 ? code + count - 1 : -1;
      for (int i = 0; i < count && symbol < 256; ++i, ++code, ++symbol)
        if (length <= LookupBits) Fill(code, length, Values[symbol], dc);
      code <<= 1;
    }
    MaxCode[17] = 0xFFFFF;
  }

  void Fill(int code, int length, int symbol, bool dc) {
    const int run = dc ? 0 : symbol >> 4;
    const int size = dc ? symbol : symbol & 15;
    if (size > 15) return;  // no such DC value size: decoding it fails
    const int first = code << (LookupBits - length);
    for (int i = 0; i < 1 << (LookupBits - length); ++i) {
      TEntry& entry = Lookup[std::size_t(first + i)];
      entry.Length = std::uint8_t(length);
      entry.Run = std::uint8_t(run);
      entry.Size = std::uint8_t(size);
      if (size == 0 && !dc) {
        entry.Kind = run == 15 ? ekZeros : ekEnd;
      } else if (length + size <= LookupBits) {
        const std::uint32_t bits = std::uint32_t(first + i) >> (LookupBits - length - size);
        entry.Value = std::int16_t(size == 0 ? 0 : Extend(bits & ((1u << size) - 1), size));
        entry.Length = std::uint8_t(length + size);
        entry.Kind = ekValue;
      } else {
        entry.Kind = ekBits;
      }
    }
  }
};

bool TScanDecoder::Suits(const jpeg_decompress_struct& info) {
  if (info.arith_code || info.progressive_mode || info.data_precision != 8 ||
      info.comps_in_scan != info.num_components || info.comps_in_scan > MAX_COMPS_IN_SCAN ||
      info.Ss != 0 || info.Se != DCTSIZE2 - 1 || info.Ah != 0 || info.Al != 0 ||
      info.blocks_in_MCU <= 0 || info.blocks_in_MCU > D_MAX_BLOCKS_IN_MCU)
    return false;
  for (int c = 0; c < info.comps_in_scan; ++c) {
    const jpeg_component_info& component = *info.cur_comp_info[c];
    if (component.dc_tbl_no < 0 || component.dc_tbl_no >= NUM_HUFF_TBLS ||
        component.ac_tbl_no < 0 || component.ac_tbl_no >= NUM_HUFF_TBLS ||
        info.dc_huff_tbl_ptrs[component.dc_tbl_no] == nullptr ||
        info.ac_huff_tbl_ptrs[component.ac_tbl_no] == nullptr)
      return false;
  }
  return true;
}

TScanDecoder::TScanDecoder(const jpeg_decompress_struct& info, std::span<const std::uint8_t> data)
    : FData(data), FRestartInterval(info.restart_interval), FRestartsToGo(info.restart_interval) {
  // A table index per kind and slot: each table the scan uses is built once.
  int built[2][NUM_HUFF_TBLS];
  for (auto& kind : built)
    for (int& slot : kind)
      slot = -1;
  // Room for every table there can be, so that the blocks' pointers stay valid.
  FTables.reserve(2 * NUM_HUFF_TBLS);
  auto table = [&](bool dc, int slot) {
    int& index = built[dc ? 0 : 1][slot];
    if (index < 0) {
      index = int(FTables.size());
      FTables.emplace_back(dc ? *info.dc_huff_tbl_ptrs[slot] : *info.ac_huff_tbl_ptrs[slot], dc);
    }
    return &FTables[std::size_t(index)];
  };
  for (int b = 0; b < info.blocks_in_MCU; ++b) {
    const int c = info.MCU_membership[b];
    const jpeg_component_info& component = *info.cur_comp_info[c];
    FBlocks.push_back({table(true, component.dc_tbl_no), table(false, component.ac_tbl_no), c});
  }
}

TScanDecoder::~TScanDecoder() = default;

namespace {

#define TOVU_INLINE inline __attribute__((always_inline))

// Tops the reader up to at least 57 bits unless a marker or the data's end comes first: eight
// bytes at once when none of them is 0xFF, else byte by byte, dropping the zero stuffed after a
// 0xFF data byte and stopping before any other byte after 0xFF.
template <typename TReader>
TOVU_INLINE void Refill(TReader& r, std::span<const std::uint8_t> data) {
  if (r.AtMarker) return;
  if (r.Pos + 8 <= data.size()) {
    const std::uint64_t word = LoadBigEndian(data.data() + r.Pos);
    if (!HasByteFF(word)) {
      const int take = (64 - r.Count) >> 3;
      const std::uint64_t top = take == 8 ? word : word & ~(~std::uint64_t(0) >> (8 * take));
      r.Bits |= top >> r.Count;
      r.Count += 8 * take;
      r.Pos += std::size_t(take);
      return;
    }
  }
  while (r.Count <= 56) {
    if (r.Pos >= data.size()) {
      r.AtMarker = true;
      return;
    }
    const std::uint8_t byte = data[r.Pos];
    if (byte == 0xFF) {
      if (r.Pos + 1 >= data.size() || data[r.Pos + 1] != 0) {
        r.AtMarker = true;
        return;
      }
      r.Pos += 2;
    } else {
      r.Pos += 1;
    }
    r.Bits |= std::uint64_t(byte) << (56 - r.Count);
    r.Count += 8;
  }
}

template <typename TReader>
TOVU_INLINE void Skip(TReader& r, int bits) {
  r.Bits <<= bits;
  r.Count -= bits;
}

// The next `size` bits (1 to 16) as a value; the caller has checked that they are there.
template <typename TReader>
TOVU_INLINE int TakeValue(TReader& r, int size) {
  const int value = Extend(std::uint32_t(r.Bits >> (64 - size)), size);
  Skip(r, size);
  return value;
}

}  // namespace

// A code longer than the look-up: its length and symbol, or a length of 0 for none.
std::pair<int, int> TScanDecoder::DecodeLong(const TTable& table, std::uint64_t bits) {
  const std::uint32_t top = std::uint32_t(bits >> 48);
  for (int length = LookupBits + 1; length <= 16; ++length) {
    const int code = int(top >> (16 - length));
    if (code > table.MaxCode[length]) continue;
    const int index = table.ValueOffset[length] + code;
    if (index < 0 || index > 255) return {0, 0};
    return {length, table.Values[index]};
  }
  return {0, 0};
}

bool TScanDecoder::Restart() {
  TBitReader& r = FReader;
  // What is left of the interval's last byte is padding; a whole byte more is not regular.
  if (r.Count >= 8) return false;
  r.Bits = 0;
  r.Count = 0;
  std::size_t at = r.Pos;
  if (at >= FData.size() || FData[at] != 0xFF) return false;
  while (at < FData.size() && FData[at] == 0xFF)
    ++at;
  if (at >= FData.size() || FData[at] != 0xD0 + FNextRestart) return false;
  r.Pos = at + 1;
  r.AtMarker = false;
  for (int& prediction : FPredictions)
    prediction = 0;
  FRestartsToGo = FRestartInterval;
  FNextRestart = (FNextRestart + 1) & 7;
  return true;
}

#undef TOVU_INLINE

bool TScanDecoder::DecodeMcu(std::int16_t* const* blocks) {
  if (FRestartInterval != 0) {
    if (FRestartsToGo == 0 && !Restart()) return false;
    --FRestartsToGo;
  }
  TBitReader r = FReader;
  const std::span<const std::uint8_t> data = FData;
  for (std::size_t b = 0; b < FBlocks.size(); ++b) {
    const TBlockCoding& coding = FBlocks[b];
    std::int16_t* block = blocks[b] != nullptr ? blocks[b] : FDropped;
    if (blocks[b] != nullptr) std::memset(block, 0, DCTSIZE2 * sizeof(std::int16_t));

    // A code and its value bits take at most 31 bits: one refill per coefficient is enough.
    if (r.Count < 32) Refill(r, data);
    const TEntry& dc = coding.Dc->Lookup[r.Bits >> (64 - LookupBits)];
    int difference = 0;
    if (dc.Kind == ekValue) {
      if (dc.Length > r.Count) return false;
      difference = dc.Value;
      Skip(r, dc.Length);
    } else {
      int length = dc.Length;
      int size = dc.Size;
      if (dc.Kind == ekLong) std::tie(length, size) = DecodeLong(*coding.Dc, r.Bits);
      if (length == 0 || size > 15 || length + size > r.Count) return false;
      Skip(r, length);
      if (size > 0) difference = TakeValue(r, size);
    }
    int& prediction = FPredictions[coding.Component];
    prediction += difference;
    // Far beyond any sample's range: only a damaged file gets here, and the library decides.
    if (prediction > (1 << 20) || prediction < -(1 << 20)) return false;
    block[0] = std::int16_t(prediction);

    const TTable& ac = *coding.Ac;
    for (int k = 1; k < DCTSIZE2;) {
      if (r.Count < 32) Refill(r, data);
      const TEntry& entry = ac.Lookup[r.Bits >> (64 - LookupBits)];
      if (entry.Kind == ekValue) [[likely]] {
        if (entry.Length > r.Count) return false;
        Skip(r, entry.Length);
        k += entry.Run;
        if (k >= DCTSIZE2) return false;
        block[NaturalOrder[std::size_t(k)]] = entry.Value;
        ++k;
        continue;
      }
      if (entry.Kind == ekEnd) {
        if (entry.Length > r.Count) return false;
        Skip(r, entry.Length);
        break;
      }
      int length = entry.Length;
      int run = entry.Run;
      int size = entry.Size;
      if (entry.Kind == ekLong) {
        int symbol = 0;
        std::tie(length, symbol) = DecodeLong(ac, r.Bits);
        run = symbol >> 4;
        size = symbol & 15;
      } else if (entry.Kind == ekZeros) {
        size = 0;
      }
      if (length == 0 || length + size > r.Count) return false;
      Skip(r, length);
      if (size == 0) {
        if (run != 15) break;  // the end of the block
        k += 16;
        continue;
      }
      k += run;
      if (k >= DCTSIZE2) return false;
      block[NaturalOrder[std::size_t(k)]] = std::int16_t(TakeValue(r, size));
      ++k;
    }
  }
  FReader = r;
  return true;
}

}  // namespace fw
