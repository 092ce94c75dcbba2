// Tries the control classes by hand on either backend: a tool window with a panel, a label fed by
// a timer, push buttons, a group of speed buttons and the confirmation dialog. With --ask N it
// asks N confirmation questions on its own once shown, prints where each dialog's buttons are and
// how it was answered, and ends (the end-to-end test answers them from outside).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "framework/Application.h"
#include "framework/Button.h"
#include "framework/Dialogs.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Panel.h"
#include "framework/SpeedButton.h"
#include "framework/StandardControls.h"
#include "framework/Timer.h"
#include "framework/platform/Process.h"

namespace {

using namespace fw;

class TDemoForm : public TForm {
 public:
  TDemoForm(TComponent* AOwner, int Questions) : TForm(AOwner), FQuestions(Questions) {
    SetCaption("Tovu controls demo");
    SetBorderStyle(bsToolWindow);
    SetFormStyle(fsStayOnTop);
    SetColor(clWhite);
    SetBounds(60, 60, 100, 100);
    SetClientWidth(360);
    SetClientHeight(200);

    auto* panel = NewComponent<TPanel>(this);
    panel->SetBounds(0, 150, 360, 50);
    panel->SetAlign(alBottom);
    panel->SetParent(this);

    FTicks = NewComponent<TLabel>(this);
    FTicks->SetBounds(12, 12, 200, 20);
    FTicks->SetColor(clWhite);
    FTicks->SetParent(this);

    for (int i = 0; i < 3; ++i) {
      auto* b = NewComponent<TSpeedButton>(this);
      b->SetBounds(12 + 30 * i, 50, 26, 26);
      b->SetCaption(std::string(1, static_cast<char>('A' + i)));
      b->SetGroupIndex(1);
      b->SetParent(this);
    }

    auto* ask = NewComponent<TButton>(this);
    ask->SetCaption("確認(&Q)...");
    ask->SetBounds(12, 12, 100, 25);
    ask->SetParent(panel);
    ask->OnClick = [this](TObject*) { Ask(); };

    auto* close = NewComponent<TButton>(this);
    close->SetCaption("閉じる");
    close->SetBounds(248, 12, 100, 25);
    close->SetParent(panel);
    close->OnClick = [this](TObject*) { Close(); };

    auto* timer = NewComponent<TTimer>(this);
    timer->SetInterval(100);
    timer->SetOnTimer([this](TObject*) { Tick(); });
  }

 private:
  void Tick() {
    ++FTickCount;
    FTicks->SetCaption("タイマー: " + std::to_string(FTickCount));
    if (FQuestions > 0 && FTickCount == 3) AskAll();
  }

  void AskAll() {
    for (int i = 0; i < FQuestions; ++i)
      Ask();
    Close();
  }

  void Ask() {
    auto dialog =
        CreateMessageDialog("インフォメーションを参照しますか？", mtConfirmation, {mbYes, mbNo});
    TMessageForm* form = dialog.get();
    form->OnShow = [form](TObject*) {
      const auto centre = [](TButton* b) {
        return b->ClientToScreen(win::POINT{b->Width() / 2, b->Height() / 2});
      };
      const win::POINT yes = centre(form->ButtonFor(mrYes));
      const win::POINT no = centre(form->ButtonFor(mrNo));
      std::printf("dialog %ld %ld %ld %ld\n", long(yes.x), long(yes.y), long(no.x), long(no.y));
      std::fflush(stdout);
    };
    const int answer = dialog->ShowModal();
    std::printf("answer %d\n", answer);
    std::fflush(stdout);
  }

  int FQuestions;
  int FTickCount = 0;
  TLabel* FTicks = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
  int questions = 0;
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--ask") == 0 && i + 1 < argc) questions = std::atoi(argv[++i]);
  RegisterStandardControls();
  TApplication application(nullptr);
  application.Initialize();
  application.SetTitle("Tovu controls demo");
  try {
    TDemoForm* form = NewComponent<TDemoForm>(&application, questions);
    form->AfterConstruction();
    form->Show();
    while (!application.Terminated() && form->Visible())
      application.HandleMessage();
  } catch (...) {
    application.HandleException(nullptr);
  }
  return 0;
}
