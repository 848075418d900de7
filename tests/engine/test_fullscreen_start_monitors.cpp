// The program started on a slideshow file with its main window on the second of two
// monitors: the show starts by itself full screen on that monitor, and Esc ends it.
// Runs in a child process whose offscreen platform has the two screens.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>

#include "core/settings_file.h"
#include "platform/appfolder.h"
#include "test_slidescreen_fixture.h"
#include "tests/support/screens.h"

namespace {

using show_test::SlideColour;
using show_test::WaitFor;

TEST(FullScreenStartOnScreens, CommandLineShowCoversTheMainWindowsMonitor) {
  test_support::RunChildWithScreens(test_support::kSideBySideScreens,
                                    "FullScreenStartChild.DISABLED_CommandLineShowOnMonitorB");
}

// Runs only inside the case above, with monitor B to the right of the primary A.
TEST(FullScreenStartChild, DISABLED_CommandLineShowOnMonitorB) {
  ASSERT_EQ(QGuiApplication::screens().size(), 2);
  core::SetProgramEndHandler([](core::ProgramEnd) {});
  platform::ScriptedDialogs dialogs;
  engine::SetEffectPacing(engine::EffectPacing::NoWaits());
  QTemporaryDir dir;

  // An earlier run left the main window on B; the show's options as a user set them.
  core::ResetAllState();
  core::BuildMonitorTable();
  QWidget earlierMain;
  earlierMain.setGeometry(2200, 200, 600, 400);
  earlierMain.show();
  platform::DoEvents();
  core::Monitors().MainHwnd = &earlierMain;
  core::Paths().AppFolder = platform::AppFolderPath();
  core::ShowSettings& s = core::Settings();
  s.SlideIntervalSeconds = 5;
  s.RandomOrderOff = 1;
  s.SoundMode = 7;
  s.TextMacroOff = 1;
  s.WavSyncOff = 1;
  s.DefaultSoundFile = "*.wav";
  s.CdWithLinkedWavOff = 1;
  s.DisplayEffect = engine::kEffectFromCentre;
  s.EraseEffect = engine::kEraseEffectLinked;
  s.DisplayEffectSpeed = s.EraseEffectSpeed = -30;
  s.DisplaySlitCount = s.EraseSlitCount = s.DisplayMosaicCount = s.EraseMosaicCount = 10;
  s.FullStartConfirmOff = 1;
  s.AlwaysFullScreenOff = 0;
  s.AutoStartOff = 1;
  s.ControlBoxOff = 1;
  s.SizeAdjustMode = 1;
  core::SaveSettingsFile();
  QStringList slides;
  for (int i = 1; i <= 2; ++i) {
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(SlideColour(i));
    slides << dir.filePath(QString("m%1.png").arg(i));
    ASSERT_TRUE(picture.save(slides.last()));
    listeditor::form3().List1.AddItem(slides.last());
    listeditor::form3().List2.AddItem(QString(30, ' '));
  }
  QString show = dir.filePath("two.kvz");
  core::SaveSlideshowFile(show);
  // Saving named the file in the main window's caption, which loaded it: that run ends
  // (its shutdown writes the settings again, the main window still on B).
  core::form1().Unload();
  platform::DestroyPendingNow();
  ASSERT_EQ(core::Form1IfLoaded(), nullptr);
  core::SetProgramEndHandler([](core::ProgramEnd) {});  // a new run: not ended
  core::ResetAllState();

  // slideshow two.kvz
  core::Main({show});
  ASSERT_TRUE(WaitFor([] { return core::Flags().ShowRunning == 1; }));
  engine::Slidescreen& screen = engine::slidescreen();
  EXPECT_EQ(core::Monitors().MonitorIndex, 1);
  EXPECT_EQ(screen.geometry(), QRect(1920, 0, 1280, 1024));
  EXPECT_EQ(screen.P2.Image().size(), QSize(1280, 1024));
  // The first slide, centred on B, brought in from the centre.
  EXPECT_EQ(screen.P2.Image().pixel(640, 512), SlideColour(1).rgb());
  EXPECT_EQ(screen.P2.Image().pixel(5, 5), qRgb(0, 0, 0));
  EXPECT_EQ(core::Paths().CurrentSlideFileName, "m1.png");
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 2);
  EXPECT_FALSE(core::form1().isVisible());
  EXPECT_TRUE(dialogs.Calls().empty());

  // Esc: the show ends, the main window comes back on B.
  QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&screen.P2, &esc);
  EXPECT_EQ(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_EQ(core::Flags().ShowStopped, 1);
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 0);
  ASSERT_TRUE(WaitFor([] { return core::form1().isVisible(); }));
  EXPECT_EQ(core::GetMonitorIndex(&core::form1()), 1);
  EXPECT_TRUE(core::form1().Command1.Enabled());
}

}  // namespace
