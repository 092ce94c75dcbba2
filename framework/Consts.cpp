#include "framework/Consts.h"

#include "framework/platform/CodePageConversion.h"

namespace fw {

std::string LoadResString(const TResString& entry) {
  return win::FromUtf8(entry.Utf8);
}

}  // namespace fw
