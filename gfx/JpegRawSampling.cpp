#include "gfx/JpegRawSampling.h"

#include "gfx/JpegCodec.h"
#include "gfx/JpegEntropy.h"

// The library's headers need size_t and FILE declared first. The inverse DCT of each component
// is reached through its internal interfaces (which the development package ships).
#include <cstdio>
#define JPEG_INTERNALS
// clang-format off
#include <jpeglib.h>
// clang-format on

#include <algorithm>
#include <array>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>
#include <type_traits>

namespace fw {

std::vector<std::uint8_t> NeededBlocks(const std::vector<int>& samples, int factor, unsigned pixels,
                                       unsigned blocks) {
  std::vector<std::uint8_t> needed(blocks, 0);
  for (const int sample : samples) {
    const long at = sample / factor;
    for (long p = at - (factor > 1 ? 1 : 0); p <= at + (factor > 1 ? 1 : 0); ++p) {
      if (p < 0 || p >= long(pixels)) continue;
      const std::size_t block = std::size_t(p) / DCTSIZE;
      if (block < needed.size()) needed[block] = 1;
    }
  }
  return needed;
}

namespace {

// Rows of blocks in flight: the one being read, those the second thread works on (a row's
// upsampling reads the last pixel row of the one above and the first of the one below), and
// slack. The second thread waits for a batch of rows at a time, so that the threads wake each
// other a few dozen times per picture rather than at every row.
constexpr JDIMENSION RingRows = 8;
constexpr JDIMENSION Batch = 4;
constexpr JDIMENSION NoWait = ~JDIMENSION(0);

// Smaller pictures are not worth a second thread: the reading thread writes their rows itself.
constexpr std::int64_t ThreadedPixels = std::int64_t(1) << 20;

// How the library makes a component's value at an output pixel from the component's pixels, by
// how many times the picture is finer than the component across and down.
enum TUpsampling {
  usNone,       // 1 x 1
  usReplicate,  // any whole factors without a fancy filter: the nearest pixel
  usH2V1,       // 2 x 1: 3/4 of the nearer pixel, 1/4 of the further one
  usH1V2,       // 1 x 2: the same down the column
  usH2V2,       // 2 x 2: both, as a triangle filter
};

TUpsampling UpsamplingOf(const jpeg_decompress_struct& info, const jpeg_component_info& c) {
  const int across = info.max_h_samp_factor / c.h_samp_factor;
  const int down = info.max_v_samp_factor / c.v_samp_factor;
  const bool fancy = info.do_fancy_upsampling != 0;
  if (across == 1 && down == 1) return usNone;
  if (across == 2 && down == 1 && fancy && c.downsampled_width > 2) return usH2V1;
  if (across == 1 && down == 2 && fancy) return usH1V2;
  if (across == 2 && down == 2 && fancy && c.downsampled_width > 2) return usH2V2;
  return usReplicate;
}

// The library's YCbCr to RGB tables: red from Cr, blue from Cb, and green's two shares, in 16-bit
// fixed point rounded as the library rounds them.
struct TColourTables {
  std::array<int, 256> CrRed{}, CbBlue{}, CrGreen{}, CbGreen{};
  TColourTables() {
    constexpr int ScaleBits = 16;
    constexpr std::int32_t Half = std::int32_t(1) << (ScaleBits - 1);
    auto fix = [](double x) { return std::int32_t(x * (1L << ScaleBits) + 0.5); };
    for (int i = 0; i < 256; ++i) {
      const std::int32_t x = i - 128;
      CrRed[std::size_t(i)] = int((fix(1.40200) * x + Half) >> ScaleBits);
      CbBlue[std::size_t(i)] = int((fix(1.77200) * x + Half) >> ScaleBits);
      CrGreen[std::size_t(i)] = int(-fix(0.71414) * x);
      CbGreen[std::size_t(i)] = int(-fix(0.34414) * x + Half);
    }
  }
};

const TColourTables& ColourTables() {
  static const TColourTables tables;
  return tables;
}

std::uint8_t Clamp(int value) {
  return std::uint8_t(value < 0 ? 0 : value > 255 ? 255 : value);
}

// One block whose inverse DCT the second thread runs.
struct TBlockTask {
  JCOEF Coefficients[DCTSIZE2];
  int Component;
  JSAMPARRAY Output;
  JDIMENSION Column;
};

// One row of blocks: each component's pixel rows, the row pointers the library is given, and
// the blocks handed over for it. Sized once for the largest row, so that handing over allocates
// nothing inside the library.
struct TSlot {
  std::vector<JSAMPLE> Pixels[MAX_COMPONENTS];
  std::vector<JSAMPROW> Rows[MAX_COMPONENTS];
  JSAMPARRAY Planes[MAX_COMPONENTS] = {};
  std::vector<TBlockTask> Blocks;
  std::size_t BlockCount = 0;
};

// What one component contributes to the sampled pixels.
struct TComponentPlan {
  jpeg_component_info* Info = nullptr;
  inverse_DCT_method_ptr InverseDct = nullptr;
  TUpsampling Upsampling = usNone;
  int Across = 1, Down = 1;    // how many times finer the picture is
  JDIMENSION RowsPerSlot = 0;  // pixel rows of the component in one row of blocks
  JDIMENSION Width = 0, Height = 0;
  std::vector<std::uint8_t> NeededColumns, NeededRows;  // of blocks
  // Per sampled column: the component's nearer and further pixel, and whether the sample lies
  // right of the nearer one's centre (the filter's rounding differs).
  std::vector<JDIMENSION> Near, Far;
  std::vector<std::uint8_t> RightHalf;
};

void HandOverBlock(j_decompress_ptr info, jpeg_component_info* component, JCOEFPTR block,
                   JSAMPARRAY output, JDIMENSION column);

}  // namespace

struct TRawSampler::TState {
  jpeg_decompress_struct& Info;
  const TJpegSamples& Samples;
  std::vector<std::uint8_t*> Targets;
  std::vector<TComponentPlan> Plans;
  std::vector<TSlot> Slots;
  JDIMENSION RowCount = 0;      // rows of blocks in the picture
  JDIMENSION PixelsPerRow = 0;  // output pixel rows in one row of blocks
  JDIMENSION Reading = 0;       // the row of blocks the library is decoding (its thread only)

  std::mutex Lock;
  std::condition_variable Changed;
  JDIMENSION Produced = 0;             // rows of blocks fully handed over
  JDIMENSION Released = 0;             // rows of blocks before this one are no longer read
  JDIMENSION WorkerWaitsFor = NoWait;  // rows of blocks the second thread waits to be handed
  JDIMENSION ReaderWaitsFor = NoWait;  // the row of blocks the reading thread waits to fill
  bool Closed = false;                 // no more rows come
  bool Done = false;                   // every sampled row is written
  std::thread Worker;                  // none for a small picture

  // The second thread's own (or the reading thread's, for a small picture): the next row of
  // blocks to write out, the first sampled row not yet written, and each component's values at
  // the sampled columns of the row being written.
  JDIMENSION NextRow = 0;
  std::size_t NextSample = 0;
  std::vector<std::uint8_t> Values[3];

  // The scan's own decoding, when the library does not read the data.
  std::unique_ptr<TScanDecoder> Scan;

  TState(jpeg_decompress_struct& info, const TJpegSamples& samples, std::vector<std::uint8_t*> rows)
      : Info(info), Samples(samples), Targets(std::move(rows)) {}

  TSlot& SlotOf(JDIMENSION row) { return Slots[row % RingRows]; }

  // The component's pixel row `y`, clamped to the component (the library repeats the edge rows).
  const JSAMPLE* ComponentRow(const TComponentPlan& plan, long y) {
    const JDIMENSION r = JDIMENSION(std::clamp<long>(y, 0, long(plan.Height) - 1));
    const int c = plan.Info->component_index;
    return SlotOf(r / plan.RowsPerSlot).Rows[c][r % plan.RowsPerSlot];
  }

  void Plan() {
    for (int c = 0; c < Info.num_components; ++c) {
      jpeg_component_info& component = Info.comp_info[c];
      TComponentPlan plan;
      plan.Info = &component;
      plan.InverseDct = Info.idct->inverse_DCT[c];
      plan.Upsampling = UpsamplingOf(Info, component);
      plan.Across = Info.max_h_samp_factor / component.h_samp_factor;
      plan.Down = Info.max_v_samp_factor / component.v_samp_factor;
      plan.RowsPerSlot = JDIMENSION(component.v_samp_factor) * DCTSIZE;
      plan.Width = component.downsampled_width;
      plan.Height = component.downsampled_height;
      plan.NeededColumns =
          NeededBlocks(Samples.Columns, plan.Across, plan.Width, component.width_in_blocks);
      plan.NeededRows =
          NeededBlocks(Samples.Rows, plan.Down, plan.Height, component.height_in_blocks);
      for (const int x : Samples.Columns) {
        const long near = x / plan.Across;
        const bool right = x % 2 != 0;
        const long far = right ? near + 1 : near - 1;
        plan.Near.push_back(JDIMENSION(near));
        plan.Far.push_back(JDIMENSION(std::clamp<long>(far, 0, long(plan.Width) - 1)));
        plan.RightHalf.push_back(right ? 1 : 0);
      }
      Plans.push_back(std::move(plan));
      Values[c].resize(Samples.Columns.size());
    }
  }

  void AllocateSlots() {
    std::size_t blocks = 0;
    for (const TComponentPlan& plan : Plans)
      blocks += std::size_t(plan.Info->width_in_blocks) * std::size_t(plan.Info->v_samp_factor);
    Slots.resize(RingRows);
    for (TSlot& slot : Slots) {
      for (const TComponentPlan& plan : Plans) {
        const int c = plan.Info->component_index;
        const std::size_t stride = std::size_t(plan.Info->width_in_blocks) * DCTSIZE;
        slot.Pixels[c].resize(stride * plan.RowsPerSlot);
        for (JDIMENSION r = 0; r < plan.RowsPerSlot; ++r)
          slot.Rows[c].push_back(slot.Pixels[c].data() + stride * r);
        slot.Planes[c] = slot.Rows[c].data();
      }
      slot.Blocks.resize(blocks);
    }
  }

  // ---- The reading thread ----

  void WaitForFreeSlot(JDIMENSION row) {
    std::unique_lock<std::mutex> lock(Lock);
    ReaderWaitsFor = row;
    Changed.wait(lock, [&] { return row < Released + RingRows; });
    ReaderWaitsFor = NoWait;
  }

  void MarkProduced(JDIMENSION rows) {
    bool wake = false;
    {
      std::lock_guard<std::mutex> lock(Lock);
      Produced = rows;
      wake = Produced >= WorkerWaitsFor;
    }
    if (wake) Changed.notify_all();
  }

  void Hand(jpeg_component_info* component, JCOEFPTR block, JSAMPARRAY output, JDIMENSION column) {
    const int c = component->component_index;
    const TComponentPlan& plan = Plans[std::size_t(c)];
    TSlot& slot = SlotOf(Reading);
    const std::size_t blockRow = std::size_t(Reading) * std::size_t(component->v_samp_factor) +
                                 std::size_t(output - slot.Planes[c]) / DCTSIZE;
    const std::size_t blockColumn = column / DCTSIZE;
    // Blocks outside the lists (there are none) are decoded.
    if (blockRow < plan.NeededRows.size() && blockColumn < plan.NeededColumns.size() &&
        (plan.NeededRows[blockRow] & plan.NeededColumns[blockColumn]) == 0)
      return;
    if (slot.BlockCount == slot.Blocks.size()) {
      plan.InverseDct(&Info, component, block, output, column);
      return;
    }
    TBlockTask& task = slot.Blocks[slot.BlockCount++];
    std::memcpy(task.Coefficients, block, sizeof task.Coefficients);
    task.Component = c;
    task.Output = output;
    task.Column = column;
  }

  // Decodes one row of MCUs into the slot, placing the blocks as the library's coefficient
  // controller does: an MCU's blocks past the picture's right or bottom edge are dropped.
  bool DecodeRow(JDIMENSION row) {
    static_assert(std::is_same_v<JCOEF, std::int16_t>);
    TSlot& slot = SlotOf(row);
    const bool lastRow = row + 1 == RowCount;
    std::int16_t* blocks[D_MAX_BLOCKS_IN_MCU] = {};
    for (JDIMENSION m = 0; m < Info.MCUs_per_row; ++m) {
      int b = 0;
      for (int ci = 0; ci < Info.comps_in_scan; ++ci) {
        const jpeg_component_info& component = *Info.cur_comp_info[ci];
        const int c = component.component_index;
        const TComponentPlan& plan = Plans[std::size_t(c)];
        const int useful =
            m + 1 < Info.MCUs_per_row ? component.MCU_width : component.last_col_width;
        for (int y = 0; y < component.MCU_height; ++y) {
          const std::size_t blockRow =
              std::size_t(row) * std::size_t(component.MCU_height) + std::size_t(y);
          const bool rowNeeded = (!lastRow || y < component.last_row_height) &&
                                 blockRow < plan.NeededRows.size() && plan.NeededRows[blockRow];
          for (int x = 0; x < component.MCU_width; ++x, ++b) {
            const std::size_t column =
                std::size_t(m) * std::size_t(component.MCU_width) + std::size_t(x);
            blocks[b] = nullptr;
            if (!rowNeeded || x >= useful || !plan.NeededColumns[column]) continue;
            TBlockTask& task = slot.Blocks[slot.BlockCount++];
            task.Component = c;
            task.Output = slot.Planes[c] + y * DCTSIZE;
            task.Column = JDIMENSION(column) * DCTSIZE;
            blocks[b] = task.Coefficients;
          }
        }
      }
      if (!Scan->DecodeMcu(blocks)) return false;
    }
    return true;
  }

  // Fills one slot after another with a row of blocks (`read` answers false when it cannot) and
  // hands each over; a small picture's rows are written here at once.
  template <typename TRead>
  bool ReadRows(TRead read) {
    for (JDIMENSION row = 0; Info.output_scanline < Info.output_height; ++row) {
      WaitForFreeSlot(row);
      SlotOf(row).BlockCount = 0;
      Reading = row;
      if (!read(row)) return false;
      MarkProduced(row + 1);
      if (!Worker.joinable()) Work(row + 1);
    }
    return true;
  }

  // As the library does before each row it reads.
  void ReportProgress() {
    if (Info.progress == nullptr) return;
    Info.progress->pass_counter = long(Info.output_scanline);
    Info.progress->pass_limit = long(Info.output_height);
    (*Info.progress->progress_monitor)(reinterpret_cast<j_common_ptr>(&Info));
  }

  // ---- The second thread ----

  // Waits until `rows` rows of blocks are handed over and answers how many are; 0 if no more come
  // before that.
  JDIMENSION WaitForRows(JDIMENSION rows) {
    std::unique_lock<std::mutex> lock(Lock);
    WorkerWaitsFor = rows;
    Changed.wait(lock, [&] { return Produced >= rows || Closed; });
    WorkerWaitsFor = NoWait;
    return Produced >= rows ? Produced : 0;
  }

  void Release(JDIMENSION row) {
    bool wake = false;
    {
      std::lock_guard<std::mutex> lock(Lock);
      Released = row;
      wake = ReaderWaitsFor != NoWait && ReaderWaitsFor < Released + RingRows;
    }
    if (wake) Changed.notify_all();
  }

  void Transform(JDIMENSION row) {
    TSlot& slot = SlotOf(row);
    for (std::size_t i = 0; i < slot.BlockCount; ++i) {
      TBlockTask& task = slot.Blocks[i];
      const TComponentPlan& plan = Plans[std::size_t(task.Component)];
      plan.InverseDct(&Info, plan.Info, task.Coefficients, task.Output, task.Column);
    }
  }

  // The component's value at every sampled column of picture row `y`.
  void Upsample(const TComponentPlan& plan, int y, std::uint8_t* values) {
    const std::size_t count = plan.Near.size();
    const long near = y / plan.Down;
    const bool below = y % 2 != 0;
    const JSAMPLE* n = ComponentRow(plan, near);
    const JSAMPLE* f = ComponentRow(plan, below ? near + 1 : near - 1);
    switch (plan.Upsampling) {
      case usNone:
      case usReplicate:
        for (std::size_t i = 0; i < count; ++i)
          values[i] = n[plan.Near[i]];
        break;
      case usH2V1:
        for (std::size_t i = 0; i < count; ++i)
          values[i] =
              std::uint8_t((3 * n[plan.Near[i]] + n[plan.Far[i]] + 1 + plan.RightHalf[i]) >> 2);
        break;
      case usH1V2:
        for (std::size_t i = 0; i < count; ++i)
          values[i] = std::uint8_t((3 * n[plan.Near[i]] + f[plan.Near[i]] + (below ? 2 : 1)) >> 2);
        break;
      case usH2V2:
        for (std::size_t i = 0; i < count; ++i) {
          const int nearSum = 3 * n[plan.Near[i]] + f[plan.Near[i]];
          const int farSum = 3 * n[plan.Far[i]] + f[plan.Far[i]];
          values[i] = std::uint8_t((3 * nearSum + farSum + (plan.RightHalf[i] ? 7 : 8)) >> 4);
        }
        break;
    }
  }

  void WriteSampledRows(JDIMENSION row) {
    const TColourTables& t = ColourTables();
    const std::size_t count = Samples.Columns.size();
    const JDIMENSION end = (row + 1) * PixelsPerRow;
    for (; NextSample < Samples.Rows.size() && JDIMENSION(Samples.Rows[NextSample]) < end;
         ++NextSample) {
      const int y = Samples.Rows[NextSample];
      for (std::size_t c = 0; c < 3; ++c)
        Upsample(Plans[c], y, Values[c].data());
      std::uint8_t* out = Targets[NextSample];
      for (std::size_t i = 0; i < count; ++i, out += 3) {
        const int luma = Values[0][i], cb = Values[1][i], cr = Values[2][i];
        out[0] = Clamp(luma + t.CbBlue[std::size_t(cb)]);
        out[1] = Clamp(luma + ((t.CbGreen[std::size_t(cb)] + t.CrGreen[std::size_t(cr)]) >> 16));
        out[2] = Clamp(luma + t.CrRed[std::size_t(cr)]);
      }
    }
  }

  // Writes the rows of blocks whose neighbours have come, once `available` rows are handed over.
  void Work(JDIMENSION available) {
    for (; NextRow < RowCount && std::min(NextRow + 2, RowCount) <= available; ++NextRow) {
      if (NextRow == 0) Transform(0);
      if (NextRow + 1 < RowCount) Transform(NextRow + 1);
      WriteSampledRows(NextRow);
      Release(NextRow);
    }
    if (NextRow < RowCount) return;
    {
      std::lock_guard<std::mutex> lock(Lock);
      Done = true;
    }
    Changed.notify_all();
  }

  void Run() {
    while (NextRow < RowCount) {
      const JDIMENSION available = WaitForRows(std::min(NextRow + 1 + Batch, RowCount));
      if (available == 0) return;
      Work(available);
    }
  }
};

namespace {

void HandOverBlock(j_decompress_ptr info, jpeg_component_info* component, JCOEFPTR block,
                   JSAMPARRAY output, JDIMENSION column) {
  static_cast<TRawSampler::TState*>(info->client_data)->Hand(component, block, output, column);
}

}  // namespace

bool HasWholeSamplingFactors(const jpeg_decompress_struct& info) {
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    if (component.DCT_scaled_size != DCTSIZE ||
        info.max_h_samp_factor % component.h_samp_factor != 0 ||
        info.max_v_samp_factor % component.v_samp_factor != 0)
      return false;
  }
  return true;
}

bool SuitsRawSampling(const jpeg_decompress_struct& info) {
  if (jpeg_has_multiple_scans(const_cast<j_decompress_ptr>(&info)) || info.num_components != 3 ||
      info.jpeg_color_space != JCS_YCbCr || info.out_color_space != JCS_EXT_BGR ||
      info.quantize_colors || !info.do_fancy_upsampling || info.CCIR601_sampling ||
      info.data_precision != 8 || info.output_width != info.image_width ||
      info.output_height != info.image_height)
    return false;
  return HasWholeSamplingFactors(info);
}

TRawSampler::TRawSampler(jpeg_decompress_struct& info, const TJpegSamples& samples,
                         std::vector<std::uint8_t*> rows)
    : FState(std::make_unique<TState>(info, samples, std::move(rows))) {
  TState& s = *FState;
  s.RowCount = info.total_iMCU_rows;
  s.PixelsPerRow = JDIMENSION(info.max_v_samp_factor) * DCTSIZE;
  s.Plan();
  s.AllocateSlots();
  info.client_data = &s;
  for (int c = 0; c < info.num_components; ++c)
    info.idct->inverse_DCT[c] = HandOverBlock;
  if (std::int64_t(info.image_width) * info.image_height >= ThreadedPixels)
    s.Worker = std::thread([&s] { s.Run(); });
}

TRawSampler::~TRawSampler() {
  {
    std::lock_guard<std::mutex> lock(FState->Lock);
    FState->Closed = true;
  }
  FState->Changed.notify_all();
  if (FState->Worker.joinable()) FState->Worker.join();
  FState->Info.client_data = nullptr;
}

void TRawSampler::ReadAll() {
  TState& s = *FState;
  s.ReadRows([&s](JDIMENSION row) {
    jpeg_read_raw_data(&s.Info, s.SlotOf(row).Planes, s.PixelsPerRow);
    return true;
  });
}

void TRawSampler::DecodeItself(std::span<const std::uint8_t> data) {
  FState->Scan = std::make_unique<TScanDecoder>(FState->Info, data);
}

std::optional<std::size_t> TRawSampler::DecodeAll() {
  TState& s = *FState;
  const bool decoded = s.ReadRows([&s](JDIMENSION row) {
    s.ReportProgress();
    if (!s.DecodeRow(row)) return false;
    s.Info.output_scanline += s.PixelsPerRow;
    return true;
  });
  if (!decoded) return std::nullopt;
  return s.Scan->Consumed();
}

void TRawSampler::Finish() {
  TState& s = *FState;
  std::unique_lock<std::mutex> lock(s.Lock);
  s.Changed.wait(lock, [&] { return s.Done; });
}

}  // namespace fw
