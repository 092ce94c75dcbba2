// What a run of several pictures reports at its end: every picture saved with its size and every
// one that was not with the reason, in one size report instead of one per picture.
#pragma once

#include <string>
#include <vector>

namespace app {

// How one of several pictures ended.
struct TPictureOutcome {
  std::string Source;  // the picture's path
  std::string Output;  // the saved file's path; empty when nothing was saved
  int Width = 0;       // the saved picture's size
  int Height = 0;
  std::string Failure;  // why nothing was saved: the error's message or the refusal's reason
  bool Saved() const { return !Output.empty(); }
};

// The report names this many pictures at the most, those that failed first, and counts the
// others in a closing line, so that the dialog stays within the screen.
inline constexpr int MaxReportedPictures = 20;

// The size report of the run, in the process code page: a headline with the counts, then one
// line per named picture in the order given (the saved file's name and size, or the source's
// name and why it was not saved).
std::string SequenceReport(const std::vector<TPictureOutcome>& outcomes);

}  // namespace app
