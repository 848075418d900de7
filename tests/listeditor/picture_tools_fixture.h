#pragma once
// A fixture for the picture tools: the main window loaded, the slide list committed and held
// by the slide list window, pictures made by the test in folders of the case's own, and
// every dialog answered by a script.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "core/form1.h"
#include "core/services.h"
#include "core/state.h"
#include "listeditor/form11.h"
#include "listeditor/form16.h"
#include "listeditor/form3.h"
#include "listeditor/form5.h"
#include "listeditor/picture_tools.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/support/files.h"
#include "tests/support/show_setup.h"
#include "tests/support/wait.h"
#include "tests/support/windows.h"

namespace picture_tools_test {

using test_support::ReadBytes;
using test_support::WaitFor;

// A tmpfs mounted over a folder of its own: small enough to fill, or made read-only after
// the case has put its files in. Only root can mount; cases skip otherwise.
class Mount {
 public:
  explicit Mount(int kilobytes) {
    if (geteuid() != 0) return;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    mounted_ = mount("tmpfs", Native(), "tmpfs", 0, options.constData()) == 0;
  }
  ~Mount() {
    if (mounted_) umount2(Native(), MNT_DETACH);
  }
  Mount(const Mount&) = delete;
  Mount& operator=(const Mount&) = delete;

  bool Mounted() const { return mounted_; }
  QString Path() const { return dir_.path(); }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  bool MakeReadOnly() {
    return mounted_ && mount("tmpfs", Native(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }
  void Fill() const {
    QFile f(Path(QStringLiteral("filler")));
    if (!f.open(QIODevice::WriteOnly)) return;
    const QByteArray block(4096, 'x');
    while (f.write(block) == block.size() && f.flush()) {
    }
  }

 private:
  const char* Native() const {
    native_ = QFile::encodeName(dir_.path());
    return native_.constData();
  }
  QTemporaryDir dir_;
  mutable QByteArray native_;
  bool mounted_ = false;
};

class PictureToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    core::SetProgramEndHandler([](core::ProgramEnd) {});
    CloseTools();
    core::Form1& main = test_support::MainWindowForShows();
    test_support::QuietShow(/*controlBoxOff=*/1, /*sizeAdjustMode=*/1);
    core::Paths().AppFolder = appFolder_.path() + QStringLiteral("/");
    core::ResetServices();
    listeditor::RegisterPictureToolServices();
    listeditor::ResetFourUpState();
    main.Command6.SetEnabled(true);
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    editor.Timer1.SetEnabled(false);
    ASSERT_TRUE(src_.isValid() && dst_.isValid());
  }

  void TearDown() override {
    CloseTools();
    test_support::CloseShowWindows();
    if (core::Form1* f1 = core::Form1IfLoaded()) f1->Timer1.SetEnabled(false);
    core::ResetServices();
    platform::SetScreenMousePointer(0);
    core::ResetAllState();
  }

  static void CloseTools() {
    if (auto* w = listeditor::Form11IfLoaded()) w->Unload();
    if (auto* w = listeditor::Form16IfLoaded()) w->Unload();
    if (auto* w = listeditor::Form5IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
  }

  // A picture file of w x h in one colour; `format` as Qt names it ("JPEG", "PNG", "BMP").
  static QString MakePicture(const QString& path, int w, int h, const char* format = "JPEG",
                             QColor colour = QColor(200, 40, 40)) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    EXPECT_TRUE(image.save(path, format)) << path.toStdString();
    return path;
  }

  // The slide list committed and held by the slide list window; records default to blanks.
  static void SetSlides(const QStringList& paths, const QStringList& records = {}) {
    listeditor::Form3& editor = listeditor::form3();
    editor.List1.Clear();
    editor.List2.Clear();
    core::ListState& lists = core::Lists();
    lists.SlidePaths.Erase();
    lists.SlideAddDateTimes.Erase();
    lists.SlideDeleteDateTimes.Erase();
    for (int i = 0; i < paths.size(); ++i) {
      const QString record = i < records.size() ? records[i] : QString(30, u' ');
      editor.List1.AddItem(paths[i]);
      editor.List2.AddItem(record);
      lists.SlidePaths[i + 1] = paths[i];
      lists.SlideAddDateTimes[i + 1] = core::ScheduleAddMoment(record);
      lists.SlideDeleteDateTimes[i + 1] = core::ScheduleDeleteMoment(record);
    }
    lists.SlideEndIndex = static_cast<short>(paths.size() + 1);
  }

  static QStringList EditorPaths() { return listeditor::form3().List1.Items(); }
  static QStringList CommittedPaths() {
    QStringList paths;
    const core::ListState& lists = core::Lists();
    for (int i = 1; i < lists.SlideEndIndex; ++i) paths << lists.SlidePaths[i];
    return paths;
  }

  // The names in a folder, sorted.
  static QStringList Names(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
  }

  // Opens the four-up view from the menu and waits until its first page is drawn.
  static listeditor::Form5& OpenView() {
    listeditor::mnuICHI_Click();
    listeditor::Form5& view = listeditor::form5();
    EXPECT_TRUE(WaitForPage(view));
    return view;
  }

  static bool WaitForPage(listeditor::Form5& view) {
    return WaitFor([&view] {
      return core::Flags().FourUpViewOpen == 1 && view.CellsDrawn == 4 && !view.Timer1.Enabled();
    });
  }

  // A left click on a cell, with `act` run on the copy dialog once it is up and activated.
  static void LeftClickThen(listeditor::Form5& view, int cell,
                            const std::function<void(listeditor::Form11&)>& act) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      listeditor::Form11& dialog = listeditor::form11();
      WaitFor([&dialog] { return dialog.isVisible(); }, 3000);
      platform::DoEvents();
      platform::DoEvents();
      act(dialog);
      ran = true;
      if (dialog.isVisible()) dialog.Hide();
    });
    view.Image1_MouseDown(cell, 1, 0, 0, 0);
    EXPECT_TRUE(ran);
  }

  QStringList Titles() const {
    QStringList titles;
    for (const auto& call : dialogs_.Calls()) titles << call.title;
    return titles;
  }

  platform::ScriptedDialogs dialogs_;
  QTemporaryDir src_;
  QTemporaryDir dst_;
  QTemporaryDir appFolder_;
};

}  // namespace picture_tools_test
