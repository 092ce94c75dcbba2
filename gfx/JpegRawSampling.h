// Sampled decoding of single-scan colour JPEGs from the library's raw component rows: the calling
// thread reads and entropy-decodes the file, a second one (for pictures of a megapixel or more)
// runs the inverse DCT of the blocks a sample needs and upsamples and converts only the sampled
// pixels, exactly as the library would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

struct jpeg_decompress_struct;

namespace fw {

struct TJpegSamples;

// The blocks along one axis that hold a needed pixel of a component sampled `factor` times more
// coarsely than the picture (1: needed). With a factor above 1 a pixel's neighbours on both sides
// are needed too, since the upsampling reads them.
std::vector<std::uint8_t> NeededBlocks(const std::vector<int>& samples, int factor, unsigned pixels,
                                       unsigned blocks);

// Whether every component of the picture in `info` (output size computed) decodes to full-size
// 8 x 8 blocks and is sampled a whole number of times more coarsely than the finest one.
bool HasWholeSamplingFactors(const jpeg_decompress_struct& info);

// Whether the picture in `info` (header read, output chosen, output size computed) gives through
// raw rows exactly the blue-green-red pixels the library's own output has: one YCbCr scan at full
// size with 8-bit samples, no quantising, fancy upsampling, whole sampling factors.
bool SuitsRawSampling(const jpeg_decompress_struct& info);

class TRawSampler {
 public:
  // `info` is started with raw data output; row j of the samples goes to rows[j], 3 bytes per
  // sampled column. Starts the second thread for a large picture.
  TRawSampler(jpeg_decompress_struct& info, const TJpegSamples& samples,
              std::vector<std::uint8_t*> rows);
  // Lets the second thread finish the rows it has been handed and waits for it.
  ~TRawSampler();

  // Reads every row of blocks of the file through the library (which may leave with its jump;
  // nothing here then needs unwinding).
  void ReadAll();
  // For a scan that TScanDecoder suits: the scan's entropy-coded data (`data`, onward from the
  // library's place in the file) is decoded here instead of by the library.
  void DecodeItself(std::span<const std::uint8_t> data);
  // Decodes every row of blocks so; the library is left before the scan's data, its output rows
  // counted as read. Answers the bytes taken, or nothing when the data is not regular: what the
  // library makes of such data can only come from the library, reading from the start.
  std::optional<std::size_t> DecodeAll();
  // Waits until every sampled row is written.
  void Finish();

  struct TState;  // shared by both threads and the library's calls

 private:
  std::unique_ptr<TState> FState;
};

}  // namespace fw
