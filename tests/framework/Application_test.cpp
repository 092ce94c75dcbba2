#include "framework/Application.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/Button.h"
#include "framework/Dialogs.h"
#include "framework/Form.h"
#include "framework/Label.h"
#include "framework/Timer.h"
#include "framework/TypeInfo.h"
#include "framework/platform/Input.h"
#include "framework/platform/MessageQueue.h"
#include "framework/platform/Window.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace fw::testing {
namespace {

TEST(ErrorReportText, AppendsAFullStopAfterCharactersThatSortAboveIt) {
  EXPECT_EQ(ErrorReportText(""), "");
  EXPECT_EQ(ErrorReportText("abc"), "abc.");
  EXPECT_EQ(ErrorReportText("done."), "done.");
  EXPECT_EQ(ErrorReportText("what?"), "what?.");
  EXPECT_EQ(ErrorReportText("a/"), "a/.");
  EXPECT_EQ(ErrorReportText("no!"), "no!");
  EXPECT_EQ(ErrorReportText("a-"), "a-");
  EXPECT_EQ(ErrorReportText("1,"), "1,");
  EXPECT_EQ(ErrorReportText("trailing "), "trailing ");
  // A double-byte character counts as one, and sorts above ".".
  EXPECT_EQ(ErrorReportText("ファイル"), "ファイル.");
  EXPECT_EQ(ErrorReportText("終わり。"), "終わり。.");
}

class ApplicationTest : public TFrameworkTest {
 protected:
  TTimer* Timer(TComponent* owner, unsigned interval, TNotifyEvent onTimer) {
    auto* timer = NewComponent<TTimer>(owner);
    timer->SetInterval(interval);
    timer->SetOnTimer(std::move(onTimer));
    return timer;
  }
  const std::vector<win::wnd::THeadlessBackend::TDialog>& Dialogs() const {
    return FBackend->Dialogs();
  }
};

TEST_F(ApplicationTest, TimersTickEveryIntervalWhileEnabled) {
  int ticks = 0;
  TTimer* timer = Timer(FApplication.get(), 20, [&](TObject*) { ++ticks; });
  RunFor(200);
  EXPECT_EQ(ticks, 10);
  timer->SetEnabled(false);
  RunFor(200);
  EXPECT_EQ(ticks, 10);
  timer->SetInterval(50);
  timer->SetEnabled(true);
  RunFor(200);
  EXPECT_EQ(ticks, 14);
  timer->SetOnTimer(nullptr);
  RunFor(200);
  EXPECT_EQ(ticks, 14) << "a timer without a handler does not run";
}

TEST_F(ApplicationTest, AnExceptionInATickIsReportedAndTheTimerGoesOn) {
  int ticks = 0;
  Timer(FApplication.get(), 20, [&](TObject*) {
    if (++ticks == 2) throw EInvalidOperation("ファイル x を作成できません");
  });
  RunFor(100);
  EXPECT_EQ(ticks, 5);
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].FCaption, "Tovu");
  EXPECT_EQ(Dialogs()[0].FText, "ファイル x を作成できません.");
}

TEST_F(ApplicationTest, SilentAndForeignExceptions) {
  auto raise = [](auto error) {
    try {
      throw error;
    } catch (...) {
      Application->HandleException(nullptr);
    }
  };
  raise(EAbort());
  EXPECT_TRUE(Dialogs().empty()) << "EAbort is silent";
  raise(std::runtime_error("not ours"));
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].FText, "") << "anything else is reported with an empty text";
  std::string seen;
  FApplication->OnException = [&](TObject*, const Exception& e) { seen = e.Message(); };
  raise(EInvalidOperation("handled"));
  EXPECT_EQ(seen, "handled");
  EXPECT_EQ(Dialogs().size(), 1u);
}

TEST_F(ApplicationTest, ATickThatDestroysItsFormIsSafe) {
  auto* form = TCustomForm::Create<TForm>(FApplication.get());
  int ticks = 0;
  Timer(form, 20, [&](TObject*) {
    ++ticks;
    delete form;
  });
  RunFor(100);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(FApplication->ComponentCount(), 0);
}

// A form that closes itself from its creation handler and from a timer.
class TClosingForm : public TForm {
  TOVU_CLASS(TClosingForm, TForm)

 public:
  explicit TClosingForm(TComponent* AOwner) : TForm(AOwner) {
    Order.push_back("constructor");
    OnCreate = [this](TObject*) {
      Order.push_back(Application->MainForm() == this ? "create as main" : "create");
      Close();
      HiddenAfterClose = !Visible();
      Order.push_back(Application->Terminated() ? "terminated" : "running");
    };
  }
  std::vector<std::string> Order;
  bool HiddenAfterClose = false;
};

TOVU_IMPLEMENT_CLASS(TClosingForm)
void TClosingForm::DefineClass(TClassBuilder<TClosingForm>&) {}

TEST_F(ApplicationTest, ACloseDuringCreationOnlyHidesAndTheFormBecomesMainAfterwards) {
  TClosingForm* form = nullptr;
  FApplication->CreateForm(form);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Order, (std::vector<std::string>{"constructor", "create", "running"}));
  EXPECT_TRUE(form->HiddenAfterClose);
  EXPECT_EQ(FApplication->MainForm(), form);
  // The first tick after the loop started closes the main form, which ends the program.
  int ticks = 0;
  Timer(form, 20, [&](TObject*) {
    ++ticks;
    form->Close();
  });
  FApplication->Run();
  EXPECT_TRUE(FApplication->Terminated());
  EXPECT_EQ(ticks, 1);
  EXPECT_TRUE(form->Visible()) << "Run showed it; closing the main form does not hide it";
}

TEST_F(ApplicationTest, ClosingAnotherFormHidesItOrFreesIt) {
  TForm* main = nullptr;
  FApplication->CreateForm(main);
  auto* other = TCustomForm::Create<TForm>(FApplication.get());
  other->Show();
  other->Close();
  EXPECT_FALSE(other->Visible());
  EXPECT_FALSE(FApplication->Terminated());
  other->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
  const TWeakRef<TForm> alive(other);
  other->Show();
  other->Close();
  EXPECT_TRUE(alive) << "freed once its queued messages are handled";
  Pump();
  EXPECT_FALSE(alive);
  bool allowed = false;
  main->OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allowed; };
  main->Close();
  EXPECT_FALSE(FApplication->Terminated());
  allowed = true;
  main->Close();
  EXPECT_TRUE(FApplication->Terminated());
}

TEST_F(ApplicationTest, DialogsAreAnsweredWithEscapeUnlessScripted) {
  ShowMessage("アイコン上に画像ファイルをドロップしてください。");
  EXPECT_EQ(MessageDlg("インフォメーションを参照しますか？", mtConfirmation, {mbYes, mbNo}, 0),
            mrNo)
      << "Escape presses いいえ";
  FBackend->ScriptDialogAnswer(mrYes);
  EXPECT_EQ(MessageDlg("もう一度？", mtConfirmation, {mbYes, mbNo}, 0), mrYes) << "clicked";
  FBackend->ScriptDialogAnswer(mrOk);
  ShowMessage("OK");
  ASSERT_EQ(Dialogs().size(), 4u);
  EXPECT_EQ(Dialogs()[0].FCaption, "Tovu");
  EXPECT_EQ(Dialogs()[0].FText, "アイコン上に画像ファイルをドロップしてください。");
  EXPECT_EQ(Dialogs()[1].FCaption, "確認");
  EXPECT_EQ(Dialogs()[1].FText, "インフォメーションを参照しますか？");
}

// Without a test driving it, a headless dialog is answered without building its form; the answer
// must be the one the form gives to the same scripted input (a click, or Escape).
TEST_F(ApplicationTest, HeadlessAnswersWithoutAFormEqualTheFormsAnswers) {
  const std::vector<TMsgDlgButtons> buttonSets{
      {mbOK}, {mbYes, mbNo}, {mbYes, mbNo, mbCancel}, {mbOK, mbCancel}, {mbRetry, mbCancel}};
  for (const TMsgDlgButtons& buttons : buttonSets) {
    for (const int answer : {0, int(mrOk), int(mrYes), int(mrNo), int(mrCancel), int(mrRetry)}) {
      SetModalDialogHook(nullptr);
      FBackend->ScriptDialogAnswer(answer);
      const int withoutForm = MessageDlg("?", mtConfirmation, buttons, 0);
      // The real form, fed what a user would do: Escape, or a click on the scripted button.
      SetModalDialogHook([answer](TMessageForm& dialog) {
        if (TButton* button = answer != 0 ? dialog.ButtonFor(answer) : nullptr) {
          dialog.HandleNeeded();
          win::wnd::InjectClick(
              button->ClientToScreen(win::POINT{button->Width() / 2, button->Height() / 2}),
              win::VK_LBUTTON);
        } else {
          win::wnd::InjectKey(win::VK_ESCAPE, true);
          win::wnd::InjectKey(win::VK_ESCAPE, false);
        }
        return true;
      });
      const int throughForm = MessageDlg("?", mtConfirmation, buttons, 0);
      EXPECT_EQ(withoutForm, throughForm) << "answer " << answer << ", buttons " << buttons.Bits();
    }
  }
  EXPECT_EQ(Dialogs().size(), 5 * 6u) << "the platform printed each dialog it answered";
}

TEST_F(ApplicationTest, ConfirmationDialogLayout) {
  auto dialog =
      CreateMessageDialog("インフォメーションを参照しますか？", mtConfirmation, {mbYes, mbNo});
  EXPECT_EQ(dialog->Caption(), "確認");
  EXPECT_EQ(dialog->IconKind(), diQuestion);
  ASSERT_EQ(dialog->ButtonCount(), 2);
  EXPECT_EQ(dialog->Buttons(0)->Caption(), "はい(&Y)");
  EXPECT_TRUE(dialog->Buttons(0)->Default());
  EXPECT_FALSE(dialog->Buttons(0)->Cancel());
  EXPECT_EQ(dialog->Buttons(1)->Caption(), "いいえ(&N)");
  EXPECT_TRUE(dialog->Buttons(1)->Cancel());
  EXPECT_EQ(dialog->Left(), (1024 - dialog->Width()) / 2);
  EXPECT_EQ(dialog->Top(), (768 - dialog->Height()) / 2);
  EXPECT_LT(dialog->Buttons(0)->Left() + dialog->Buttons(0)->Width(), dialog->Buttons(1)->Left());
  EXPECT_GT(dialog->MessageLabel()->Width(), 0);
  auto plain = CreateMessageForm("Tovu", "x", diNone, {mbOK});
  EXPECT_TRUE(plain->Buttons(0)->Default());
  EXPECT_TRUE(plain->Buttons(0)->Cancel()) << "OK is also the Escape button";
}

// Answers the next dialog by keyboard: the keys are typed once the dialog's loop runs.
void AnswerWith(std::vector<int> keys, std::string text = {}) {
  SetModalDialogHook([keys, text](TMessageForm&) {
    for (int key : keys) {
      win::wnd::InjectKey(key, true);
      win::wnd::InjectKey(key, false);
    }
    if (!text.empty()) win::wnd::InjectText(text);
    return true;
  });
}

TEST_F(ApplicationTest, DialogsAnswerEnterEscapeAndAcceleratorKeys) {
  AnswerWith({win::VK_RETURN});
  EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0), mrYes) << "Enter: the default";
  AnswerWith({win::VK_ESCAPE});
  EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0), mrNo);
  AnswerWith({}, "n");
  EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0), mrNo) << "accelerator N";
  AnswerWith({}, "Y");
  EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0), mrYes) << "accelerator Y";
  AnswerWith({});
  SetModalDialogHook([](TMessageForm& dialog) {
    win::wnd::InjectCloseRequest(dialog.Handle());
    return true;
  });
  EXPECT_EQ(MessageDlg("?", mtConfirmation, {mbYes, mbNo}, 0), mrCancel) << "closed by its frame";
  EXPECT_TRUE(Dialogs().empty()) << "the hook answered every one";
}

// A modal dialog belongs to the window that is active when it opens, so that a window manager
// keeps it in front of that window; the frames offer only the buttons the border styles give.
TEST_F(ApplicationTest, ModalDialogsBelongToTheActiveWindowWhileTheyRun) {
  auto* tool = TCustomForm::Create<TForm>(FApplication.get());
  tool->SetBorderStyle(bsToolWindow);
  tool->SetFormStyle(fsStayOnTop);
  tool->Show();
  win::SetActiveWindow(tool->Handle());
  std::optional<win::wnd::TTopLevelState> during;
  SetModalDialogHook([&](TMessageForm& dialog) {
    dialog.OnShow = [&](TObject*) { during = FBackend->TopLevelState(dialog.Handle()); };
    win::wnd::InjectKey(win::VK_RETURN, true);
    win::wnd::InjectKey(win::VK_RETURN, false);
    return true;
  });
  ShowMessage("x");
  ASSERT_TRUE(during);
  EXPECT_EQ(during->FOwner, tool->Handle());
  EXPECT_TRUE(during->FDialogFrame);
  EXPECT_TRUE(during->FCloseButton);
  EXPECT_FALSE(during->FMinimizeButton || during->FMaximizeButton || during->FSizable);
  const auto toolState = FBackend->TopLevelState(tool->Handle());
  ASSERT_TRUE(toolState);
  EXPECT_TRUE(toolState->FCloseButton && toolState->FTopMost);
  EXPECT_FALSE(toolState->FMinimizeButton || toolState->FMaximizeButton || toolState->FSizable);
  EXPECT_FALSE(toolState->FDialogFrame);
  EXPECT_EQ(win::GetActiveWindow(), tool->Handle()) << "activation goes back to the owner";

  // Opened while no window is active, it belongs to none; a reused form does not keep the owner
  // of an earlier run.
  auto* modal = TCustomForm::Create<TForm>(FApplication.get());
  win::SetActiveWindow(nullptr);
  win::HWND ownerInside = tool->Handle();
  auto* closer = Timer(modal, 10, [&](TObject*) {
    ownerInside = win::GetWindow(modal->Handle(), win::GW_OWNER);
    modal->SetModalResult(mrOk);
  });
  EXPECT_EQ(modal->ShowModal(), mrOk);
  EXPECT_EQ(ownerInside, nullptr);
  win::SetActiveWindow(tool->Handle());
  ownerInside = nullptr;
  EXPECT_EQ(modal->ShowModal(), mrOk);
  EXPECT_EQ(ownerInside, tool->Handle());
  EXPECT_EQ(win::GetWindow(modal->Handle(), win::GW_OWNER), nullptr) << "given back after the run";
  closer->SetEnabled(false);
}

// Without an application object the quit message ends a modal loop, and stays queued for the
// loop that owns it.
TEST_F(ApplicationTest, TheQuitMessageEndsAModalLoopWithoutAnApplication) {
  FApplication.reset();
  TComponent owner(nullptr);
  auto* form = TCustomForm::Create<TForm>(&owner);
  Timer(form, 20, [](TObject* sender) {
    static_cast<TTimer*>(sender)->SetEnabled(false);
    win::PostQuitMessage(3);
  });
  EXPECT_EQ(form->ShowModal(), mrCancel);
  win::MSG msg{};
  ASSERT_TRUE(win::PeekMessageA(&msg, nullptr, win::WM_QUIT, win::WM_QUIT, win::PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST_F(ApplicationTest, TimersTickInsideModalLoops) {
  int ticks = 0, ticksDuringDialog = 0;
  bool inDialog = false;
  Timer(FApplication.get(), 20, [&](TObject*) {
    ++ticks;
    if (inDialog) ++ticksDuringDialog;
  });
  // The user answers after five ticks.
  TTimer* answer = Timer(FApplication.get(), 100, [&](TObject* sender) {
    static_cast<TTimer*>(sender)->SetEnabled(false);
    win::wnd::InjectKey(win::VK_ESCAPE, true);
    win::wnd::InjectKey(win::VK_ESCAPE, false);
  });
  answer->SetEnabled(false);
  SetModalDialogHook([&](TMessageForm&) {
    answer->SetEnabled(true);
    return true;
  });
  inDialog = true;
  ShowMessage("wait");
  inDialog = false;
  EXPECT_EQ(ticksDuringDialog, 5);
}

TEST_F(ApplicationTest, DialogsOpenedInsideModalLoopsAreSafe) {
  int nested = 0;
  TTimer* timer = Timer(FApplication.get(), 20, [&](TObject* sender) {
    static_cast<TTimer*>(sender)->SetEnabled(false);
    ++nested;
    ShowMessage("inner");
  });
  timer->SetEnabled(false);
  std::vector<std::string> shown;
  SetModalDialogHook([&](TMessageForm& dialog) {
    shown.push_back(dialog.Message());
    if (dialog.Message() == "inner") {
      win::wnd::InjectKey(win::VK_ESCAPE, true);
      win::wnd::InjectKey(win::VK_ESCAPE, false);
      return true;
    }
    timer->SetEnabled(true);
    // Answered only after the inner dialog: its Escape goes first.
    TTimer* later = Timer(&dialog, 200, [](TObject*) {
      win::wnd::InjectKey(win::VK_ESCAPE, true);
      win::wnd::InjectKey(win::VK_ESCAPE, false);
    });
    (void)later;
    return true;
  });
  ShowMessage("outer");
  EXPECT_EQ(nested, 1);
  EXPECT_EQ(shown, (std::vector<std::string>{"outer", "inner"}));
}

TEST_F(ApplicationTest, AnErrorReportInsideAModalDialogIsShownAndTheDialogGoesOn) {
  Timer(FApplication.get(), 20, [&](TObject* sender) {
    static_cast<TTimer*>(sender)->SetEnabled(false);
    throw EInvalidOperation("tick");
  });
  SetModalDialogHook([&](TMessageForm& dialog) {
    if (dialog.Message() != "outer") return false;
    Timer(&dialog, 100, [](TObject*) {
      win::wnd::InjectKey(win::VK_RETURN, true);
      win::wnd::InjectKey(win::VK_RETURN, false);
    });
    return true;
  });
  ShowMessage("outer");
  ASSERT_EQ(Dialogs().size(), 1u);
  EXPECT_EQ(Dialogs()[0].FText, "tick.");
}

}  // namespace
}  // namespace fw::testing
