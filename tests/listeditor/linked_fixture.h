#pragma once
// The slide list window with its linked-file services entered, a row chosen as a user
// chooses it, and the windows these cases open (recorder, double-click window, folder
// window, text windows) closed after each case.
#include <QApplication>
#include <QTimer>

#include "core/services.h"
#include "form3_fixture.h"
#include "listeditor/form12.h"
#include "listeditor/form7.h"
#include "listeditor/linked_services.h"
#include "listeditor/sound_services.h"
#include "platform/texteditor.h"
#include "platform/wavinfo.h"
#include "sound/form20.h"

namespace form3_test {

class LinkedTest : public Form3Test {
 protected:
  void SetUp() override {
    Form3Test::SetUp();
    listeditor::RegisterSoundServices();
    listeditor::RegisterLinkedFileServices();
  }

  void TearDown() override {
    if (auto* w = listeditor::Form7IfLoaded()) w->Unload();
    if (auto* w = listeditor::Form12IfLoaded()) w->Unload();
    if (auto* w = sound::Form20IfLoaded()) w->Unload();
    CloseTextWindows();
    platform::DestroyPendingNow();
    core::ResetServices();
    Form3Test::TearDown();
  }

  static std::vector<platform::TextEditorWindow*> TextWindows() {
    std::vector<platform::TextEditorWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* e = qobject_cast<platform::TextEditorWindow*>(w); e && e->isVisible())
        found.push_back(e);
    return found;
  }
  static void CloseTextWindows() {
    for (platform::TextEditorWindow* e : TextWindows()) e->close();
    platform::DestroyPendingNow();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // The rows, the first of them chosen (current and the only one selected).
  listeditor::Form3& WithRows(const QStringList& paths, int chosen = 0) {
    listeditor::Form3& w = Editor();
    SetRows(paths);
    w.List1.SetListIndex(chosen);
    return w;
  }

  // The path of `name` in the picture folder.
  QString InPictures(const QString& name) const { return pictures_.filePath(name); }

  // The recorder window, when it comes up modally, is noted and closed again.
  void CloseRecorderWhenShown() {
    recorderShown_ = false;
    // Whichever of the pending checks sees the window notes it; none takes the note back.
    // A check still pending when the case ends goes with it.
    QTimer::singleShot(0, &checks_, [this] {
      sound::Form20* r = sound::Form20IfLoaded();
      if (!r) return;
      if (r->isVisible() && r->isModal()) recorderShown_ = true;
      r->Command3_Click();
    });
  }
  bool recorderShown_ = false;
  QObject checks_;
};

}  // namespace form3_test
