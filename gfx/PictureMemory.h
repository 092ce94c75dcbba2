// Advice for the memory of a large picture that is about to be filled front to back: the kernel
// may back it with large pages, so that filling it takes a few hundred page faults fewer per
// megabyte. Only a hint; the pixels are the same either way.
#pragma once

#include <cstddef>

namespace fw {

// Asks for large pages for the whole 2 MiB blocks inside [Memory, Memory + Bytes) that nothing
// has touched yet. Does nothing where the system has no such advice.
void AdviseLargePages(void* Memory, std::size_t Bytes);

}  // namespace fw
