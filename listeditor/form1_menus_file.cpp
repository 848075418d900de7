// The file menu, the user macro header choice, the link-list and linked-folder items and
// the help texts.
#include "listeditor/form1_menus_file.h"

#include <QFile>
#include <QFileInfo>

#include "core/form1.h"
#include "core/list_file.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/menu.h"
#include "platform/texteditor.h"
#include "platform/vberror.h"
#include "platform/vbfile.h"
#include "sound/form10.h"

namespace listeditor {

using namespace core;

namespace {

void CloseFourUpView() {
  if (Flags().FourUpViewOpen == 1) TheServices().CloseFourUpView();
}

// The two paths denote one file: the same path, letter case not counting, or the same
// file once links and relative parts are resolved.
bool SameFile(const QString& a, const QString& b) {
  const QFileInfo fa(a), fb(b);
  if (fa.absoluteFilePath().compare(fb.absoluteFilePath(), Qt::CaseInsensitive) == 0) return true;
  const QString ca = fa.canonicalFilePath(), cb = fb.canonicalFilePath();
  return !ca.isEmpty() && ca == cb;
}

// Every line of the file, each ended by CR LF (a last line without a line break gets
// one). The bytes of a line are copied as they are.
QByteArray WithCrLfLines(const QByteArray& bytes) {
  QByteArray out;
  out.reserve(bytes.size() + bytes.size() / 16 + 2);
  qsizetype start = 0;
  const qsizetype n = bytes.size();
  while (start < n) {
    qsizetype end = start;
    while (end < n && bytes[end] != '\r' && bytes[end] != '\n') ++end;
    out.append(bytes.constData() + start, end - start);
    out.append("\r\n");
    if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return out;
}

// Copies the chosen header file line by line over AppFolder's "header.txt". The copy is
// written to a temporary file first: a file that cannot be read or written leaves
// "header.txt" as it was.
void CopyHeaderFile(const QString& chosen, const QString& target) {
  if (SameFile(chosen, target)) return;
  QFile in(chosen);
  if (!in.open(QIODevice::ReadOnly)) return;
  const QByteArray bytes = in.readAll();
  if (in.error() != QFileDevice::NoError) return;
  in.close();
  platform::SaveFileAtomically(target, WithCrLfLines(bytes));
}

}  // namespace

// ---- file menu ------------------------------------------------------------------------------

void mnuNEW_Click(Form1&) {
  CloseFourUpView();
  form3().Command15_Click();
  form3().Command1_Click();
  sound::form10().Command4_Click();
  sound::form10().Command1_Click();
  Windows().NewLinkList();
}

void mnuOPEN_Click(Form1&) {
  CloseFourUpView();
  form3().Command6_Click();
  form3().Command1_Click();
}

void mnuSAVE_Click(Form1&) {
  form3().Command7_Click();
  form3().Command1_Click();
}

void mnuHAIHU_Click(Form1&) {
  form3().Command9_Click();
  form3().Command1_Click();
}

// ---- user macro header ------------------------------------------------------------------------

void menuHEAD_Click(Form1& f, int index) {
  ShowSettings& s = Settings();
  ChooseMenuItem(f.menuHEAD, s.UserMacroHeaderOff, index);
  if (index != 0) return;

  std::optional<QString> chosen;
  platform::TryStep([&chosen] {
    chosen = platform::OpenFileDialog(
        QStringLiteral("ユーザマクロヘッダーファイルを選択してください"),
        QStringLiteral("ヘッダーFiles (header*.txt)|header*.txt|すべてのﾌｧｲﾙ(*.*)|*.*"), QString(),
        AppDataFolder());
  });
  // The program's own header counts as existing also when named in other letter case.
  const QString target = AppDataFolder() + QStringLiteral("header.txt");
  const bool exists =
      chosen && !chosen->isEmpty() &&
      (QFileInfo(*chosen).isFile() || (SameFile(*chosen, target) && QFileInfo(target).isFile()));
  if (!exists) {
    platform::MsgBox(
        QStringLiteral(
            "ヘッダーファイルが選択されていません。正しいファイル名を選択してください。"),
        platform::vbExclamation, QStringLiteral("ファイル選択エラー"));
    ChooseMenuItem(f.menuHEAD, s.UserMacroHeaderOff, 1);
    return;
  }
  platform::TryStep([&chosen, &target] { CopyHeaderFile(*chosen, target); });
}

// ---- link list, linked folder ------------------------------------------------------------------

void mnuURU_Click(Form1& f) {
  if (Flags().FourUpViewOpen == 1) TheServices().UnloadFourUpView();
  if (f.Command6.Enabled() && Flags().ShowRunning != 1) {
    Windows().ShowLinkList();
    f.Hide();
    Flags().LinkEditorOpen = 1;
  }
}

void mnuRENF_Click(Form1&) { TheServices().ShowLinkedFilesFolderWindow(); }

// ---- help texts
// ----------------------------------------------------------------------------------

void OpenHelpText(const QString& name) {
  const QString path = AppDataFolder() + name;
  const bool opened = platform::TryStep([&path] {
    if (!QFileInfo(path).isFile())
      throw platform::VbError(platform::kErrFileNotFound, QStringLiteral("File not found"));
    Paths().NotepadTaskId = static_cast<short>(platform::OpenTextEditor(path));
  });
  if (!opened) {
    platform::MsgBox(name + QStringLiteral("が読込めません。"), platform::vbExclamation,
                     QStringLiteral("読込みエラー"));
  }
}

void mnuREADME_Click(Form1&) { OpenHelpText(QStringLiteral("Readme.txt")); }

void mnuSUB_Click(Form1&) { OpenHelpText(QStringLiteral("マクロ.txt")); }

void ConnectFileMenus(Form1& f) {
  using platform::MenuArray;
  using platform::MenuItem;
  auto item = [&f](MenuItem& menu, void (*handler)(Form1&)) {
    QObject::connect(&menu, &MenuItem::Click, &f, [&f, handler] { handler(f); });
  };
  item(f.mnuNEW, mnuNEW_Click);
  item(f.mnuOPEN, mnuOPEN_Click);
  item(f.mnuSAVE, mnuSAVE_Click);
  item(f.mnuHAIHU, mnuHAIHU_Click);
  QObject::connect(&f.menuHEAD, &MenuArray::Click, &f,
                   [&f](int index) { menuHEAD_Click(f, index); });
  item(f.mnuURU, mnuURU_Click);
  item(f.mnuRENF, mnuRENF_Click);
  QObject::connect(&f.mnuICHI, &MenuItem::Click, &f, [] { TheServices().OpenFourUpView(); });
  item(f.mnuREADME, mnuREADME_Click);
  item(f.mnuSUB, mnuSUB_Click);
}

}  // namespace listeditor
