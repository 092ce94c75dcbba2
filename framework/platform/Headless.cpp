#include "framework/platform/Headless.h"

#include "framework/platform/windowing/Runtime.h"

namespace win {

bool IsHeadless() {
  return wnd::Runtime().Backend().IsHeadless();
}

int AnswerUnattendedDialog(LPCSTR caption, LPCSTR text) {
  return wnd::Runtime().Backend().AnswerDialog(caption ? caption : "", text ? text : "");
}

}  // namespace win
