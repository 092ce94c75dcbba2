#include "app/InformationPage.h"

namespace app {

std::string InformationAddress(const std::string& executablePath,
                               const fw::TPathDelimiters& delimiters) {
  const std::string programName =
      fw::ChangeFileExt(fw::ExtractFileName(executablePath, delimiters), "", delimiters);
  return std::string("http://") + InformationHost + "/info.php?pf=w&sn=" + programName;
}

}  // namespace app
