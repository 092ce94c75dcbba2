#include "app/OutputPath.h"

#include "framework/platform/CodePageConversion.h"

namespace app {

std::string OutputPrefix() {
  return win::FromUtf8("Tovuザビロナ ～ ");
}

std::string OutputPathFor(const std::string& filePath, const fw::TPathDelimiters& delimiters) {
  const std::string renamed = fw::ChangeFileExt(filePath, ".jpg", delimiters);
  return fw::ExtractFilePath(filePath, delimiters) + OutputPrefix() +
         fw::ExtractFileName(renamed, delimiters);
}

std::string SizeReport(int clientWidth, int clientHeight) {
  return std::to_string(clientWidth) + " x " + std::to_string(clientHeight) +
         win::FromUtf8(" のTovuザビロナ形式で保存しました。");
}

}  // namespace app
