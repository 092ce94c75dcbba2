// The application object: title, creation of the forms and the main-form rule, the message loop
// with its idle work (pointer enter and leave), termination, and the standard error report for
// exceptions that escape event handlers, timer ticks and the loop.
#pragma once

#include <functional>
#include <string>

#include "framework/Component.h"
#include "framework/Exceptions.h"
#include "framework/Form.h"
#include "framework/platform/WindowTypes.h"

namespace fw {

class TControl;

using TExceptionEvent = std::function<void(TObject* Sender, const Exception& E)>;

class TApplication : public TComponent {
  TOVU_CLASS(TApplication, TComponent)

 public:
  // The first application object becomes the program's Application.
  explicit TApplication(TComponent* AOwner = nullptr);
  ~TApplication() override;

  void Initialize() {}
  const std::string& Title() const { return FTitle; }
  void SetTitle(const std::string& Value) { FTitle = Value; }

  // Creates a form owned by the application. Reference points at it from the end of its
  // constructors on, so its OnCreate finds it; the first form created becomes the main form
  // once its creation has completed.
  template <class T>
  void CreateForm(T*& Reference) {
    Reference = nullptr;
    T* form = NewComponent<T>(this);
    const TWeakRef<TCustomForm> alive(form);
    Reference = form;
    form->AfterConstruction();
    if (alive && FMainForm.Get() == nullptr && !FMainFormSet) {
      FMainForm = TWeakRef<TCustomForm>(form);
      FMainFormSet = true;
    }
  }
  TCustomForm* MainForm() const { return FMainForm.Get(); }
  bool ShowMainForm() const { return FShowMainForm; }
  void SetShowMainForm(bool Value) { FShowMainForm = Value; }

  // Shows the main form and handles messages until the application is told to terminate.
  void Run();
  void Terminate();
  bool Terminated() const { return FTerminated; }
  // Handles every message that is waiting and brings the control under the pointer up to
  // date, then returns.
  void ProcessMessages();
  // Handles one message, or does the idle work and waits for the next when there is none.
  void HandleMessage();

  // Reports the exception being handled (call inside a catch block): EAbort silently, others
  // through OnException or the standard error report.
  void HandleException(TObject* Sender);
  // The standard error report of an error message.
  void ShowException(const std::string& Message);

  TExceptionEvent OnException;
  TNotifyEvent OnIdle;

 private:
  friend class TCustomForm;
  bool ProcessMessage(win::MSG& Msg);
  void Idle();
  // Sends pointer-leave and pointer-enter notifications when the control under the pointer
  // has changed.
  void DoMouseIdle();
  void FormDestroyed(TCustomForm* Form);

  std::string FTitle;
  TWeakRef<TCustomForm> FMainForm;
  bool FMainFormSet = false;
  bool FShowMainForm = true;
  bool FTerminated = false;
  TWeakRef<TControl> FMouseControl;
};

// The program's application object (null when there is none).
extern TApplication* Application;

// Reports the exception being handled for Sender: through Application when there is one, on
// standard error otherwise.
void HandleCurrentException(TObject* Sender);
// One round of a message loop without an application object; false once the quit message has
// come, which is posted again so that the loop owning it sees it too.
bool RunOneMessage();

// The text of the standard error report: the message, with "." appended when it is not empty
// and its last character (a double-byte character counted as one) sorts above "." in byte order.
std::string ErrorReportText(const std::string& Message);

}  // namespace fw
