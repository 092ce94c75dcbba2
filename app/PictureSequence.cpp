#include "app/PictureSequence.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <utility>

#include "app/Mainwindow1.h"
#include "app/OutputPath.h"
#include "app/PicturePath.h"
#include "app/SequenceReport.h"
#include "framework/Dialogs.h"
#include "framework/Picture.h"
#include "framework/platform/Process.h"

namespace app {
namespace {

bool HoldsPicture(const TMainForm1& form) {
  const fw::TPicture* picture = form.Image2->Picture();
  return picture->Width() > 0 && picture->Height() > 0;
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

// The pictures' windows one at a time. The errors the framework would report in a dialog are
// kept for the picture at hand instead, to be named in the final report.
class TPictureSequence {
 public:
  explicit TPictureSequence(fw::TApplication& application)
      : FApplication(application), FReportedBefore(application.OnException) {
    application.OnException = [this](fw::TObject*, const fw::Exception& e) {
      if (FError.empty()) FError = e.Message();
    };
  }
  ~TPictureSequence() { FApplication.OnException = FReportedBefore; }
  TPictureSequence(const TPictureSequence&) = delete;
  TPictureSequence& operator=(const TPictureSequence&) = delete;

  // Frames one picture and tells how it went; none when its window was closed before it arrived.
  std::optional<TPictureOutcome> Frame(const std::string& path) {
    FError.clear();
    const std::unique_ptr<TMainForm1> form = CreateWindowFor(path);
    if (HoldsPicture(*form) && FError.empty()) {
      RunUntilDone(*form);
      if (!form->Arrived() && FError.empty()) return std::nullopt;
    }
    TPictureOutcome outcome = OutcomeOf(*form, path, FError);
    SayOutcome(outcome, *form);
    return outcome;
  }

 private:
  // A fresh window for each picture, created as the application creates its one window (its
  // layout loaded, its edge chosen from the minute at this moment, then its creation handler),
  // so that nothing of an earlier picture's window can reach this picture's capture.
  std::unique_ptr<TMainForm1> CreateWindowFor(const std::string& path) {
    std::unique_ptr<TMainForm1> form(fw::NewComponent<TMainForm1>(&FApplication, path));
    form->AfterConstruction();
    return form;
  }

  // Shows the window and handles messages until it has arrived and tried to save, has been
  // closed, or an error has come up.
  void RunUntilDone(TMainForm1& form) {
    try {
      form.SetVisible(true);
    } catch (...) {
      FApplication.HandleException(&FApplication);
    }
    while (!form.Arrived() && form.Visible() && FError.empty() && !FApplication.Terminated()) {
      try {
        FApplication.HandleMessage();
      } catch (...) {
        FApplication.HandleException(&FApplication);
      }
    }
  }

  fw::TApplication& FApplication;
  const fw::TExceptionEvent FReportedBefore;
  std::string FError;
};

}  // namespace

int FramePictures(fw::TApplication& application, const std::vector<std::string>& paths) {
  std::vector<TPictureOutcome> outcomes;
  {
    TPictureSequence sequence(application);
    for (const std::string& path : paths) {
      std::optional<TPictureOutcome> outcome = sequence.Frame(path);
      if (!outcome) {
        std::fprintf(stderr,
                     "tovu: the window was closed; %d of %d pictures saved, the others are not "
                     "framed\n",
                     SavedCount(outcomes), int(paths.size()));
        return 1;
      }
      outcomes.push_back(std::move(*outcome));
    }
  }
  const bool allSaved = SavedCount(outcomes) == int(outcomes.size());
  // Every picture is saved: should the display go away from here on, the run still succeeded.
  if (allSaved) win::SetExitCodeOnDisplayLoss(0);
  fw::ShowMessage(SequenceReport(outcomes));
  return allSaved ? 0 : 1;
}

}  // namespace app
