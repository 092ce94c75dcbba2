#include "tools/formrender/FormRender.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string_view>

#include "controls/clear/ClearCtrl.h"
#include "controls/shine/ShineSpdBtn.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Picture.h"
#include "framework/Reader.h"
#include "framework/ScopeExit.h"
#include "framework/StandardControls.h"
#include "framework/TypeInfo.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/windowing/HeadlessBackend.h"
#include "framework/platform/windowing/InputInjection.h"
#include "framework/platform/windowing/Runtime.h"
#include "gfx/GfxUnits.h"

namespace tovu::formrender {

namespace {

namespace fs = std::filesystem;

// A file to load into a picture or graphic property once the form is read.
struct TFileProperty {
  std::string Component;
  std::vector<std::string> Path;
  std::string File;
  int Line = 0;
};

struct TPrepared {
  std::string Text;
  std::string RootClass;
  std::vector<TFileProperty> Files;
};

std::vector<std::string> Split(const std::string& dotted) {
  std::vector<std::string> parts;
  std::stringstream stream(dotted);
  for (std::string part; std::getline(stream, part, '.');)
    parts.push_back(part);
  return parts;
}

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool StartsWithWord(const std::string& text, const char* word) {
  const std::size_t n = std::strlen(word);
  return text.size() > n && text.compare(0, n, word) == 0 && (text[n] == ' ' || text[n] == '\t');
}

// "object Name: Class" (or inherited, inline): the name and the class.
bool ObjectLine(const std::string& line, std::string& name, std::string& cls) {
  if (!StartsWithWord(line, "object") && !StartsWithWord(line, "inherited") &&
      !StartsWithWord(line, "inline")) {
    return false;
  }
  const std::size_t colon = line.find(':');
  if (colon == std::string::npos) return false;
  name = Trimmed(line.substr(line.find_first_of(" \t"), colon - line.find_first_of(" \t")));
  cls = Trimmed(line.substr(colon + 1));
  return !name.empty() && !cls.empty();
}

// "Path.File = 'name'" with '' for a quote inside: the property path and the file name.
bool FileLine(const std::string& line, std::string& path, std::string& file) {
  const std::size_t equals = line.find('=');
  if (equals == std::string::npos) return false;
  const std::string left = Trimmed(line.substr(0, equals));
  const std::string right = Trimmed(line.substr(equals + 1));
  constexpr std::string_view suffix = ".File";
  if (left.size() <= suffix.size() ||
      left.compare(left.size() - suffix.size(), suffix.size(), suffix) != 0 || right.size() < 2 ||
      right.front() != '\'' || right.back() != '\'') {
    return false;
  }
  path = left.substr(0, left.size() - suffix.size());
  file.clear();
  for (std::size_t i = 1; i + 1 < right.size(); ++i) {
    file += right[i];
    if (right[i] == '\'' && right[i + 1] == '\'') ++i;
  }
  return true;
}

// Takes the `X.File = '...'` lines out of the description (leaving empty lines, so that errors
// still name the right line) and notes them.
TPrepared Prepare(const std::string& Text, const fs::path& Folder) {
  TPrepared prepared;
  std::vector<std::string> open;
  std::istringstream lines(Text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    const std::string trimmed = Trimmed(line);
    std::string name, cls, path, file;
    if (ObjectLine(trimmed, name, cls)) {
      if (open.empty() && prepared.RootClass.empty()) prepared.RootClass = cls;
      open.push_back(name);
    } else if (trimmed == "end") {
      if (!open.empty()) open.pop_back();
    } else if (!open.empty() && FileLine(trimmed, path, file)) {
      fs::path named(file);
      if (named.is_relative()) named = Folder / named;
      prepared.Files.push_back({open.back(), Split(path), named.string(), number});
      line.clear();
    }
    prepared.Text += line + "\n";
  }
  return prepared;
}

void LoadFileProperty(fw::TComponent& Root, const TFileProperty& Property) {
  fw::TPersistent* target =
      Root.Name() == Property.Component ? &Root : Root.FindComponent(Property.Component);
  if (target == nullptr)
    throw fw::EParserError("no component named " + Property.Component, Property.Line);
  for (const std::string& part : Property.Path) {
    const fw::TPropInfo* info = target->ClassType()->FindProperty(part);
    if (info == nullptr || info->Kind != fw::tkClass || !info->GetObject)
      throw fw::EParserError(part + " is not a picture property", Property.Line);
    target = info->GetObject(*target);
  }
  if (auto* picture = dynamic_cast<fw::TPicture*>(target)) {
    picture->LoadFromFile(Property.File);
  } else if (auto* graphic = dynamic_cast<fw::TGraphic*>(target)) {
    graphic->LoadFromFile(Property.File);
  } else {
    throw fw::EParserError("a file can only be loaded into a picture or a graphic", Property.Line);
  }
}

std::string ReadText(const std::string& Path) {
  std::ifstream in(Path, std::ios::binary);
  if (!in) throw fw::EFOpenError(fw::Exception::ResMessage(fw::SFOpenError, Path));
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void LetPendingWorkRun() {
  for (int round = 0; round < 3; ++round)
    fw::Application->ProcessMessages();
}

void Play(fw::TCustomForm& Form, const TAction& Action) {
  switch (Action.Kind) {
    case TAction::akMove:
      win::wnd::InjectPointerMove(Form.ClientToScreen(win::POINT{Action.X, Action.Y}));
      break;
    case TAction::akPress:
      win::wnd::InjectButton(win::VK_LBUTTON, true);
      break;
    case TAction::akRelease:
      win::wnd::InjectButton(win::VK_LBUTTON, false);
      break;
  }
  LetPendingWorkRun();
}

}  // namespace

void RegisterRenderableClasses() {
  fw::RegisterStandardControls();
  fw::InitializeGfxUnits();
  clear::RegisterClearControls();
  shine::RegisterShineControls();
}

std::unique_ptr<fw::TCustomForm> ReadForm(const std::string& Path) {
  const TPrepared prepared = Prepare(ReadText(Path), fs::path(Path).parent_path());
  const fw::TClass cls = fw::FindClass(prepared.RootClass);
  if (!cls->InheritsFrom(fw::TCustomForm::StaticClass()) || !cls->CanCreateComponent())
    throw fw::EParserError(prepared.RootClass + " is not a form class", 1);
  std::unique_ptr<fw::TComponent> created = cls->CreateComponent(fw::Application);
  std::unique_ptr<fw::TCustomForm> form(static_cast<fw::TCustomForm*>(created.release()));
  fw::ReadComponentFromText(form.get(), prepared.Text);
  for (const TFileProperty& file : prepared.Files)
    LoadFileProperty(*form, file);
  return form;
}

TPicture ShowForm(fw::TCustomForm& Form, const std::vector<TAction>& Actions) {
  Form.Show();
  LetPendingWorkRun();
  for (const TAction& action : Actions)
    Play(Form, action);

  auto* headless = dynamic_cast<win::wnd::THeadlessBackend*>(&win::wnd::Runtime().Backend());
  const auto shown = headless ? headless->ReadFramebuffer(Form.Handle()) : std::nullopt;
  if (!shown) throw fw::EInvalidOperation("the form shows nothing to read");
  return TPicture{int(shown->FWidth), int(shown->FHeight), shown->FPixels};
}

TPicture RenderForm(const std::string& Path, const std::vector<TAction>& Actions) {
  // What fails inside the windows' messages (an image build, say) goes to the application's
  // error report; the first such error is the render's.
  std::optional<std::string> failure;
  const fw::TExceptionEvent reported = fw::Application->OnException;
  fw::Application->OnException = [&failure](fw::TObject*, const fw::Exception& e) {
    if (!failure) failure = e.Message();
  };
  const fw::TScopeExit restore([&reported] { fw::Application->OnException = reported; });

  const std::unique_ptr<fw::TCustomForm> form = ReadForm(Path);
  try {
    TPicture picture = ShowForm(*form, Actions);
    if (!failure) return picture;
  } catch (const fw::Exception&) {
    // A form whose build failed may show nothing; the build's error says why.
    if (!failure) throw;
  }
  throw fw::Exception(*failure);
}

void SaveBmp(const TPicture& Picture, const std::string& Path) {
  fw::TBitmap bitmap;
  bitmap.SetPixelFormat(fw::pf24bit);
  bitmap.SetSize(Picture.Width, Picture.Height);
  for (int y = 0; y < Picture.Height; ++y) {
    std::uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < Picture.Width; ++x) {
      const std::uint32_t rgb = Picture.Pixels[std::size_t(y) * std::size_t(Picture.Width) + x];
      row[3 * x] = std::uint8_t(rgb);
      row[3 * x + 1] = std::uint8_t(rgb >> 8);
      row[3 * x + 2] = std::uint8_t(rgb >> 16);
    }
  }
  bitmap.SaveToFile(Path);
}

}  // namespace tovu::formrender
