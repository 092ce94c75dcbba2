#include "tests/e2e/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <thread>

extern char** environ;

namespace tovu::e2e {

namespace {

std::vector<char*> Pointers(std::vector<std::string>& strings) {
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

}  // namespace

TChildProcess::TChildProcess(const std::vector<std::string>& arguments,
                             const std::vector<std::string>& extraEnvironment, bool captureOutput,
                             bool captureErrors) {
  std::vector<std::string> argv = arguments;
  std::vector<std::string> envp = EnvironmentWith(extraEnvironment);
  std::vector<char*> argvPointers = Pointers(argv);
  std::vector<char*> envPointers = Pointers(envp);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int pipeEnds[2] = {-1, -1};
  if (captureOutput && pipe2(pipeEnds, O_CLOEXEC) == 0) {
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    if (captureErrors) posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDERR_FILENO);
  }
  if (posix_spawnp(&FPid, argv[0].c_str(), &actions, nullptr, argvPointers.data(),
                   envPointers.data()) != 0) {
    FPid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  if (pipeEnds[1] >= 0) close(pipeEnds[1]);
  FOutput = pipeEnds[0];
}

TChildProcess::~TChildProcess() {
  Kill();
  if (FOutput >= 0) close(FOutput);
}

std::optional<int> TChildProcess::Wait(std::chrono::milliseconds timeout) {
  if (FStatus || FPid <= 0) return FStatus;
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    int status = 0;
    const pid_t done = waitpid(FPid, &status, WNOHANG);
    if (done == FPid) {
      FStatus = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      return FStatus;
    }
    if (done < 0 || std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
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

}  // namespace tovu::e2e
