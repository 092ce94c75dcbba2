#include "gfx/JpegCodec.h"

#include "gfx/JpegEntropy.h"
#include "gfx/JpegRawSampling.h"

// The library's headers need size_t and FILE declared first. Its internal interfaces (which the
// development package ships) are needed to pass over the inverse DCT of blocks no sample needs.
#include <cstdio>
#define JPEG_INTERNALS
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <csetjmp>
#include <exception>
#include <memory>
#include <optional>
#include <string>

namespace fw {
namespace {

constexpr std::size_t BlockSize = 4096;
constexpr std::uint8_t EndOfImage[2] = {0xFF, 0xD9};
constexpr int QuantisedColours = 236;
constexpr auto ProgressInterval = std::chrono::milliseconds(500);

struct TBlockFilter;

// State shared by the library's callbacks and the guarded call. The error manager comes first so
// that the library's pointer to it is also a pointer to the whole context.
struct TContext {
  jpeg_error_mgr Error{};
  std::jmp_buf Jump{};
  std::exception_ptr Failure;  // a C++ exception caught inside a callback
  int FailureCode = 0;         // the library's message code from its error exit
  jpeg_progress_mgr Progress{};
  const TJpegProgress* OnProgress = nullptr;
  bool Decompressing = false;
  int MaxScans = 0;  // of a decompression; 0: any
  int LastPercent = -1;
  bool ClockStarted = false;
  std::chrono::steady_clock::time_point LastReport{};
  int ReportedRows = 0;
  TBlockFilter* Blocks = nullptr;  // a sampled decoding's inverse DCTs, when filtered
};

TContext& ContextOf(j_common_ptr info) {
  return *reinterpret_cast<TContext*>(info->err);
}

[[noreturn]] void ErrorExit(j_common_ptr info) {
  TContext& context = ContextOf(info);
  context.FailureCode = info->err->msg_code;
  std::longjmp(context.Jump, 1);
}

void EmitMessage(j_common_ptr, int) {}
void OutputMessage(j_common_ptr) {}
void FormatMessage(j_common_ptr, char* buffer) {
  buffer[0] = '\0';
}
void ResetErrorManager(j_common_ptr info) {
  info->err->num_warnings = 0;
  info->err->msg_code = 0;
}

// Runs a C++ callback from inside the library. An exception it throws is kept and the library is
// left with a jump, so that no C++ exception ever unwinds through the library's C frames.
template <typename F>
void Guarded(j_common_ptr info, F&& f) {
  TContext& context = ContextOf(info);
  try {
    f();
    return;
  } catch (...) {
    context.Failure = std::current_exception();
  }
  std::longjmp(context.Jump, 1);
}

// The library calls the monitor at least once per row of blocks it reads, so a scan beyond the
// limit is stopped before it has cost more than a row.
void RefuseExtraScan(j_common_ptr info) {
  const TContext& context = ContextOf(info);
  if (!info->is_decompressor || context.MaxScans <= 0) return;
  const auto* d = reinterpret_cast<j_decompress_ptr>(info);
  if (d->input_scan_number <= context.MaxScans) return;
  Guarded(info, [&] { throw EJpegTooManyScans(context.MaxScans); });
}

void ReportProgress(j_common_ptr info) {
  RefuseExtraScan(info);
  TContext& context = ContextOf(info);
  const auto now = std::chrono::steady_clock::now();
  if (!context.ClockStarted) {
    context.ClockStarted = true;
    context.LastReport = now;
    return;
  }
  if (now - context.LastReport < ProgressInterval) return;
  context.LastReport = now;
  const jpeg_progress_mgr& p = context.Progress;
  const double passDone = p.pass_limit > 0 ? double(p.pass_counter) / double(p.pass_limit) : 0.0;
  const int totalPasses = p.total_passes > 0 ? p.total_passes : 1;
  const int percent = int((passDone + p.completed_passes) * 100.0 / totalPasses);
  if (percent <= context.LastPercent || context.OnProgress == nullptr || !*context.OnProgress) {
    return;
  }
  context.LastPercent = percent;
  win::RECT rows{};
  if (context.Decompressing) {
    const auto* d = reinterpret_cast<j_decompress_ptr>(info);
    rows = {0, context.ReportedRows, int(d->output_width), int(d->output_scanline)};
    context.ReportedRows = int(d->output_scanline);
  }
  Guarded(info, [&] { (*context.OnProgress)(jpsRunning, percent, rows); });
}

void InstallHandlers(TContext& context, j_common_ptr info, const TJpegProgress& progress) {
  jpeg_std_error(&context.Error);
  context.Error.error_exit = ErrorExit;
  context.Error.emit_message = EmitMessage;
  context.Error.output_message = OutputMessage;
  context.Error.format_message = FormatMessage;
  context.Error.reset_error_mgr = ResetErrorManager;
  info->err = &context.Error;
  context.Progress.progress_monitor = ReportProgress;
  context.OnProgress = &progress;
}

void Notify(const TJpegProgress& progress, TJpegProgressStage stage, int percent) {
  if (progress) progress(stage, percent, win::RECT{});
}

// Turns what a guarded run left behind into the exception the caller sees.
[[noreturn]] void RaiseFailure(const TContext& context) {
  if (context.Failure) std::rethrow_exception(context.Failure);
  throw EJpegFailure(context.FailureCode);
}

// ---- Compression ------------------------------------------------------------------------------

struct TDestination {
  jpeg_destination_mgr Manager{};
  std::uint8_t Buffer[BlockSize];
  const TJpegWrite* Write = nullptr;
};

TDestination& DestinationOf(j_compress_ptr info) {
  return *reinterpret_cast<TDestination*>(info->dest);
}

void WriteOrFail(j_compress_ptr info, std::size_t count) {
  TDestination& destination = DestinationOf(info);
  std::size_t written = 0;
  Guarded(reinterpret_cast<j_common_ptr>(info),
          [&] { written = (*destination.Write)(destination.Buffer, count); });
  if (written != count) ERREXIT(info, JERR_FILE_WRITE);
}

void InitDestination(j_compress_ptr info) {
  TDestination& destination = DestinationOf(info);
  destination.Manager.next_output_byte = destination.Buffer;
  destination.Manager.free_in_buffer = BlockSize;
}

boolean EmptyOutputBuffer(j_compress_ptr info) {
  WriteOrFail(info, BlockSize);
  InitDestination(info);
  return TRUE;
}

void TermDestination(j_compress_ptr info) {
  const std::size_t remaining = BlockSize - DestinationOf(info).Manager.free_in_buffer;
  if (remaining > 0) WriteOrFail(info, remaining);
}

struct TCompressJob {
  TContext Context;
  jpeg_compress_struct Info{};
  TDestination Destination;
  int Width = 0;
  int Height = 0;
  const TJpegRowSource* RowAt = nullptr;
  const TJpegCompressSettings* Settings = nullptr;
};

// The library calls of one compression. Holds no C++ objects with destructors, as the library may
// leave it with a jump.
void RunCompression(TCompressJob& job) {
  jpeg_compress_struct& info = job.Info;
  info.image_width = JDIMENSION(job.Width);
  info.image_height = JDIMENSION(job.Height);
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  info.dct_method = JDCT_FLOAT;
  jpeg_set_quality(&info, job.Settings->Quality, TRUE);
  if (job.Settings->Grayscale) jpeg_set_colorspace(&info, JCS_GRAYSCALE);
  if (job.Settings->Progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    const std::uint8_t* row = nullptr;
    Guarded(reinterpret_cast<j_common_ptr>(&info),
            [&] { row = (*job.RowAt)(int(info.next_scanline)); });
    JSAMPROW rows[1] = {const_cast<JSAMPROW>(row)};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
}

// ---- Decompression ----------------------------------------------------------------------------

struct TSource {
  jpeg_source_mgr Manager{};
  std::span<const std::uint8_t> Data;
  std::size_t Position = 0;
};

TSource& SourceOf(j_decompress_ptr info) {
  return *reinterpret_cast<TSource*>(info->src);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info) {
  TSource& source = SourceOf(info);
  const std::size_t left = source.Data.size() - source.Position;
  if (left == 0) {
    if (source.Position == 0) ERREXIT(info, JERR_INPUT_EMPTY);
    WARNMS(info, JWRN_JPEG_EOF);
    source.Manager.next_input_byte = EndOfImage;
    source.Manager.bytes_in_buffer = sizeof(EndOfImage);
    return TRUE;
  }
  const std::size_t count = left < BlockSize ? left : BlockSize;
  source.Manager.next_input_byte = source.Data.data() + source.Position;
  source.Manager.bytes_in_buffer = count;
  source.Position += count;
  return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
  if (count <= 0) return;
  jpeg_source_mgr& manager = SourceOf(info).Manager;
  while (std::size_t(count) > manager.bytes_in_buffer) {
    count -= long(manager.bytes_in_buffer);
    FillInputBuffer(info);
  }
  manager.next_input_byte += count;
  manager.bytes_in_buffer -= std::size_t(count);
}

void TermSource(j_decompress_ptr) {}

void AttachSource(jpeg_decompress_struct& info, TSource& source,
                  std::span<const std::uint8_t> data) {
  source.Data = data;
  source.Manager.init_source = InitSource;
  source.Manager.fill_input_buffer = FillInputBuffer;
  source.Manager.skip_input_data = SkipInputData;
  source.Manager.resync_to_restart = jpeg_resync_to_restart;
  source.Manager.term_source = TermSource;
  info.src = &source.Manager;
}

// Which blocks of each component a sampled decoding needs, by block column and block row, and the
// library's own inverse DCT for each component. A component pixel is needed when a sampled
// pixel is made from it or from a neighbour (the upsampling reads one to each side).
struct TBlockFilter {
  inverse_DCT_method_ptr Original[MAX_COMPONENTS] = {};
  std::vector<std::uint8_t> Columns[MAX_COMPONENTS];  // 1: needed
  std::vector<std::uint8_t> Rows[MAX_COMPONENTS];
  // Per component, the iMCU row being decoded and the output rows of its first block row.
  JDIMENSION Row[MAX_COMPONENTS] = {};
  JSAMPARRAY First[MAX_COMPONENTS] = {};
};

struct TDecompressJob {
  TContext Context;
  jpeg_decompress_struct Info{};
  TSource Source;
  const TJpegDecodeSettings* Settings = nullptr;
  const TJpegBeginOutput* Begin = nullptr;
  TJpegRowTarget Target;  // set before the library runs; not destroyed inside it
  TJpegOutputLayout Layout;
  TJpegHeaderInfo Header;
  // Four-colour files: the library's CMYK row, turned into blue-green-red for the target.
  std::vector<std::uint8_t> InkRow;
  bool Inverted = false;  // the Adobe marker's convention: 255 is no ink
  // A sampled decoding: what is kept, and the whole decoded row the samples are taken from.
  const TJpegSamples* Samples = nullptr;
  std::vector<std::uint8_t> FullRow;
  TBlockFilter Blocks;
  // A sampled decoding from raw rows, on two threads; ended before the library is destroyed.
  std::unique_ptr<TRawSampler> Raw;
};

bool HasInks(J_COLOR_SPACE space) {
  return space == JCS_CMYK || space == JCS_YCCK;
}

// One channel of a CMYK pixel as light: the share of white that the ink and the black leave,
// rounded to the nearest level.
std::uint8_t Light(std::uint32_t ink, std::uint32_t black) {
  return std::uint8_t((ink * black + 127) / 255);
}

// CMYK to blue-green-red. Adobe's files store the inks inverted (255 no ink); others store the
// amount of ink, which is inverted first.
void InksToBgr(const std::uint8_t* inks, std::uint8_t* bgr, std::size_t width, bool inverted) {
  const std::uint8_t flip = inverted ? 0 : 0xFF;
  for (std::size_t x = 0; x < width; ++x, inks += 4, bgr += 3) {
    const std::uint32_t k = std::uint8_t(inks[3] ^ flip);
    bgr[0] = Light(std::uint8_t(inks[2] ^ flip), k);
    bgr[1] = Light(std::uint8_t(inks[1] ^ flip), k);
    bgr[2] = Light(std::uint8_t(inks[0] ^ flip), k);
  }
}

void ReadHeader(TDecompressJob& job) {
  jpeg_read_header(&job.Info, TRUE);
  job.Header.Width = int(job.Info.image_width);
  job.Header.Height = int(job.Info.image_height);
  job.Header.Grayscale = job.Info.jpeg_color_space == JCS_GRAYSCALE;
  job.Header.MultiScan = jpeg_has_multiple_scans(&job.Info) != 0;
}

void ApplyDecodeSettings(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  const TJpegDecodeSettings& settings = *job.Settings;
  info.scale_num = 1;
  const int shift = settings.ScaleShift < 0 ? 0 : settings.ScaleShift > 3 ? 3 : settings.ScaleShift;
  info.scale_denom = 1u << shift;
  info.do_block_smoothing = settings.BlockSmoothing ? TRUE : FALSE;
  if (HasInks(info.jpeg_color_space)) {
    // The library gives four-colour files only as CMYK, which is neither quantised nor turned
    // gray: they always come out as 24-bit rows.
    info.out_color_space = JCS_CMYK;
    job.Inverted = info.saw_Adobe_marker != 0;
  } else if (settings.Grayscale) {
    info.out_color_space = JCS_GRAYSCALE;
  }
  const bool quantise = info.out_color_space != JCS_CMYK &&
                        (settings.EightBitOutput || info.out_color_space == JCS_GRAYSCALE);
  if (quantise) {
    info.quantize_colors = TRUE;
    info.desired_number_of_colors = QuantisedColours;
  } else if (info.out_color_space != JCS_CMYK) {
    info.out_color_space = JCS_EXT_BGR;
  }
  if (settings.BestSpeed) {
    info.dct_method = JDCT_IFAST;
    info.two_pass_quantize = FALSE;
    info.dither_mode = JDITHER_ORDERED;
  } else {
    info.dct_method = JDCT_FLOAT;
  }
}

// Reads the next row of the decoded picture into `row` as the target's pixels.
void ReadRow(TDecompressJob& job, std::uint8_t* row) {
  jpeg_decompress_struct& info = job.Info;
  const bool inks = info.out_color_space == JCS_CMYK;
  JSAMPROW rows[1] = {inks ? job.InkRow.data() : row};
  jpeg_read_scanlines(&info, rows, 1);
  if (inks) InksToBgr(job.InkRow.data(), row, info.output_width, job.Inverted);
}

void ReadRows(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = nullptr;
    Guarded(reinterpret_cast<j_common_ptr>(&info),
            [&] { row = job.Target(int(info.output_scanline)); });
    ReadRow(job, row);
  }
}

// In a single-scan decoding the coefficient controller calls the inverse DCT for each iMCU row
// with its component's block rows in order, the first at the row's first output rows.
void FilteredInverseDct(j_decompress_ptr info, jpeg_component_info* component, JCOEFPTR block,
                        JSAMPARRAY output, JDIMENSION column) {
  TBlockFilter& filter = *ContextOf(reinterpret_cast<j_common_ptr>(info)).Blocks;
  const int c = component->component_index;
  if (filter.First[c] == nullptr || filter.Row[c] != info->input_iMCU_row) {
    filter.Row[c] = info->input_iMCU_row;
    filter.First[c] = output;
  }
  const std::size_t blockRow = std::size_t(info->input_iMCU_row) * component->v_samp_factor +
                               std::size_t(output - filter.First[c]) / DCTSIZE;
  const std::size_t blockColumn = column / DCTSIZE;
  const std::vector<std::uint8_t>& rows = filter.Rows[c];
  const std::vector<std::uint8_t>& columns = filter.Columns[c];
  // Blocks outside the lists (there are none) are decoded.
  if (blockRow < rows.size() && blockColumn < columns.size() &&
      (rows[blockRow] & columns[blockColumn]) == 0)
    return;
  filter.Original[c](info, component, block, output, column);
}

// Passes over the inverse DCT of blocks no sample needs, where that cannot change a sample: a
// single scan (decoded block row by block row), full size, no quantising (whose dithering
// carries over from neighbouring pixels), whole sampling factors.
void FilterInverseDcts(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  if (jpeg_has_multiple_scans(&info) || info.quantize_colors ||
      info.output_width != info.image_width || info.output_height != info.image_height ||
      !HasWholeSamplingFactors(info))
    return;
  // A component whose blocks are all needed keeps the library's own inverse DCT unwrapped.
  TBlockFilter& filter = job.Blocks;
  auto all = [](const std::vector<std::uint8_t>& needed) {
    return std::find(needed.begin(), needed.end(), 0) == needed.end();
  };
  for (int c = 0; c < info.num_components; ++c) {
    const jpeg_component_info& component = info.comp_info[c];
    filter.Columns[c] =
        NeededBlocks(job.Samples->Columns, info.max_h_samp_factor / component.h_samp_factor,
                     component.downsampled_width, component.width_in_blocks);
    filter.Rows[c] =
        NeededBlocks(job.Samples->Rows, info.max_v_samp_factor / component.v_samp_factor,
                     component.downsampled_height, component.height_in_blocks);
    if (all(filter.Columns[c]) && all(filter.Rows[c])) continue;
    filter.Original[c] = info.idct->inverse_DCT[c];
    info.idct->inverse_DCT[c] = FilteredInverseDct;
    job.Context.Blocks = &filter;
  }
}

// Reads the rows that hold samples and skips past the others. The last row is always read, so
// that the library goes through the file's data to its end as a full decoding does (skipping to
// the end would stop reading it).
void ReadSampledRows(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  const TJpegSamples& samples = *job.Samples;
  // Quantising carries dithering errors from row to row: every row is decoded then.
  const bool skip = !info.quantize_colors;
  const std::size_t pixelBytes = info.quantize_colors ? 1 : 3;
  std::size_t next = 0;  // the first output row not yet filled
  while (info.output_scanline < info.output_height) {
    const JDIMENSION y = info.output_scanline;
    const JDIMENSION wanted =
        next < samples.Rows.size() ? JDIMENSION(samples.Rows[next]) : info.output_height - 1;
    // The upsampler makes a group of rows at once. A skip that starts inside a group ends at
    // its end; a skip from a group's start ends at a group's start: a skip from inside one
    // group into another gives other rows than a full decoding for pictures of at most four
    // columns in 4:2:0 (libjpeg-turbo 2.1.5).
    const JDIMENSION group = JDIMENSION(info.max_v_samp_factor);
    const JDIMENSION end =
        y % group != 0 ? y + (group - y % group) : y + (wanted - y) / group * group;
    if (skip && end > y && end <= wanted) {
      jpeg_skip_scanlines(&info, end - y);
      continue;
    }
    ReadRow(job, job.FullRow.data());
    for (; next < samples.Rows.size() && JDIMENSION(samples.Rows[next]) == y; ++next) {
      std::uint8_t* out = nullptr;
      Guarded(reinterpret_cast<j_common_ptr>(&info), [&] { out = job.Target(int(next)); });
      for (const int x : samples.Columns) {
        const std::uint8_t* from = job.FullRow.data() + pixelBytes * std::size_t(x);
        for (std::size_t b = 0; b < pixelBytes; ++b)
          *out++ = from[b];
      }
    }
  }
}

// The scan's data from the library's place in the file on, when the library has not yet read
// past its buffer's end (which is the file's end then).
std::optional<std::size_t> ScanDataStart(const TDecompressJob& job) {
  const jpeg_source_mgr& manager = job.Source.Manager;
  if (manager.next_input_byte == EndOfImage || manager.bytes_in_buffer > job.Source.Position)
    return std::nullopt;
  return job.Source.Position - manager.bytes_in_buffer;
}

// The scan has been decoded outside the library (its output rows counted as read): the library
// goes on after the bytes taken, at the end of its input pass.
void EndScanAt(TDecompressJob& job, std::size_t end) {
  jpeg_decompress_struct& info = job.Info;
  (*info.inputctl->finish_input_pass)(&info);
  job.Source.Position = end;
  job.Source.Manager.next_input_byte = job.Source.Data.data() + end;
  job.Source.Manager.bytes_in_buffer = 0;
}

// Samples the picture from raw rows: every target row is known before the second thread starts.
// The scan's data is decoded here where it can be; false when that data is not regular and the
// library has to read the file again.
bool SampleRawRows(TDecompressJob& job, bool decodeItself) {
  jpeg_decompress_struct& info = job.Info;
  const auto common = reinterpret_cast<j_common_ptr>(&info);
  const std::optional<std::size_t> start =
      decodeItself && TScanDecoder::Suits(info) ? ScanDataStart(job) : std::nullopt;
  Guarded(common, [&] {
    std::vector<std::uint8_t*> rows;
    for (std::size_t j = 0; j < job.Samples->Rows.size(); ++j)
      rows.push_back(job.Target(int(j)));
    job.Raw = std::make_unique<TRawSampler>(info, *job.Samples, std::move(rows));
    if (start) job.Raw->DecodeItself(job.Source.Data.subspan(*start));
  });
  if (start) {
    const std::optional<std::size_t> taken = job.Raw->DecodeAll();
    if (!taken) {
      Guarded(common, [&] { job.Raw.reset(); });
      return false;
    }
    EndScanAt(job, *start + *taken);
  } else {
    job.Raw->ReadAll();
  }
  Guarded(common, [&] {
    job.Raw->Finish();
    job.Raw.reset();
  });
  return true;
}

void DescribeOutput(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  TJpegOutputLayout& layout = job.Layout;
  const TJpegSamples* samples = job.Samples;
  layout.Width = samples ? int(samples->Columns.size()) : int(info.output_width);
  layout.Height = samples ? int(samples->Rows.size()) : int(info.output_height);
  layout.BitsPerPixel = info.quantize_colors ? 8 : 24;
  if (info.quantize_colors && info.colormap != nullptr) {
    for (int i = 0; i < info.actual_number_of_colors; ++i) {
      const bool gray = info.out_color_components == 1;
      const std::uint32_t r = info.colormap[0][i];
      const std::uint32_t g = gray ? r : info.colormap[1][i];
      const std::uint32_t b = gray ? r : info.colormap[2][i];
      layout.Palette.push_back((r << 16) | (g << 8) | b);
    }
  }
  Guarded(reinterpret_cast<j_common_ptr>(&info), [&] {
    if (info.out_color_space == JCS_CMYK) job.InkRow.resize(std::size_t(info.output_width) * 4);
    if (samples && !info.raw_data_out) job.FullRow.resize(std::size_t(info.output_width) * 3);
    job.Target = (*job.Begin)(layout);
  });
}

void RefuseOversizedImage(TDecompressJob& job) {
  const std::int64_t limit = job.Settings->MaxPixels;
  if (limit <= 0 || std::int64_t(job.Header.Width) * job.Header.Height <= limit) return;
  Guarded(reinterpret_cast<j_common_ptr>(&job.Info),
          [&] { throw EJpegTooLarge(job.Header.Width, job.Header.Height); });
}

// Reads the header again and starts the same raw decoding from the file's first byte, the output
// already described.
void StartOver(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  jpeg_abort_decompress(&info);
  job.Source.Position = 0;
  job.Source.Manager.next_input_byte = nullptr;
  job.Source.Manager.bytes_in_buffer = 0;
  ReadHeader(job);
  ApplyDecodeSettings(job);
  jpeg_calc_output_dimensions(&info);
  info.raw_data_out = TRUE;
  jpeg_start_decompress(&info);
}

void RunDecompression(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  ReadHeader(job);
  RefuseOversizedImage(job);
  ApplyDecodeSettings(job);
  const bool buffered = job.Settings->ProgressiveDecode && job.Header.MultiScan && !job.Samples;
  info.buffered_image = buffered ? TRUE : FALSE;
  if (job.Samples) {
    jpeg_calc_output_dimensions(&info);
    info.raw_data_out = SuitsRawSampling(info) ? TRUE : FALSE;
  }
  jpeg_start_decompress(&info);
  DescribeOutput(job);
  if (info.raw_data_out) {
    if (!SampleRawRows(job, true)) {
      StartOver(job);
      SampleRawRows(job, false);
    }
  } else if (job.Samples) {
    FilterInverseDcts(job);
    ReadSampledRows(job);
  } else if (!buffered) {
    ReadRows(job);
  } else {
    // Every scan is shown in turn with the fast settings; the last pass uses the chosen ones.
    const J_DCT_METHOD finalMethod = info.dct_method;
    const J_DITHER_MODE finalDither = info.dither_mode;
    for (;;) {
      const bool last = jpeg_input_complete(&info) != 0;
      info.dct_method = last ? finalMethod : JDCT_IFAST;
      info.dither_mode = last ? finalDither : JDITHER_ORDERED;
      jpeg_start_output(&info, info.input_scan_number);
      ReadRows(job);
      jpeg_finish_output(&info);
      if (last) break;
    }
  }
  jpeg_finish_decompress(&info);
}

}  // namespace

EJpegFailure::EJpegFailure(int code)
    : std::runtime_error("JPEG library error " + std::to_string(code)), FCode(code) {}

EJpegTooManyScans::EJpegTooManyScans(int limit)
    : std::runtime_error("JPEG picture of more than " + std::to_string(limit) + " scans"),
      FLimit(limit) {}

EJpegTooLarge::EJpegTooLarge(int width, int height)
    : std::runtime_error("JPEG picture of " + std::to_string(width) + " x " +
                         std::to_string(height) + " pixels is too large"),
      FWidth(width),
      FHeight(height) {}

void CompressBgr(int width, int height, const TJpegRowSource& rowAt,
                 const TJpegCompressSettings& settings, const TJpegWrite& write,
                 const TJpegProgress& progress) {
  // Everything the library's jump may touch lives on the heap, owned from before setjmp.
  auto job = std::make_unique<TCompressJob>();
  TContext& context = job->Context;
  job->Width = width;
  job->Height = height;
  job->RowAt = &rowAt;
  job->Settings = &settings;
  job->Destination.Write = &write;
  job->Destination.Manager.init_destination = InitDestination;
  job->Destination.Manager.empty_output_buffer = EmptyOutputBuffer;
  job->Destination.Manager.term_destination = TermDestination;
  InstallHandlers(context, reinterpret_cast<j_common_ptr>(&job->Info), progress);
  if (setjmp(context.Jump) != 0) {
    jpeg_destroy_compress(&job->Info);
    Notify(progress, jpsEnding, 0);
    RaiseFailure(context);
  }
  Notify(progress, jpsStarting, 0);
  jpeg_CreateCompress(&job->Info, JPEG_LIB_VERSION, sizeof(jpeg_compress_struct));
  job->Info.progress = &context.Progress;
  job->Info.dest = &job->Destination.Manager;
  RunCompression(*job);
  jpeg_destroy_compress(&job->Info);
  Notify(progress, jpsEnding, 100);
}

TJpegHeaderInfo ReadJpegHeader(std::span<const std::uint8_t> data) {
  auto job = std::make_unique<TDecompressJob>();
  TContext& context = job->Context;
  InstallHandlers(context, reinterpret_cast<j_common_ptr>(&job->Info), TJpegProgress{});
  if (setjmp(context.Jump) != 0) {
    jpeg_destroy_decompress(&job->Info);
    RaiseFailure(context);
  }
  jpeg_CreateDecompress(&job->Info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
  AttachSource(job->Info, job->Source, data);
  ReadHeader(*job);
  jpeg_destroy_decompress(&job->Info);
  return job->Header;
}

namespace {

// Everything the library's jump may touch lives in the job, on the heap, owned by the caller.
void RunDecodeJob(TDecompressJob& job, std::span<const std::uint8_t> data,
                  const TJpegProgress& progress) {
  TContext& context = job.Context;
  context.MaxScans = job.Settings->MaxScans;
  InstallHandlers(context, reinterpret_cast<j_common_ptr>(&job.Info), progress);
  if (setjmp(context.Jump) != 0) {
    job.Raw.reset();
    jpeg_destroy_decompress(&job.Info);
    Notify(progress, jpsEnding, 0);
    RaiseFailure(context);
  }
  Notify(progress, jpsStarting, 0);
  jpeg_CreateDecompress(&job.Info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
  job.Info.progress = &context.Progress;
  AttachSource(job.Info, job.Source, data);
  RunDecompression(job);
  jpeg_destroy_decompress(&job.Info);
  Notify(progress, jpsEnding, 100);
}

}  // namespace

void DecodeJpeg(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings,
                const TJpegBeginOutput& begin, const TJpegProgress& progress) {
  auto job = std::make_unique<TDecompressJob>();
  job->Context.Decompressing = true;
  job->Settings = &settings;
  job->Begin = &begin;
  RunDecodeJob(*job, data, progress);
}

void DecodeJpegSamples(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings,
                       const TJpegSamples& samples, const TJpegBeginOutput& begin,
                       const TJpegProgress& progress) {
  auto job = std::make_unique<TDecompressJob>();
  // Progress reports name no rows: the rows decoded are not those of the output.
  job->Settings = &settings;
  job->Begin = &begin;
  job->Samples = &samples;
  RunDecodeJob(*job, data, progress);
}

}  // namespace fw
