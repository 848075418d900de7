#pragma once
// The main window loaded as start-up loads it, with every dialog answered by a script,
// for driving its menus the way a user would.
#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "core/form1.h"
#include "core/form15.h"
#include "core/form4.h"
#include "core/startup.h"
#include "core/state.h"
#include "engine/form1_menus.h"
#include "engine/slidescreen.h"
#include "listeditor/form1_menus_file.h"
#include "listeditor/form3.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "schedule/form9.h"
#include "sound/form10.h"
#include "sound/form13.h"
#include "sound/form14.h"
#include "sound/form17.h"
#include "sound/form1_menus_sound.h"
#include "sound/form2.h"
#include "sound/form8.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace menus_test {

// One scripted answer: a text for an input box or chooser, Cancel, or a button.
struct Reply {
  enum Kind { kText, kCancel, kButton } kind = kCancel;
  QString text;
  int button = platform::vbOK;
};
inline Reply Text(const QString& t) { return {Reply::kText, t, 0}; }
inline Reply Cancel() { return {Reply::kCancel, {}, 0}; }
inline Reply Button(int b) { return {Reply::kButton, {}, b}; }
inline Reply Yes() { return Button(platform::vbYes); }
inline Reply No() { return Button(platform::vbNo); }
inline Reply Ok() { return Button(platform::vbOK); }

// Lets events run until `done` holds (ten seconds at the most unless told).
using test_support::WaitFor;

using test_support::AppFile;
using test_support::CloseAllWindows;
using test_support::RemoveSettingsFiles;

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    CloseAllWindows();
    RemoveSettingsFiles();
    core::ResetAllState();
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    core::TitlePanelTestHooks() = {};
    core::TitlePanelTestHooks().holdSeconds = 0.01;
    core::Main({});
    WaitFor([] { return core::Flags().TitlePanelDone == 1; }, 3000);
    ASSERT_NE(core::Form1IfLoaded(), nullptr);
    dialogs_.ClearCalls();
  }

  void TearDown() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    CloseAllWindows();
    RemoveSettingsFiles();
    core::ResetAllState();
    core::TitlePanelTestHooks() = {};
    core::SetProgramEndHandler(nullptr);
  }

  core::Form1& Main() { return core::form1(); }

  void Script(const std::vector<Reply>& replies) {
    for (const Reply& r : replies) {
      switch (r.kind) {
        case Reply::kText:
          dialogs_.AnswerText(r.text);
          break;
        case Reply::kCancel:
          dialogs_.AnswerCancel();
          break;
        case Reply::kButton:
          dialogs_.Answer(r.button);
          break;
      }
    }
  }

  // The titles of the dialogs shown since the last ClearCalls, in order.
  QStringList Titles() const {
    QStringList titles;
    for (const auto& call : dialogs_.Calls()) titles << call.title;
    return titles;
  }

  static int Ticked(const platform::MenuArray& menu) { return menu.CheckedIndex(); }
  static int TickCount(platform::MenuArray& menu) {
    int n = 0;
    for (int i = 0; i < menu.Count(); ++i) n += menu[i].Checked() ? 1 : 0;
    return n;
  }

  platform::ScriptedDialogs dialogs_;
};

}  // namespace menus_test
