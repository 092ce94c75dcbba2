// A program started for a test with an argument vector (never through a shell), optionally with
// its standard output read back; it is killed and reaped when the object goes, on every path.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace tovu::e2e {

class TChildProcess {
 public:
  // Starts `arguments[0]` (looked up on PATH) with `extraEnvironment` ("NAME=value") added.
  // Standard output is captured when `captureOutput` is set, standard error with it when
  // `captureErrors` is also set (otherwise it goes where the test's own goes).
  TChildProcess(const std::vector<std::string>& arguments,
                const std::vector<std::string>& extraEnvironment, bool captureOutput,
                bool captureErrors = false);
  ~TChildProcess();
  TChildProcess(const TChildProcess&) = delete;
  TChildProcess& operator=(const TChildProcess&) = delete;

  bool Started() const { return FPid > 0; }
  pid_t Pid() const { return FPid; }
  // The exit status once the program has ended within `timeout`; none if it still runs.
  std::optional<int> Wait(std::chrono::milliseconds timeout);
  // Reads what the program wrote so far (without waiting longer than `timeout` for more).
  std::string ReadOutput(std::chrono::milliseconds timeout);
  void Kill();

 private:
  pid_t FPid = -1;
  int FOutput = -1;
  std::optional<int> FStatus;
};

// Runs a program to its end (at most `timeout`) and answers its standard output; none on failure.
std::optional<std::string> RunAndCapture(const std::vector<std::string>& arguments,
                                         const std::vector<std::string>& extraEnvironment,
                                         std::chrono::milliseconds timeout);

}  // namespace tovu::e2e
