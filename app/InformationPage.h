// The maker's information page: its address, built from the executable's name, and the request
// to the shell to open it.
#pragma once

#include <string>

#include "framework/FilePaths.h"

namespace app {

// Host of the information page (ours to choose; a documentation domain until one is registered).
inline constexpr const char* InformationHost = "tovu.example.com";

// "http://" + host + "/info.php?pf=w&sn=" + the executable's file name without its extension.
std::string InformationAddress(
    const std::string& executablePath,
    const fw::TPathDelimiters& delimiters = fw::PlatformPathDelimiters());

}  // namespace app
