// Writing a whole file so that it either appears complete or not at all: the bytes go into a
// temporary file beside the target, which then takes the target's name in one step.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fw {

// Writes `Bytes` as the file `FileName`, replacing an existing file only once every byte is on
// disk. A file that cannot be created there (missing or read-only folder, a read-only or busy
// target, a folder of that name) raises EFCreateError naming `FileName`; a failing write raises
// EWriteError. On failure nothing at `FileName` has changed and no temporary file remains.
void WriteFileReplacing(const std::string& FileName, std::span<const std::uint8_t> Bytes);

}  // namespace fw
