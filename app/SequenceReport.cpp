#include "app/SequenceReport.h"

#include <algorithm>

#include "framework/FilePaths.h"
#include "framework/platform/CodePageConversion.h"

namespace app {
namespace {

std::string Headline(int total, int saved) {
  if (saved == total)
    return std::to_string(total) + win::FromUtf8(" 枚の画像をTovuザビロナ形式で保存しました。");
  return std::to_string(total) + win::FromUtf8(" 枚の画像のうち ") + std::to_string(saved) +
         win::FromUtf8(" 枚をTovuザビロナ形式で保存しました。");
}

std::string Line(const TPictureOutcome& outcome) {
  if (outcome.Saved()) {
    return fw::ExtractFileName(outcome.Output) + win::FromUtf8("（") +
           std::to_string(outcome.Width) + " x " + std::to_string(outcome.Height) +
           win::FromUtf8("）");
  }
  return fw::ExtractFileName(outcome.Source) + win::FromUtf8(" は保存できませんでした（") +
         outcome.Failure + win::FromUtf8("）");
}

// Which pictures the report names: those that failed, then those saved, as long as there is
// room.
std::vector<bool> NamedPictures(const std::vector<TPictureOutcome>& outcomes) {
  std::vector<bool> named(outcomes.size(), false);
  int room = MaxReportedPictures;
  for (const bool savedOnes : {false, true}) {
    for (std::size_t i = 0; i < outcomes.size() && room > 0; ++i) {
      if (outcomes[i].Saved() != savedOnes) continue;
      named[i] = true;
      --room;
    }
  }
  return named;
}

}  // namespace

std::string SequenceReport(const std::vector<TPictureOutcome>& outcomes) {
  const int total = int(outcomes.size());
  const int saved = int(std::count_if(outcomes.begin(), outcomes.end(),
                                      [](const TPictureOutcome& o) { return o.Saved(); }));
  std::vector<std::string> lines{Headline(total, saved)};
  const std::vector<bool> named = NamedPictures(outcomes);
  int savedUnnamed = 0;
  int failedUnnamed = 0;
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    if (named[i]) {
      lines.push_back(Line(outcomes[i]));
    } else {
      ++(outcomes[i].Saved() ? savedUnnamed : failedUnnamed);
    }
  }
  if (savedUnnamed > 0) {
    lines.push_back(win::FromUtf8("ほか ") + std::to_string(savedUnnamed) +
                    win::FromUtf8(" 枚を保存しました。"));
  }
  if (failedUnnamed > 0) {
    lines.push_back(win::FromUtf8("ほか ") + std::to_string(failedUnnamed) +
                    win::FromUtf8(" 枚は保存できませんでした。"));
  }
  std::string report;
  for (const std::string& line : lines) {
    if (!report.empty()) report += '\n';
    report += line;
  }
  return report;
}

}  // namespace app
