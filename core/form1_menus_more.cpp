// Connects the main window's effect, sound and CD, file and help menus, and installs what
// the file readers and the shutdown need of the windows those menus open.
#include "core/form1_menus_more.h"

#include "core/common.h"
#include "core/form1.h"
#include "core/form15.h"
#include "core/services.h"
#include "core/state.h"
#include "platform/menu.h"
#include "platform/texteditor.h"

namespace core {

void ConnectMoreMenus(Form1& f) {
  using platform::MenuArray;
  using platform::MenuItem;
  auto array = [&f](MenuArray& menu, void (*handler)(Form1&, int)) {
    QObject::connect(&menu, &MenuArray::Click, &f, [&f, handler](int index) { handler(f, index); });
  };
  auto item = [&f](MenuItem& menu, void (*handler)(Form1&)) {
    QObject::connect(&menu, &MenuItem::Click, &f, [&f, handler] { handler(f); });
  };

  array(f.mnuHKO, mnuHKO_Click);
  array(f.mnuSYOUKO, mnuSYOUKO_Click);
  array(f.mnuKSPSEL, mnuKSPSEL_Click);
  item(f.mnuHKSP, mnuHKSP_Click);
  item(f.mnuSKSP, mnuSKSP_Click);

  array(f.mnuKOU, mnuKOU_Click);
  array(f.mnuDOU, mnuDOU_Click);
  array(f.mnuKOICHI1, mnuKOICHI1_Click);
  array(f.mnuTEXT, mnuTEXT_Click);
  array(f.mnuCDRND, mnuCDRND_Click);
  item(f.mnuCD, mnuCD_Click);
  array(f.mnuCDR, mnuCDR_Click);
  array(f.mnuCDWAV, mnuCDWAV_Click);

  item(f.mnuNEW, mnuNEW_Click);
  item(f.mnuOPEN, mnuOPEN_Click);
  item(f.mnuSAVE, mnuSAVE_Click);
  item(f.mnuHAIHU, mnuHAIHU_Click);
  array(f.menuHEAD, menuHEAD_Click);
  item(f.mnuURU, mnuURU_Click);
  item(f.mnuRENF, mnuRENF_Click);
  QObject::connect(&f.mnuICHI, &MenuItem::Click, &f, [] { TheServices().OpenFourUpView(); });
  item(f.mnuREADME, mnuREADME_Click);
  item(f.mnuSUB, mnuSUB_Click);

  // The text viewer is closed as its close box would close it; a viewer that is gone
  // already raises an error, so that CloseTextViewer keeps its task id.
  SetTextViewerCloser([] { platform::CloseTextEditor(Paths().NotepadTaskId); });
}

}  // namespace core
