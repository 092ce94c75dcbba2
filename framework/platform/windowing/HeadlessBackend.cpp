#include "framework/platform/windowing/HeadlessBackend.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "framework/platform/windowing/Runtime.h"

namespace win::wnd {

namespace {

constexpr std::int64_t MsPerDay = 86400000;

// Days since 1970-01-01 of a civil date (proleptic Gregorian calendar).
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const unsigned yoe = unsigned(year - era * 400);
  const unsigned doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + std::int64_t(doe) - 719468;
}

SYSTEMTIME CivilFromMs(std::int64_t ms) {
  std::int64_t days = ms / MsPerDay;
  std::int64_t rest = ms % MsPerDay;
  if (rest < 0) {
    rest += MsPerDay;
    --days;
  }
  const std::int64_t z = days + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned day = doy - (153 * mp + 2) / 5 + 1;
  const unsigned month = mp < 10 ? mp + 3 : mp - 9;
  const std::int64_t year = std::int64_t(yoe) + era * 400 + (month <= 2);
  SYSTEMTIME time;
  time.wYear = WORD(year);
  time.wMonth = WORD(month);
  time.wDay = WORD(day);
  time.wDayOfWeek = WORD(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  time.wHour = WORD(rest / 3600000);
  time.wMinute = WORD(rest / 60000 % 60);
  time.wSecond = WORD(rest / 1000 % 60);
  time.wMilliseconds = WORD(rest % 1000);
  return time;
}

std::int64_t LocalWallClockMs() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  const std::int64_t days =
      DaysFromCivil(local.tm_year + 1900, unsigned(local.tm_mon + 1), unsigned(local.tm_mday));
  return days * MsPerDay + std::int64_t(local.tm_hour) * 3600000 + local.tm_min * 60000 +
         local.tm_sec * 1000;
}

}  // namespace

THeadlessBackend::THeadlessBackend() : FLocalEpochMs(LocalWallClockMs()) {}

SYSTEMTIME THeadlessBackend::LocalTime() {
  return CivilFromMs(FLocalEpochMs + std::int64_t(FNow) - std::int64_t(FLocalBaseTick));
}

void THeadlessBackend::SetLocalTime(const SYSTEMTIME& time) {
  FLocalEpochMs = DaysFromCivil(time.wYear, time.wMonth, time.wDay) * MsPerDay +
                  std::int64_t(time.wHour) * 3600000 + std::int64_t(time.wMinute) * 60000 +
                  std::int64_t(time.wSecond) * 1000 + time.wMilliseconds;
  FLocalBaseTick = FNow;
}

bool THeadlessBackend::WaitForEvents(std::optional<std::uint64_t> dueMs) {
  if (FIdleHook && FIdleHook()) return true;
  if (!dueMs) return false;
  if (*dueMs > FNow) FNow = *dueMs;
  return true;
}

void THeadlessBackend::Beep(UINT type) {
  FBeeps.push_back(type);
  if (!FQuiet) std::fprintf(stderr, "tovu: beep (type %u)\n", type);
}

int THeadlessBackend::Open(const std::string& target) {
  FOpened.push_back(target);
  if (!FQuiet) std::fprintf(stderr, "tovu: open %s (headless: nothing opened)\n", target.c_str());
  return 42;
}

int THeadlessBackend::AnswerDialog(const std::string& caption, const std::string& text) {
  int answer = 0;
  if (!FDialogAnswers.empty()) {
    answer = FDialogAnswers.front();
    FDialogAnswers.pop_front();
  }
  FDialogs.push_back(TDialog{caption, text, answer});
  if (!FQuiet) {
    std::fprintf(stderr, "tovu: dialog \"%s\": %s -> %s\n", caption.c_str(), text.c_str(),
                 answer == 0 ? "Escape" : std::to_string(answer).c_str());
  }
  return answer;
}

std::optional<TTopLevelState> THeadlessBackend::TopLevelState(HWND topLevel) const {
  const auto found = FStates.find(topLevel);
  if (found == FStates.end()) return std::nullopt;
  return found->second;
}

std::optional<THeadlessBackend::TFramebufferCopy> THeadlessBackend::ReadFramebuffer(
    HWND topLevel) const {
  const TFramebuffer* framebuffer = Runtime().FramebufferOf(topLevel);
  if (!framebuffer) return std::nullopt;
  TFramebufferCopy copy;
  copy.FWidth = framebuffer->Width();
  copy.FHeight = framebuffer->Height();
  copy.FPixels.reserve(std::size_t(copy.FWidth) * std::size_t(copy.FHeight));
  for (LONG y = 0; y < copy.FHeight; ++y) {
    for (LONG x = 0; x < copy.FWidth; ++x)
      copy.FPixels.push_back(framebuffer->Pixel(x, y));
  }
  return copy;
}

THeadlessBackend& UseHeadlessBackend() {
  auto backend = std::make_unique<THeadlessBackend>();
  THeadlessBackend& result = *backend;
  Runtime().UseBackend(std::move(backend));
  return result;
}

}  // namespace win::wnd
