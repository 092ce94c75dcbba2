// A demo's standard output read line by line while it runs, each line waited for at most 30 s.
#pragma once

#include <optional>
#include <string>

#include "tests/support/ChildProcess.h"

namespace tovu::e2e {

class TLineReader {
 public:
  explicit TLineReader(TChildProcess& process) : FProcess(process) {}
  // The next line without its end; none when the program ended or stayed silent for 30 s.
  std::optional<std::string> Next();

 private:
  TChildProcess& FProcess;
  std::string FBuffer;
};

}  // namespace tovu::e2e
