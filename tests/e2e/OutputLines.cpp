#include "tests/e2e/OutputLines.h"

#include <chrono>

namespace tovu::e2e {

std::optional<std::string> TLineReader::Next() {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (FBuffer.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
    FBuffer += FProcess.ReadOutput(std::chrono::milliseconds(100));
    if (FProcess.Wait(std::chrono::milliseconds(0))) {
      FBuffer += FProcess.ReadOutput(std::chrono::milliseconds(100));
      break;
    }
  }
  const std::size_t end = FBuffer.find('\n');
  if (end == std::string::npos) return std::nullopt;
  std::string line = FBuffer.substr(0, end);
  FBuffer.erase(0, end + 1);
  return line;
}

}  // namespace tovu::e2e
