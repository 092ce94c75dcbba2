// The program's whole job, headless: build/bin/tovu started on a copy of a 12- or 24-megapixel
// camera-like JPEG and of a 1000 x 700 and a 4000 x 3000 BMP, against the floor in the same run,
// `djpeg -dct float` decoding the same JPEG to /dev/null. Both are started the same way (an
// argument vector, no shell) and timed on the wall clock from start to end. The program's peak
// resident memory is read in one more run of its own, from the kernel's high-water mark of the
// program's memory just before it ends (wait4's figure would also count this benchmark's memory,
// which a child carries until it starts the program), and set against the decoded picture (width *
// height * 3 bytes).
//
// Counters: tovu_ms and floor_ms are the fastest runs of each (the machine is shared, and the
// fastest run is the one least disturbed), ratio their quotient; tovu_cpu_ms, floor_cpu_ms and
// cpu_ratio the same for processor time (user and system), which other processes on the machine
// disturb less; peak_mib is tovu's peak and memory_ratio that peak over the decoded picture;
// above_start_mib the peak beyond that of a run without a picture. BM_StartupHeadless runs the
// program without a picture (its two dialogs answered at once): the fixed cost of starting, loading
// its libraries and ending, in time and memory. BM_SeveralPhotosHeadless frames fifty names of the
// 12-megapixel JPEG in one run and in fifty runs of one picture each, alternately, and reports the
// medians (one_run_s, separate_runs_s), their ratio, the time the one run saves per picture, and
// the peak memory of the one run against that of a run of one picture.
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "bench/gfx/PhotoPictures.h"
#include "tests/support/ChildProcess.h"

namespace {

namespace fs = std::filesystem;

struct TChildRun {
  double Seconds = 0;
  double CpuSeconds = 0;  // user and system time of the child
  int Status = -1;
};

// The setting the benchmark adds to the environment of every program it starts.
const std::vector<std::string> HeadlessEnvironment = {"TOVU_BACKEND=headless"};

// Starts the program (looked up on PATH) with the headless setting, its output and errors sent
// to /dev/null, waits for its end and answers its wall time, processor time and exit status;
// none if it could not start.
std::optional<TChildRun> RunProgram(const std::vector<std::string>& arguments) {
  const auto start = std::chrono::steady_clock::now();
  tovu::TChildProcess program(arguments, HeadlessEnvironment,
                              tovu::TChildOutput{tovu::okFile, "/dev/null", true});
  rusage usage{};
  const std::optional<int> status = program.WaitForEnd(&usage);
  if (!status) return std::nullopt;
  TChildRun run;
  run.Seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.CpuSeconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                   double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
  run.Status = *status;
  return run;
}

// The program's peak resident memory, headless; 0 when unknown.
long PeakOfProgramKib(const std::vector<std::string>& arguments) {
  return tovu::PeakResidentKibOfProgram(arguments, HeadlessEnvironment);
}

// The peak of a run without a picture, measured once.
long StartPeakKib() {
  static const long peak = PeakOfProgramKib({TOVU_PROGRAM});
  return peak;
}

// A folder of its own for the pictures, removed at the end of the run.
class TBenchFolder {
 public:
  TBenchFolder() {
    char pattern[] = "/tmp/tovu-main-bench-XXXXXX";
    if (mkdtemp(pattern)) FPath = pattern;
  }
  ~TBenchFolder() {
    std::error_code ignored;
    if (!FPath.empty()) fs::remove_all(FPath, ignored);
  }
  TBenchFolder(const TBenchFolder&) = delete;
  TBenchFolder& operator=(const TBenchFolder&) = delete;
  const fs::path& Path() const { return FPath; }

 private:
  fs::path FPath;
};

TBenchFolder& Folder() {
  static TBenchFolder folder;
  return folder;
}

struct TSource {
  const char* Name;
  int Width;
  int Height;
  bool Jpeg;
};

const TSource Sources[] = {
    {"photo12.jpg", 4000, 3000, true},
    {"photo24.jpg", 6000, 4000, true},
    {"photo.bmp", 1000, 700, false},
    // The same picture size as the 12-megapixel JPEG, where the picture outweighs the fixed cost.
    {"photo12.bmp", 4000, 3000, false},
};

// Writes the source into the bench folder the first time it is asked for.
fs::path SourceFile(const TSource& source) {
  const fs::path path = Folder().Path() / source.Name;
  if (!fs::exists(path)) {
    const std::vector<std::uint8_t> bytes = source.Jpeg
                                                ? bench::MakePhotoJpeg(source.Width, source.Height)
                                                : bench::MakePhotoBmp(source.Width, source.Height);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  }
  return path;
}

void BM_MainJobHeadless(benchmark::State& state) {
  const TSource& source = Sources[state.range(0)];
  state.SetLabel(std::string(source.Name) + " " + std::to_string(source.Width) + "x" +
                 std::to_string(source.Height));
  if (Folder().Path().empty()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const fs::path picture = SourceFile(source);
  const fs::path saved =
      picture.parent_path() / ("Tovuザビロナ ～ " + picture.stem().string() + ".jpg");
  double bestTovu = 1e9;
  double bestFloor = 1e9;
  double bestTovuCpu = 1e9;
  double bestFloorCpu = 1e9;
  for (auto _ : state) {
    fs::remove(saved);
    const auto tovu = RunProgram({TOVU_PROGRAM, picture.string()});
    if (!tovu || tovu->Status != 0 || !fs::exists(saved)) {
      state.SkipWithError("tovu did not save the framed picture");
      return;
    }
    state.SetIterationTime(tovu->Seconds);
    bestTovu = std::min(bestTovu, tovu->Seconds);
    bestTovuCpu = std::min(bestTovuCpu, tovu->CpuSeconds);
    if (source.Jpeg) {
      const auto floor =
          RunProgram({"djpeg", "-dct", "float", "-outfile", "/dev/null", picture.string()});
      if (!floor || floor->Status != 0) {
        state.SkipWithError("djpeg could not decode the picture");
        return;
      }
      bestFloor = std::min(bestFloor, floor->Seconds);
      bestFloorCpu = std::min(bestFloorCpu, floor->CpuSeconds);
    }
  }
  const double decodedBytes = double(source.Width) * double(source.Height) * 3;
  state.counters["tovu_ms"] = bestTovu * 1e3;
  state.counters["tovu_cpu_ms"] = bestTovuCpu * 1e3;
  if (source.Jpeg) {
    state.counters["floor_ms"] = bestFloor * 1e3;
    state.counters["ratio"] = bestTovu / bestFloor;
    state.counters["floor_cpu_ms"] = bestFloorCpu * 1e3;
    state.counters["cpu_ratio"] = bestTovuCpu / bestFloorCpu;
  }
  fs::remove(saved);
  const long peakKib = PeakOfProgramKib({TOVU_PROGRAM, picture.string()});
  if (peakKib > 0) {
    state.counters["peak_mib"] = double(peakKib) / 1024;
    state.counters["memory_ratio"] = double(peakKib) * 1024 / decodedBytes;
    state.counters["above_start_mib"] = double(peakKib - StartPeakKib()) / 1024;
  }
}
BENCHMARK(BM_MainJobHeadless)
    ->DenseRange(0, 3)
    ->UseManualTime()
    ->Iterations(8)
    ->Unit(benchmark::kMillisecond);

void BM_StartupHeadless(benchmark::State& state) {
  if (Folder().Path().empty()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  double best = 1e9;
  double bestCpu = 1e9;
  for (auto _ : state) {
    const auto tovu = RunProgram({TOVU_PROGRAM});
    if (!tovu || tovu->Status != 0) {
      state.SkipWithError("tovu did not end with status 0");
      return;
    }
    state.SetIterationTime(tovu->Seconds);
    best = std::min(best, tovu->Seconds);
    bestCpu = std::min(bestCpu, tovu->CpuSeconds);
  }
  state.counters["tovu_ms"] = best * 1e3;
  state.counters["tovu_cpu_ms"] = bestCpu * 1e3;
  if (StartPeakKib() > 0) state.counters["peak_mib"] = double(StartPeakKib()) / 1024;
}
BENCHMARK(BM_StartupHeadless)->UseManualTime()->Iterations(8)->Unit(benchmark::kMillisecond);

// Many pictures framed in one run against a run per picture: the one run saves the start-up and
// ending of each further program. The runs of both kinds alternate, which comes first changing
// every round, so that a change in the machine's load meets both; their medians are reported.
constexpr int SeveralPhotos = 50;

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

void BM_SeveralPhotosHeadless(benchmark::State& state) {
  const TSource& source = Sources[0];
  state.SetLabel(std::to_string(SeveralPhotos) + " x " + source.Name);
  if (Folder().Path().empty()) {
    state.SkipWithError("no temporary folder");
    return;
  }
  // Names of their own for one file: the folder takes no more room for fifty.
  const fs::path picture = SourceFile(source);
  const fs::path folder = Folder().Path() / "several";
  fs::create_directories(folder);
  std::vector<std::string> oneRun{TOVU_PROGRAM};
  for (int i = 1; i <= SeveralPhotos; ++i) {
    const fs::path name = folder / ("photo" + std::to_string(i) + ".jpg");
    if (!fs::exists(name)) fs::create_hard_link(picture, name);
    oneRun.push_back(name.string());
  }
  std::vector<double> oneRunSeconds;
  std::vector<double> separateSeconds;
  std::vector<double> oneRunCpu;
  std::vector<double> separateCpu;
  bool oneRunFirst = true;
  for (auto _ : state) {
    for (int kind = 0; kind < 2; ++kind) {
      if ((kind == 0) == oneRunFirst) {
        const auto run = RunProgram(oneRun);
        if (!run || run->Status != 0) {
          state.SkipWithError("tovu did not save every picture");
          return;
        }
        oneRunSeconds.push_back(run->Seconds);
        oneRunCpu.push_back(run->CpuSeconds);
      } else {
        double seconds = 0;
        double cpu = 0;
        for (std::size_t i = 1; i < oneRun.size(); ++i) {
          const auto run = RunProgram({TOVU_PROGRAM, oneRun[i]});
          if (!run || run->Status != 0) {
            state.SkipWithError("tovu did not save the picture");
            return;
          }
          seconds += run->Seconds;
          cpu += run->CpuSeconds;
        }
        separateSeconds.push_back(seconds);
        separateCpu.push_back(cpu);
      }
    }
    state.SetIterationTime(oneRunSeconds.back());
    oneRunFirst = !oneRunFirst;
  }
  const double one = Median(oneRunSeconds);
  const double separate = Median(separateSeconds);
  state.counters["one_run_s"] = one;
  state.counters["separate_runs_s"] = separate;
  state.counters["ratio"] = one / separate;
  state.counters["saved_per_picture_ms"] = (separate - one) / SeveralPhotos * 1e3;
  state.counters["one_run_cpu_s"] = Median(oneRunCpu);
  state.counters["separate_runs_cpu_s"] = Median(separateCpu);
  state.counters["cpu_ratio"] = Median(oneRunCpu) / Median(separateCpu);
  // Fifty pictures in one run hold no more memory at their peak than one picture's run.
  const long onePeakKib = PeakOfProgramKib({TOVU_PROGRAM, oneRun[1]});
  const long severalPeakKib = PeakOfProgramKib(oneRun);
  if (onePeakKib > 0 && severalPeakKib > 0) {
    state.counters["one_picture_peak_mib"] = double(onePeakKib) / 1024;
    state.counters["one_run_peak_mib"] = double(severalPeakKib) / 1024;
  }
}
BENCHMARK(BM_SeveralPhotosHeadless)->UseManualTime()->Iterations(5)->Unit(benchmark::kSecond);

}  // namespace
