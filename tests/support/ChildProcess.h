// Programs started by the tests and the benchmarks with an argument vector (never through a
// shell), their output read back through a pipe, sent to a file or left where this process's goes.
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tovu {

// The strings as the null-terminated array of pointers that the exec and spawn calls take; the
// strings must outlive it.
std::vector<char*> ExecPointers(std::vector<std::string>& strings);
// This process's environment with `extra` ("NAME=value") added, replacing entries of those names.
std::vector<std::string> EnvironmentWith(const std::vector<std::string>& extra);

enum TOutputKind {
  okInherited,  // where this process's output goes
  okPipe,       // into a pipe that TChildProcess::ReadOutput reads
  okFile,       // into a file, created or emptied
};

// Where a started program's standard output goes, and its standard error with it when `Errors`
// is set (otherwise that goes where this process's goes).
struct TChildOutput {
  TOutputKind Kind = okInherited;
  std::string Path;  // the file, for okFile
  bool Errors = false;
};

// A started program, killed and reaped when the object goes, on every path.
class TChildProcess {
 public:
  // Starts `arguments[0]` (looked up on PATH) with `extraEnvironment` added to this process's.
  TChildProcess(const std::vector<std::string>& arguments,
                const std::vector<std::string>& extraEnvironment, const TChildOutput& output);
  // The same with standard output captured in a pipe when `captureOutput` is set, standard error
  // with it when `captureErrors` is also set.
  TChildProcess(const std::vector<std::string>& arguments,
                const std::vector<std::string>& extraEnvironment, bool captureOutput,
                bool captureErrors = false);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return FPid > 0; }
  pid_t Pid() const { return FPid; }
  // The exit status (128 + the signal for a program a signal ended) once the program has ended
  // within `timeout`; none if it still runs.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // Waits for the end however long it takes; the exit status as Wait gives it, with the
  // program's resource use in `usage` when asked for, or none when it was not started.
  std::optional<int> WaitForEnd(rusage* usage = nullptr);
  // Reads what the program wrote so far (without waiting longer than `timeout` for more).
  std::string ReadOutput(std::chrono::milliseconds timeout);
  void Kill();

 private:
  void NoteEnd(int status);

  pid_t FPid = -1;
  int FOutput = -1;
  std::optional<int> FStatus;
};

// Runs a program to its end with its output and errors sent to /dev/null, traced so that it stops
// once as it ends, and answers its peak resident memory in KiB: the kernel's high-water mark of
// the program's own memory (wait4's figure would also count this process's, which a child
// carries until it starts the program). 0 unless it ended with status 0, or when the machine
// allows no tracing.
long PeakResidentKibOfProgram(std::vector<std::string> arguments,
                              const std::vector<std::string>& extraEnvironment);

// Runs a program to its end (at most `timeout`) and answers its standard output; none on failure.
std::optional<std::string> RunAndCapture(const std::vector<std::string>& arguments,
                                         const std::vector<std::string>& extraEnvironment,
                                         std::chrono::milliseconds timeout);

}  // namespace tovu
