// The plain-program side of a fuzz target: replays the files and the files in the folders given
// on the command line through LLVMFuzzerTestOneInput, in name order; and the report of a finding.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fuzz {

// Returns the number of inputs replayed, or -1 when one cannot be read.
inline int ReplayInputs(int argc, char** argv) {
  namespace fs = std::filesystem;
  std::vector<fs::path> inputs;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg(argv[i]);
    if (fs::is_directory(arg)) {
      for (const auto& entry : fs::directory_iterator(arg))
        if (entry.is_regular_file()) inputs.push_back(entry.path());
    } else {
      inputs.push_back(arg);
    }
  }
  std::sort(inputs.begin(), inputs.end());
  for (const fs::path& input : inputs) {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "cannot read %s\n", input.c_str());
      return -1;
    }
    std::ostringstream content;
    content << file.rdbuf();
    const std::string bytes = content.str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }
  return int(inputs.size());
}

// Stops the run on a fault the target found, naming it.
[[noreturn]] inline void Finding(const char* what, const std::string& detail) {
  std::fprintf(stderr, "finding: %s\n%s\n", what, detail.c_str());
  std::abort();
}

// The plain program: replays its arguments and says how many of the inputs were `accepted`
// (counted by the target in `acceptedCount`); fails when there was nothing to replay.
inline int ReplayMain(int argc, char** argv, const int& acceptedCount, const char* accepted) {
  const int replayed = ReplayInputs(argc, argv);
  if (replayed < 0) return 1;
  std::printf("replayed %d inputs, %d of them %s\n", replayed, acceptedCount, accepted);
  return replayed == 0 ? 1 : 0;
}

}  // namespace fuzz
