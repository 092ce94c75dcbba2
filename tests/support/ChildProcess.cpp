#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

namespace tovu {

std::vector<char*> ExecPointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (std::string& text : strings)
    pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::vector<std::string> EnvironmentWith(const std::vector<std::string>& extra) {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text(*entry);
    const std::string name = text.substr(0, text.find('='));
    bool replaced = false;
    for (const std::string& added : extra) {
      replaced = replaced || added.substr(0, added.find('=')) == name;
    }
    if (!replaced) environment.push_back(text);
  }
  environment.insert(environment.end(), extra.begin(), extra.end());
  return environment;
}

namespace {

// The spawn's redirections for `output`; answers the pipe's reading end for okPipe (-1 if none),
// and closes its writing end in this process once the program has it.
class TRedirection {
 public:
  explicit TRedirection(const TChildOutput& output) {
    posix_spawn_file_actions_init(&FActions);
    if (output.Kind == okPipe && pipe2(FPipe, O_CLOEXEC) == 0) {
      posix_spawn_file_actions_adddup2(&FActions, FPipe[1], STDOUT_FILENO);
      if (output.Errors) posix_spawn_file_actions_adddup2(&FActions, FPipe[1], STDERR_FILENO);
    } else if (output.Kind == okFile) {
      posix_spawn_file_actions_addopen(&FActions, STDOUT_FILENO, output.Path.c_str(),
                                       O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (output.Errors) posix_spawn_file_actions_adddup2(&FActions, STDOUT_FILENO, STDERR_FILENO);
    }
  }
  ~TRedirection() {
    posix_spawn_file_actions_destroy(&FActions);
    if (FPipe[1] >= 0) close(FPipe[1]);
    if (FPipe[0] >= 0) close(FPipe[0]);
  }
  TRedirection(const TRedirection&) = delete;
  TRedirection& operator=(const TRedirection&) = delete;

  const posix_spawn_file_actions_t* Actions() const { return &FActions; }
  // The pipe's reading end, handed on to the caller.
  int TakeReadingEnd() {
    const int end = FPipe[0];
    FPipe[0] = -1;
    return end;
  }

 private:
  posix_spawn_file_actions_t FActions;
  int FPipe[2] = {-1, -1};
};

}  // namespace

TChildProcess::TChildProcess(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& extraEnvironment,
                             const TChildOutput& output) {
  std::vector<std::string> argv = arguments;
  std::vector<std::string> envp = EnvironmentWith(extraEnvironment);
  std::vector<char*> argvPointers = ExecPointers(argv);
  std::vector<char*> envPointers = ExecPointers(envp);
  TRedirection redirection(output);
  if (posix_spawnp(&FPid, argv[0].c_str(), redirection.Actions(), nullptr, argvPointers.data(),
                   envPointers.data()) != 0) {
    FPid = -1;
  }
  FOutput = redirection.TakeReadingEnd();
}

TChildProcess::TChildProcess(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& extraEnvironment, bool captureOutput,
                             bool captureErrors)
    : TChildProcess(arguments, extraEnvironment,
                    TChildOutput{captureOutput ? okPipe : okInherited, "", captureErrors}) {}

TChildProcess::~TChildProcess() {
  Kill();
  if (FOutput >= 0) close(FOutput);
}

void TChildProcess::NoteEnd(int status) {
  FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::optional<int> TChildProcess::Wait(std::chrono::milliseconds timeout) {
  if (FStatus || FPid <= 0) return FStatus;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(FPid, &status, WNOHANG);
    if (done == FPid) {
      NoteEnd(status);
      return FStatus;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

std::optional<int> TChildProcess::WaitForEnd(rusage* usage) {
  if (FStatus || FPid <= 0) return FStatus;
  int status = 0;
  rusage ignored{};
  if (wait4(FPid, &status, 0, usage != nullptr ? usage : &ignored) == FPid) NoteEnd(status);
  return FStatus;
}

std::string TChildProcess::ReadOutput(std::chrono::milliseconds timeout) {
  std::string output;
  if (FOutput < 0) return output;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd entry{FOutput, POLLIN, 0};
    if (poll(&entry, 1, int(std::max<long long>(0, left.count()))) <= 0) break;
    char buffer[4096];
    const ssize_t count = read(FOutput, buffer, sizeof buffer);
    if (count <= 0) break;
    output.append(buffer, std::size_t(count));
    if (output.find('\n') != std::string::npos) break;
  }
  return output;
}

void TChildProcess::Kill() {
  if (FPid <= 0 || FStatus) return;
  kill(FPid, SIGTERM);
  if (!Wait(std::chrono::milliseconds(2000))) {
    kill(FPid, SIGKILL);
    Wait(std::chrono::milliseconds(2000));
  }
}

namespace {

// The kernel's high-water mark of resident memory of a stopped process, in KiB; 0 if unknown.
long HighWaterKib(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return 0;
}

}  // namespace

long PeakResidentKibOfProgram(std::vector<std::string> arguments,
                              const std::vector<std::string>& extraEnvironment) {
  std::vector<std::string> environment = EnvironmentWith(extraEnvironment);
  std::vector<char*> argv = ExecPointers(arguments);
  std::vector<char*> envp = ExecPointers(environment);
  const pid_t pid = fork();
  if (pid < 0) return 0;
  if (pid == 0) {
    // Only calls that are safe between fork and exec.
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(126);
    execvpe(argv[0], argv.data(), envp.data());
    _exit(127);
  }
  long peakKib = 0;
  int status = 0;
  bool optionsSet = false;
  while (waitpid(pid, &status, 0) == pid && WIFSTOPPED(status)) {
    int deliver = 0;
    if (!optionsSet) {
      // The stop at the program's start: from here on, stop once more at its end.
      ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
      optionsSet = true;
    } else if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
      peakKib = HighWaterKib(pid);
    } else {
      deliver = WSTOPSIG(status);
    }
    ptrace(PTRACE_CONT, pid, nullptr, reinterpret_cast<void*>(std::intptr_t(deliver)));
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? peakKib : 0;
}

std::optional<std::string> RunAndCapture(const std::vector<std::string>& arguments,
                                         const std::vector<std::string>& extraEnvironment,
                                         std::chrono::milliseconds timeout) {
  TChildProcess process(arguments, extraEnvironment, true);
  if (!process.Started()) return std::nullopt;
  std::string output;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (std::chrono::steady_clock::now() < deadline) {
    const std::string part = process.ReadOutput(std::chrono::milliseconds(100));
    output += part;
    if (const auto status = process.Wait(std::chrono::milliseconds(0))) {
      output += process.ReadOutput(std::chrono::milliseconds(50));
      if (*status != 0) return std::nullopt;
      return output;
    }
  }
  return std::nullopt;
}

}  // namespace tovu
