// Where the framed picture is saved and what the size report says: the source's folder, the
// prefix "Tovuザビロナ ～ ", the source's name with ".jpg" for its extension.
#pragma once

#include <string>

#include "framework/FilePaths.h"

namespace app {

// The file-name prefix in the process code page.
std::string OutputPrefix();

// The output path for the joined picture path (which ends with one space).
std::string OutputPathFor(const std::string& filePath,
                          const fw::TPathDelimiters& delimiters = fw::PlatformPathDelimiters());

// "W x H のTovuザビロナ形式で保存しました。" in the process code page.
std::string SizeReport(int clientWidth, int clientHeight);

}  // namespace app
