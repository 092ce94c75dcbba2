#include "tools/formrender/FormRender.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>

#include "controls/clear/ClearCtrl.h"
#include "framework/Application.h"
#include "framework/Bitmap.h"
#include "framework/ClassRegistry.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/Picture.h"
#include "framework/Reader.h"
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

std::string Unquoted(const std::string& quoted) {
  std::string text;
  for (std::size_t i = 0; i < quoted.size(); ++i) {
    text += quoted[i];
    if (quoted[i] == '\'' && i + 1 < quoted.size() && quoted[i + 1] == '\'') ++i;
  }
  return text;
}

// Takes the `X.File = '...'` lines out of the description (leaving empty lines, so that errors
// still name the right line) and notes them.
TPrepared Prepare(const std::string& Text, const fs::path& Folder) {
  static const std::regex object(R"(^\s*(?:object|inherited|inline)\s+(\w+)\s*:\s*(\w+)\s*$)");
  static const std::regex end(R"(^\s*end\s*$)", std::regex::icase);
  static const std::regex file(R"(^\s*([A-Za-z_][\w.]*)\.File\s*=\s*'((?:[^']|'')*)'\s*$)");
  TPrepared prepared;
  std::vector<std::string> open;
  std::istringstream lines(Text);
  int number = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    std::smatch match;
    if (std::regex_match(line, match, object)) {
      if (open.empty() && prepared.RootClass.empty()) prepared.RootClass = match[2];
      open.push_back(match[1]);
    } else if (std::regex_match(line, match, end)) {
      if (!open.empty()) open.pop_back();
    } else if (std::regex_match(line, match, file) && !open.empty()) {
      fs::path name = fs::path(Unquoted(match[2]));
      if (name.is_relative()) name = Folder / name;
      prepared.Files.push_back({open.back(), Split(match[1]), name.string(), number});
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
}

TPicture RenderForm(const std::string& Path, const std::vector<TAction>& Actions) {
  const TPrepared prepared = Prepare(ReadText(Path), fs::path(Path).parent_path());
  const fw::TClass cls = fw::FindClass(prepared.RootClass);
  if (!cls->InheritsFrom(fw::TCustomForm::StaticClass()) || !cls->CanCreateComponent())
    throw fw::EParserError(prepared.RootClass + " is not a form class", 1);
  std::unique_ptr<fw::TComponent> created = cls->CreateComponent(fw::Application);
  auto* form = static_cast<fw::TCustomForm*>(created.get());
  fw::ReadComponentFromText(form, prepared.Text);
  for (const TFileProperty& file : prepared.Files)
    LoadFileProperty(*form, file);
  form->Show();
  LetPendingWorkRun();
  for (const TAction& action : Actions)
    Play(*form, action);

  auto* headless = dynamic_cast<win::wnd::THeadlessBackend*>(&win::wnd::Runtime().Backend());
  const auto shown = headless ? headless->ReadFramebuffer(form->Handle()) : std::nullopt;
  if (!shown) throw fw::EInvalidOperation("the form shows nothing to read");
  return TPicture{int(shown->FWidth), int(shown->FHeight), shown->FPixels};
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
