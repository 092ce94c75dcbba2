// The demos' run: a form shown and announced with "shown" on standard output (the end-to-end
// tests wait for that line), then its messages handled until it closes or the application ends.
#pragma once

#include <cstdio>
#include <functional>

#include "framework/Application.h"
#include "framework/Form.h"

namespace demo {

// `afterShowing` runs between the showing and the announcement.
inline void RunShownForm(fw::TApplication& application, fw::TForm& form,
                         const std::function<void()>& afterShowing = {}) {
  form.Show();
  if (afterShowing) afterShowing();
  std::printf("shown\n");
  std::fflush(stdout);
  while (!application.Terminated() && form.Visible())
    application.HandleMessage();
}

}  // namespace demo
