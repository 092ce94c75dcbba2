// Writing a whole file so that it either appears complete or not at all: the bytes go into a
// temporary file beside the target, which then takes the target's name in one step. Where the
// folder lets nobody create that file, an existing regular file there is written over in place.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace fw {

// Writes `Bytes` as the file `FileName`, replacing an existing file only once every byte is on
// disk; the new file keeps the permission bits of a regular file it replaces (not those of a
// link's target, and never set-user-ID, set-group-ID or sticky). A signal that ends the program
// meanwhile (SIGTERM, SIGINT, SIGQUIT, SIGPIPE, ...) removes the temporary file before the
// program ends by it. When the folder refuses the temporary file but an existing regular file at
// `FileName` (not a link) may be read and written, the bytes are written over it in place, and a
// failing write leaves it with its earlier bytes. A file that cannot be created there (missing
// or read-only folder without such a target, a read-only or busy target, a folder of that name)
// raises EFCreateError naming `FileName`; a failing write (a full disk, the file-size limit)
// raises EWriteError. On failure nothing at `FileName` has changed (unless a file written over in
// place refuses even its earlier bytes back) and no temporary file remains.
void WriteFileReplacing(const std::string& FileName, std::span<const std::uint8_t> Bytes);

}  // namespace fw
