#include "framework/Dialogs.h"

#include <algorithm>
#include <optional>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/ControlConsts.h"
#include "framework/ControlFaces.h"
#include "framework/GraphicsObjects.h"
#include "framework/Label.h"
#include "framework/TypeInfo.h"
#include "framework/platform/CodePage.h"
#include "framework/platform/CodePageConversion.h"
#include "framework/platform/Headless.h"
#include "framework/platform/Messages.h"
#include "framework/platform/Process.h"
#include "framework/platform/Shapes.h"
#include "framework/platform/SystemMetrics.h"
#include "framework/platform/TextTypes.h"
#include "framework/platform/VirtualKeys.h"

namespace fw {

TOVU_IMPLEMENT_CLASS(TMessageForm)

void TMessageForm::DefineClass(TClassBuilder<TMessageForm>&) {}

namespace {

// Layout of a message form, in pixels.
constexpr int HorzMargin = 8;
constexpr int VertMargin = 8;
constexpr int HorzSpacing = 10;
constexpr int VertSpacing = 10;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ButtonSpacing = 4;
constexpr int IconSize = 32;

TModalDialogHook& DialogHook() {
  static TModalDialogHook hook;
  return hook;
}

struct TButtonKind {
  TMsgDlgBtn Button;
  const TResString* Caption;
  TModalResult Result;
};

constexpr TButtonKind ButtonKinds[] = {
    {mbYes, &SMsgDlgYes, mrYes},
    {mbNo, &SMsgDlgNo, mrNo},
    {mbOK, &SMsgDlgOK, mrOk},
    {mbCancel, &SMsgDlgCancel, mrCancel},
    {mbAbort, &SMsgDlgAbort, mrAbort},
    {mbRetry, &SMsgDlgRetry, mrRetry},
    {mbIgnore, &SMsgDlgIgnore, mrIgnore},
};

// The window font of the dialogs.
constexpr const char* DialogFontName = "ＭＳ Ｐゴシック";
constexpr int DialogFontHeight = -12;

// The icons, drawn in a 32-pixel square.
void DrawIcon(TCanvas& Canvas, TMsgDlgIcon Icon, int X, int Y) {
  TPen* pen = Canvas.Pen();
  TBrush* brush = Canvas.Brush();
  TFont* font = Canvas.Font();
  pen->SetWidth(1);
  font->SetName(win::FromUtf8(DialogFontName));
  font->SetHeight(-24);
  font->SetStyle({fsBold});
  font->SetColor(clWhite);
  const char* mark = "";
  switch (Icon) {
    case diNone:
      return;
    case diQuestion:
    case diInformation:
      pen->SetColor(0x00A05000);
      brush->SetColor(0x00D08020);
      Canvas.Ellipse(X, Y, X + IconSize, Y + IconSize);
      mark = Icon == diQuestion ? "?" : "i";
      break;
    case diError:
      pen->SetColor(0x00000090);
      brush->SetColor(0x002020E0);
      Canvas.Ellipse(X, Y, X + IconSize, Y + IconSize);
      mark = "\xC3\x97";  // multiplication sign
      break;
    case diWarning: {
      pen->SetColor(0x00008090);
      brush->SetColor(0x0000D0F0);
      const win::POINT points[] = {
          {X + IconSize / 2, Y}, {X + IconSize - 1, Y + IconSize - 1}, {X, Y + IconSize - 1}};
      Canvas.RequiredState({csHandleValid, csPenValid, csBrushValid});
      win::Polygon(Canvas.Handle(), points, 3);
      font->SetColor(clBlack);
      mark = "!";
      break;
    }
  }
  DrawCaption(Canvas, Bounds(X, Y + 2, IconSize, IconSize - 2), win::FromUtf8(mark),
              win::DT_CENTER | win::DT_VCENTER | win::DT_SINGLELINE | win::DT_NOPREFIX, true);
}

// The button Enter presses: OK, else Yes, else Retry.
TMsgDlgBtn DefaultButton(TMsgDlgButtons Buttons) {
  return Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
}

// The button Escape presses: Cancel, else No, else OK.
TMsgDlgBtn CancelButton(TMsgDlgButtons Buttons) {
  return Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
}

TModalResult ResultOf(TMsgDlgBtn Button) {
  for (const TButtonKind& kind : ButtonKinds)
    if (kind.Button == Button) return kind.Result;
  return mrNone;
}

// Where nobody can see a dialog (headless), the platform prints it and answers for the user: the
// scripted result when one of the buttons gives it, else what Escape gives. No form is needed for
// that, and building one only to print it would load the fonts to measure its text.
TModalResult UnattendedAnswer(const std::string& Caption, const std::string& Text,
                              TMsgDlgButtons Buttons) {
  const int answer = win::AnswerUnattendedDialog(Caption.c_str(), Text.c_str());
  for (const TButtonKind& kind : ButtonKinds)
    if (answer != 0 && kind.Result == answer && Buttons.Contains(kind.Button)) return answer;
  return ResultOf(CancelButton(Buttons));
}

int ShowMessageForm(const std::string& Caption, const std::string& Text, TMsgDlgIcon Icon,
                    TMsgDlgButtons Buttons) {
  if (win::IsHeadless() && !DialogHook()) return UnattendedAnswer(Caption, Text, Buttons);
  return CreateMessageForm(Caption, Text, Icon, Buttons)->ShowModal();
}

struct TDialogLook {
  std::string Caption;
  TMsgDlgIcon Icon;
};

TDialogLook LookOf(TMsgDlgType DlgType) {
  switch (DlgType) {
    case mtWarning:
      return {LoadResString(SMsgDlgWarning), diWarning};
    case mtError:
      return {LoadResString(SMsgDlgError), diError};
    case mtInformation:
      return {LoadResString(SMsgDlgInformation), diInformation};
    case mtConfirmation:
      return {LoadResString(SMsgDlgConfirm), diQuestion};
    case mtCustom:
      break;
  }
  return {DialogTitle(), diNone};
}

}  // namespace

std::string DialogTitle() {
  if (Application != nullptr && !Application->Title().empty()) return Application->Title();
  char path[261] = {};
  win::GetModuleFileNameA(nullptr, path, sizeof(path));
  std::string name = path;
  if (const auto slash = name.find_last_of("/\\:"); slash != std::string::npos)
    name.erase(0, slash + 1);
  if (const auto dot = name.rfind('.'); dot != std::string::npos && dot > 0) name.erase(dot);
  return name;
}

void SetModalDialogHook(TModalDialogHook Hook) {
  DialogHook() = std::move(Hook);
}

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner) {
  SetBorderStyle(bsDialog);
  Font()->SetName(win::FromUtf8(DialogFontName));
  Font()->SetHeight(DialogFontHeight);
  Font()->SetCharset(win::SHIFTJIS_CHARSET);
}

TButton* TMessageForm::ButtonFor(TModalResult Result) const {
  for (TButton* button : FButtons)
    if (button->ModalResult() == Result) return button;
  return nullptr;
}

void TMessageForm::Build(const std::string& Caption, const std::string& Text, TMsgDlgIcon Icon,
                         TMsgDlgButtons Buttons) {
  SetCaption(Caption);
  FMessage = Text;
  FIcon = Icon;
  FButtonSet = Buttons;

  const int screenWidth = win::GetSystemMetrics(win::SM_CXSCREEN);
  const win::UINT textFlags = win::DT_EXPANDTABS | win::DT_WORDBREAK | win::DT_NOPREFIX;
  const TSize text = MeasureText(*Font(), Text, textFlags, std::max(screenWidth / 2, 100));

  FMessageLabel = NewComponent<TLabel>(this);
  FMessageLabel->SetName("Message");
  FMessageLabel->SetWordWrap(true);
  FMessageLabel->SetShowAccelChar(false);
  FMessageLabel->SetAutoSize(false);
  FMessageLabel->SetCaption(Text);
  FMessageLabel->SetParent(this);

  const TMsgDlgBtn defaultButton = DefaultButton(Buttons);
  const TMsgDlgBtn cancelButton = CancelButton(Buttons);
  int buttonWidth = ButtonWidth;
  for (const TButtonKind& kind : ButtonKinds)
    if (Buttons.Contains(kind.Button))
      buttonWidth =
          std::max<int>(buttonWidth, MeasureText(*Font(), LoadResString(*kind.Caption), 0, 0).cx +
                                         2 * HorzMargin);
  for (const TButtonKind& kind : ButtonKinds) {
    if (!Buttons.Contains(kind.Button)) continue;
    TButton* button = NewComponent<TButton>(this);
    button->SetCaption(LoadResString(*kind.Caption));
    button->SetModalResult(kind.Result);
    button->SetDefault(kind.Button == defaultButton);
    button->SetCancel(kind.Button == cancelButton);
    button->SetBounds(0, 0, buttonWidth, ButtonHeight);
    button->SetParent(this);
    if (kind.Button == defaultButton) SetActiveControl(button);
    FButtons.push_back(button);
  }

  const int iconWidth = Icon == diNone ? 0 : IconSize + HorzSpacing;
  const int iconTextWidth = iconWidth + text.cx;
  const int iconTextHeight = std::max<int>(text.cy, Icon == diNone ? 0 : IconSize);
  const int buttonCount = static_cast<int>(FButtons.size());
  const int buttonGroupWidth =
      buttonCount == 0 ? 0 : buttonCount * buttonWidth + (buttonCount - 1) * ButtonSpacing;
  const int clientWidth = std::max(iconTextWidth, buttonGroupWidth) + 2 * HorzMargin;
  const int clientHeight = iconTextHeight + VertSpacing + ButtonHeight + 2 * VertMargin;
  SetClientSize(clientWidth, clientHeight);

  FMessageLabel->SetBounds(HorzMargin + iconWidth, VertMargin, text.cx, text.cy);
  int x = (clientWidth - buttonGroupWidth) / 2;
  const int y = iconTextHeight + VertMargin + VertSpacing;
  for (TButton* button : FButtons) {
    button->SetBounds(x, y, buttonWidth, ButtonHeight);
    x += buttonWidth + ButtonSpacing;
  }
  SetBounds((win::GetSystemMetrics(win::SM_CXSCREEN) - Width()) / 2,
            (win::GetSystemMetrics(win::SM_CYSCREEN) - Height()) / 2, Width(), Height());
}

TModalResult TMessageForm::ShowModal() {
  if (win::IsHeadless()) {
    const TModalDialogHook hook = DialogHook();
    if (!hook || !hook(*this)) return UnattendedAnswer(Caption(), FMessage, FButtonSet);
  }
  return TForm::ShowModal();
}

void TMessageForm::Paint() {
  TForm::Paint();
  DrawIcon(*Canvas(), FIcon, HorzMargin, VertMargin);
}

std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& Caption, const std::string& Text,
                                                TMsgDlgIcon Icon, TMsgDlgButtons Buttons) {
  auto form = std::make_unique<TMessageForm>(nullptr);
  form->Build(Caption, Text, Icon, Buttons);
  return form;
}

std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                                  TMsgDlgButtons Buttons) {
  const TDialogLook look = LookOf(DlgType);
  return CreateMessageForm(look.Caption, Msg, look.Icon, Buttons);
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int) {
  const TDialogLook look = LookOf(DlgType);
  return ShowMessageForm(look.Caption, Msg, look.Icon, Buttons);
}

void ShowMessage(const std::string& Msg) {
  ShowMessageForm(DialogTitle(), Msg, diNone, {mbOK});
}

void ShowErrorReport(const std::string& Caption, const std::string& Text) {
  ShowMessageForm(Caption, Text, diError, {mbOK});
}

}  // namespace fw
