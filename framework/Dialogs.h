// Message dialogs as forms of ours: the plain message dialog (application title, no icon, OK),
// the confirmation dialog (確認, question icon, はい/いいえ) and the standard error report (title,
// error icon, OK); centred on the screen, modal, with accelerator keys for the buttons. Where
// nobody can see them (headless), the platform prints a dialog's caption and text and answers for
// the user, as if Escape were pressed or as a test scripted; the dialog then gives that answer
// without a form being shown, unless a test hook drives the form with input of its own.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"

namespace fw {

class TButton;
class TLabel;

TOVU_ENUM(TMsgDlgType, std::uint8_t, mtWarning, mtError, mtInformation, mtConfirmation, mtCustom)
TOVU_ENUM(TMsgDlgBtn, std::uint8_t, mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore)
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The icon a message form shows.
TOVU_ENUM(TMsgDlgIcon, std::uint8_t, diNone, diWarning, diError, diInformation, diQuestion)

class TMessageForm : public TForm {
  TOVU_CLASS(TMessageForm, TForm)

 public:
  explicit TMessageForm(TComponent* AOwner);

  const std::string& Message() const { return FMessage; }
  TMsgDlgIcon IconKind() const { return FIcon; }
  TLabel* MessageLabel() const { return FMessageLabel; }
  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  TButton* Buttons(int Index) const { return FButtons.at(static_cast<std::size_t>(Index)); }
  // The button that answers Result, or null.
  TButton* ButtonFor(TModalResult Result) const;

  TModalResult ShowModal() override;

 protected:
  // Draws the icon beside the text.
  void Paint() override;

 private:
  friend std::unique_ptr<TMessageForm> CreateMessageForm(const std::string&, const std::string&,
                                                         TMsgDlgIcon, TMsgDlgButtons);
  void Build(const std::string& Caption, const std::string& Text, TMsgDlgIcon Icon,
             TMsgDlgButtons Buttons);
  std::string FMessage;
  TMsgDlgButtons FButtonSet;
  TMsgDlgIcon FIcon = diNone;
  TLabel* FMessageLabel = nullptr;
  std::vector<TButton*> FButtons;
};

// A message form with this caption, text, icon and buttons (the first of OK, Yes, Retry present
// is the default button; Escape presses Cancel, else No, else OK), laid out and centred.
std::unique_ptr<TMessageForm> CreateMessageForm(const std::string& Caption, const std::string& Text,
                                                TMsgDlgIcon Icon, TMsgDlgButtons Buttons);
std::unique_ptr<TMessageForm> CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType,
                                                  TMsgDlgButtons Buttons);
// Shows the dialog modally; returns the modal result (mrCancel when closed by its frame).
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// The plain message dialog: caption = application title, no icon, one OK button.
void ShowMessage(const std::string& Msg);
// The standard error report: caption, error icon, one OK button.
void ShowErrorReport(const std::string& Caption, const std::string& Text);

// On the headless backend, a hook that sees every message dialog before its modal loop; when it
// answers true it takes over answering (with injected input), and no scripted answer is used.
using TModalDialogHook = std::function<bool(TMessageForm& Dialog)>;
void SetModalDialogHook(TModalDialogHook Hook);

// The caption of the plain dialogs: the application title, or the program's name without one.
std::string DialogTitle();

}  // namespace fw
