// Entry points of the picture tools: the four-up menu, the conversion copy button, the
// refused destination folders and the services the main window and the show reach them by.
#include "listeditor/picture_tools.h"

#include <QDir>
#include <QFileInfo>

#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form11.h"
#include "listeditor/form16.h"
#include "listeditor/form3.h"
#include "listeditor/form5.h"
#include "platform/dialogs.h"

namespace listeditor {

FourUpState& FourUp() {
  static FourUpState state;
  return state;
}

void ResetFourUpState() { FourUp() = FourUpState(); }

QString FirstDestinationFolder() { return QStringLiteral("/home"); }

bool IsRefusedDestination(const QString& folder) {
  const QString clean = QDir::cleanPath(folder.trimmed());
  return clean == u'/' || clean == FirstDestinationFolder();
}

void mnuICHI_Click() {
  const core::RunFlags& flags = core::Flags();
  const QString title = QStringLiteral("４画面表示");
  if (flags.SlideListEditorOpen == 1) {
    platform::MsgBox(QStringLiteral("ファイル選択を終了させてから行って下さい。"),
                     platform::vbExclamation, title);
    return;
  }
  if (flags.LinkEditorOpen == 1) {
    platform::MsgBox(QStringLiteral("ＫＶＺリンクを終了させてから行って下さい。"),
                     platform::vbExclamation, title);
    return;
  }
  core::Form1& main = core::form1();
  if (!main.Command6.Enabled() || flags.ShowRunning != 0 || FourUpSlideCount() < 1) return;
  Form5& view = form5();
  view.Show();
  main.Hide();
  if (flags.FourUpViewOpen == 0) {
    view.Command1.SetEnabled(false);
    view.Command3.SetEnabled(false);
    if (FourUpSlideCount() > 4) view.Command1.SetEnabled(true);
  }
}

void OpenConversionCopy() {
  Form3& editor = form3();
  if (editor.List1.ListCount() == 0) return;
  if (editor.List1.SelCount() == 0) {
    platform::MsgBox(QStringLiteral("ファイルが選択されておりません。\r\n"
                                    "スライドリストをドラッグし、選択して下さい。"),
                     platform::vbExclamation, QStringLiteral("変換コピー選択エラー"));
    return;
  }
  form16().ShowModal();
}

void RegisterPictureToolServices() {
  core::Services& services = core::TheServices();
  services.CloseFourUpView = [] {
    if (Form5* view = Form5IfLoaded()) {
      view->Command2_Click();
    } else {
      core::Flags().FourUpViewOpen = 0;
      core::form1().Show();
    }
  };
  services.UnloadFourUpView = [] {
    if (Form5* view = Form5IfLoaded()) view->Unload();
    core::Flags().FourUpViewOpen = 0;
  };
  services.OpenFourUpView = mnuICHI_Click;
  services.UnloadPictureToolDialogs = [] {
    if (Form11* dialog = Form11IfLoaded()) dialog->Unload();
    if (Form16* conversion = Form16IfLoaded()) conversion->Unload();
  };
}

}  // namespace listeditor
