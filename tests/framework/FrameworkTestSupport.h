// Test support for the control classes: a fixture that runs each test on a fresh headless
// backend with an application object, and helpers that drive input and the message loop.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Dialogs.h"
#include "framework/StandardControls.h"
#include "framework/platform/VirtualKeys.h"
#include "framework/platform/windowing/HeadlessBackend.h"
#include "framework/platform/windowing/InputInjection.h"
#include "framework/platform/windowing/Runtime.h"

namespace fw::testing {

class TFrameworkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FBackend = &win::wnd::UseHeadlessBackend();
    FBackend->SetQuiet(true);
    FBackend->SetScreenSize(1024, 768);
    RegisterStandardControls();
    FApplication = std::make_unique<TApplication>(nullptr);
    FApplication->SetTitle("Tovu");
  }
  void TearDown() override {
    SetModalDialogHook(nullptr);
    FApplication.reset();
    win::wnd::Runtime().Reset();
  }

  // Handles every message that is due now (no waiting for timers).
  void Pump() { FApplication->ProcessMessages(); }
  // Lets virtual time pass, handling every message and timer tick that falls due meanwhile.
  void RunFor(unsigned Milliseconds) {
    const std::uint64_t end = FBackend->NowMs() + Milliseconds;
    for (;;) {
      Pump();
      const std::uint64_t now = FBackend->NowMs();
      if (now >= end) break;
      FBackend->AdvanceClock(std::min<std::uint64_t>(1, end - now));
    }
    Pump();
  }
  void MoveTo(int X, int Y) {
    win::wnd::InjectPointerMove(win::POINT{X, Y});
    Pump();
  }
  void Press(int Button = win::VK_LBUTTON) {
    win::wnd::InjectButton(Button, true);
    Pump();
  }
  void Release(int Button = win::VK_LBUTTON) {
    win::wnd::InjectButton(Button, false);
    Pump();
  }
  void ClickAt(int X, int Y) {
    MoveTo(X, Y);
    Press();
    Release();
  }
  void Key(int VirtualKey) {
    win::wnd::InjectKey(VirtualKey, true);
    win::wnd::InjectKey(VirtualKey, false);
  }

  win::wnd::THeadlessBackend* FBackend = nullptr;
  std::unique_ptr<TApplication> FApplication;
};

}  // namespace fw::testing
