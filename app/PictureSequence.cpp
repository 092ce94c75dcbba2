#include "app/PictureSequence.h"

#include <cstdio>
#include <memory>

#include "app/Mainwindow1.h"
#include "app/OutputPath.h"
#include "app/PicturePath.h"
#include "app/SequenceReport.h"
#include "framework/Dialogs.h"
#include "framework/Picture.h"
#include "framework/ScopeExit.h"
#include "framework/platform/Process.h"

namespace app {
namespace {

// A fresh window for each picture, created as the application creates its one window (its layout
// loaded, its edge chosen from the minute at this moment, then its creation handler), so that
// nothing of an earlier picture's window can reach this picture's capture.
std::unique_ptr<TMainForm1> CreateWindowFor(fw::TApplication& application,
                                            const std::string& path) {
  std::unique_ptr<TMainForm1> form(fw::NewComponent<TMainForm1>(&application, path));
  form->AfterConstruction();
  return form;
}

bool HoldsPicture(const TMainForm1& form) {
  const fw::TPicture* picture = form.Image2->Picture();
  return picture->Width() > 0 && picture->Height() > 0;
}

// Shows the window and handles messages until it has arrived and tried to save, has been closed,
// or an error has come up that would otherwise have been reported in a dialog of its own.
void RunUntilDone(fw::TApplication& application, TMainForm1& form, const std::string& error) {
  try {
    form.SetVisible(true);
  } catch (...) {
    application.HandleException(&application);
  }
  while (!form.Arrived() && form.Visible() && error.empty() && !application.Terminated()) {
    try {
      application.HandleMessage();
    } catch (...) {
      application.HandleException(&application);
    }
  }
}

TPictureOutcome OutcomeOf(const TMainForm1& form, const std::string& path,
                          const std::string& error) {
  TPictureOutcome outcome;
  outcome.Source = path;
  if (form.Saved()) {
    outcome.Output = OutputPathFor(form.FilePath());
    outcome.Width = form.ClientWidth();
    outcome.Height = form.ClientHeight();
  } else {
    outcome.Failure = error.empty() ? form.Refusal() : error;
  }
  return outcome;
}

// One line on standard error per picture. A refused picture has had its line from its window.
void SayOutcome(const TPictureOutcome& outcome, const TMainForm1& form) {
  if (outcome.Saved()) {
    std::fprintf(stderr, "tovu: %s: saved as %s (%d x %d)\n", outcome.Source.c_str(),
                 outcome.Output.c_str(), outcome.Width, outcome.Height);
  } else if (form.Refusal().empty()) {
    SayWhyNothingIsFramed(outcome.Source, outcome.Failure);
  }
}

int SavedCount(const std::vector<TPictureOutcome>& outcomes) {
  int saved = 0;
  for (const TPictureOutcome& outcome : outcomes)
    saved += outcome.Saved() ? 1 : 0;
  return saved;
}

}  // namespace

int FramePictures(fw::TApplication& application, const std::vector<std::string>& paths) {
  // The errors the framework would report in a dialog are kept for the picture at hand instead.
  std::string error;
  const fw::TExceptionEvent reportedBefore = application.OnException;
  application.OnException = [&error](fw::TObject*, const fw::Exception& e) {
    if (error.empty()) error = e.Message();
  };
  const fw::TScopeExit restore([&] { application.OnException = reportedBefore; });

  std::vector<TPictureOutcome> outcomes;
  for (const std::string& path : paths) {
    error.clear();
    const std::unique_ptr<TMainForm1> form = CreateWindowFor(application, path);
    const bool framing = HoldsPicture(*form) && error.empty();
    if (framing) RunUntilDone(application, *form, error);
    if (framing && !form->Arrived() && error.empty()) {
      std::fprintf(stderr,
                   "tovu: the window was closed; %d of %zu pictures saved, the others are "
                   "not framed\n",
                   SavedCount(outcomes), paths.size());
      return 1;
    }
    outcomes.push_back(OutcomeOf(*form, path, error));
    SayOutcome(outcomes.back(), *form);
  }
  const bool allSaved = SavedCount(outcomes) == int(outcomes.size());
  // Every picture is saved: should the display go away from here on, the run still succeeded.
  if (allSaved) win::SetExitCodeOnDisplayLoss(0);
  fw::ShowMessage(SequenceReport(outcomes));
  return allSaved ? 0 : 1;
}

}  // namespace app
