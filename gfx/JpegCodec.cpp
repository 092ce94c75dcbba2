#include "gfx/JpegCodec.h"

// The library's headers need size_t and FILE declared first.
#include <cstdio>
// clang-format off
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <chrono>
#include <csetjmp>
#include <exception>
#include <memory>
#include <string>

namespace fw {
namespace {

constexpr std::size_t BlockSize = 4096;
constexpr std::uint8_t EndOfImage[2] = {0xFF, 0xD9};
constexpr int QuantisedColours = 236;
constexpr auto ProgressInterval = std::chrono::milliseconds(500);

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
  if (!context.Decompressing || context.MaxScans <= 0) return;
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
  if (percent == context.LastPercent || context.OnProgress == nullptr || !*context.OnProgress) {
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

void ReadRows(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = nullptr;
    Guarded(reinterpret_cast<j_common_ptr>(&info),
            [&] { row = job.Target(int(info.output_scanline)); });
    const bool inks = info.out_color_space == JCS_CMYK;
    JSAMPROW rows[1] = {inks ? job.InkRow.data() : row};
    jpeg_read_scanlines(&info, rows, 1);
    if (inks) InksToBgr(job.InkRow.data(), row, info.output_width, job.Inverted);
  }
}

void DescribeOutput(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  TJpegOutputLayout& layout = job.Layout;
  layout.Width = int(info.output_width);
  layout.Height = int(info.output_height);
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
    job.Target = (*job.Begin)(layout);
  });
}

void RefuseOversizedImage(TDecompressJob& job) {
  const std::int64_t limit = job.Settings->MaxPixels;
  if (limit <= 0 || std::int64_t(job.Header.Width) * job.Header.Height <= limit) return;
  Guarded(reinterpret_cast<j_common_ptr>(&job.Info),
          [&] { throw EJpegTooLarge(job.Header.Width, job.Header.Height); });
}

void RunDecompression(TDecompressJob& job) {
  jpeg_decompress_struct& info = job.Info;
  ReadHeader(job);
  RefuseOversizedImage(job);
  ApplyDecodeSettings(job);
  const bool buffered = job.Settings->ProgressiveDecode && job.Header.MultiScan;
  info.buffered_image = buffered ? TRUE : FALSE;
  jpeg_start_decompress(&info);
  DescribeOutput(job);
  if (!buffered) {
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

void DecodeJpeg(std::span<const std::uint8_t> data, const TJpegDecodeSettings& settings,
                const TJpegBeginOutput& begin, const TJpegProgress& progress) {
  auto job = std::make_unique<TDecompressJob>();
  TContext& context = job->Context;
  context.Decompressing = true;
  context.MaxScans = settings.MaxScans;
  job->Settings = &settings;
  job->Begin = &begin;
  InstallHandlers(context, reinterpret_cast<j_common_ptr>(&job->Info), progress);
  if (setjmp(context.Jump) != 0) {
    jpeg_destroy_decompress(&job->Info);
    Notify(progress, jpsEnding, 0);
    RaiseFailure(context);
  }
  Notify(progress, jpsStarting, 0);
  jpeg_CreateDecompress(&job->Info, JPEG_LIB_VERSION, sizeof(jpeg_decompress_struct));
  job->Info.progress = &context.Progress;
  AttachSource(job->Info, job->Source, data);
  RunDecompression(*job);
  jpeg_destroy_decompress(&job->Info);
  Notify(progress, jpsEnding, 100);
}

}  // namespace fw
