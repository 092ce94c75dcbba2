// Looks of controls as form-render pictures them, compared with golden pictures: the number of
// differing pixels with the first few listed, and test names made from the goldens' names.
#pragma once

#include <string>
#include <vector>

#include "tools/formrender/FormRender.h"

namespace controls::testing {

// Pictures the description (a path under tests/data) after the pointer steps and counts the
// pixels that differ from the golden (also under tests/data); -1 for another size.
long DifferencesFromGolden(const std::string& Description,
                           const std::vector<tovu::formrender::TAction>& Actions,
                           const std::string& Golden, std::string& Detail);

// A test name from a golden's path: the file name's stem, '-' turned into '_'.
std::string GoldenTestName(const std::string& Golden);

}  // namespace controls::testing
