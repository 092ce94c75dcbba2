// Forms: top-level windows whose layout is a form description compiled into the program, with
// frame styles, outer geometry in screen pixels and client size read back from the platform,
// creation and close rules, and modal showing.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "framework/ControlCanvas.h"
#include "framework/Persistent.h"
#include "framework/WinControl.h"

namespace fw {

TOVU_ENUM(TFormStyle, std::uint8_t, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
TOVU_ENUM(TPosition, std::uint8_t, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly,
          poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
TOVU_ENUM(TCloseAction, std::uint8_t, caNone, caHide, caFree, caMinimize)
TOVU_ENUM(TFormStateFlag, std::uint8_t, fsCreating, fsVisible, fsShowing, fsModal,
          fsCreatedMDIChild, fsActivated)
using TFormState = TSet<TFormStateFlag>;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;

// The scroll-bar settings of a form; ours never shows scroll bars, whatever they say.
class TControlScrollBar : public TPersistent {
  TOVU_CLASS(TControlScrollBar, TPersistent)

 public:
  TControlScrollBar() = default;
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value) { FVisible = Value; }
  void Assign(const TPersistent* Source) override;

 private:
  bool FVisible = true;
};

// Registers the form description of a form class, looked up by InitInheritedComponent.
void RegisterFormDescription(TClass FormClass, std::string_view Text);

class TCustomForm : public TWinControl {
  TOVU_CLASS(TCustomForm, TWinControl)

 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;

  // Creates a form: the constructors run, then AfterConstruction (OnCreate).
  template <class T>
  static T* Create(TComponent* AOwner) {
    T* form = NewComponent<T>(AOwner);
    form->AfterConstruction();
    return form;
  }
  // Ends creation: OnCreate runs here, after every constructor has done its own work.
  virtual void AfterConstruction();

  void Close();
  bool CloseQuery();
  // Destroys the form once the messages queued for it have been handled.
  void Release();
  virtual TModalResult ShowModal();
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }
  TFormState FormState() const { return FFormState; }

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  int PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(int Value) { FPixelsPerInch = Value; }
  int TextHeight() const { return FTextHeight; }
  void SetTextHeight(int Value) { FTextHeight = Value; }
  TControlScrollBar* HorzScrollBar() const { return FHorzScrollBar.get(); }
  TControlScrollBar* VertScrollBar() const { return FVertScrollBar.get(); }

  // Drawing surface of the client area, origin at its top-left corner; outside a paint it draws
  // on (and reads) what the window shows.
  TCanvas* Canvas() const { return FCanvas.get(); }

  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Control);

  win::RECT ClientRect() const override;
  void SetClientSize(int AWidth, int AHeight) override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  // Reads the form description registered for the form's class into the form. A form class
  // calls it first in its constructor, so that the constructor's own work finds the layout.
  void InitInheritedComponent();
  void CreateParams(TCreateParams& Params) override;
  void PaintWindow(win::HDC DC) override;
  // Draws the form's own picture on Canvas; the base raises OnPaint.
  virtual void Paint();
  void ReadState(TReader& Reader) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  virtual void DoCreate();
  virtual void DoClose(TCloseAction& Action);
  virtual void DoShow();
  virtual void DoHide();
  // Places the form as Position says when it is first shown.
  void ApplyPosition();

  void WMClose(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMRelease(TMessage& Message);
  void WMActivate(TMessage& Message);

 private:
  win::RECT FrameInsets() const;
  // Enables or disables the other top-level windows of the program around a modal loop.
  std::vector<win::HWND> DisableOtherWindows();
  win::HWND BelongToActiveWindow();

  TFormBorderStyle FBorderStyle = bsSizeable;
  TFormStyle FFormStyle = fsNormal;
  TPosition FPosition = poDesigned;
  bool FOldCreateOrder = false;
  int FPixelsPerInch = 96;
  int FTextHeight = 13;
  TModalResult FModalResult = mrNone;
  TFormState FFormState;
  std::unique_ptr<TControlScrollBar> FHorzScrollBar;
  std::unique_ptr<TControlScrollBar> FVertScrollBar;
  std::unique_ptr<TControlCanvas> FCanvas;
  TWinControl* FActiveControl = nullptr;
  // Client size read from a form description, applied once the frame style is known.
  int FPendingClientWidth = -1;
  int FPendingClientHeight = -1;
  bool FPositioned = false;
};

class TForm : public TCustomForm {
  TOVU_CLASS(TForm, TCustomForm)

 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

}  // namespace fw
