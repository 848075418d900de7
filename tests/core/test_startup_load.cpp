// Start-up and shutdown run in the test process: defaults and their menu ticks, the
// settings files read back, the automatic start, the single-copy rule, a rejected
// command-line file, the order of the shutdown writes and the termination signals.
#include <sys/inotify.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "core/linklist_file.h"
#include "test_startup_fixture.h"

namespace {

using startup_test::AppFile;
using startup_test::StartupTest;
using startup_test::WaitFor;

using MenuMember = platform::MenuArray core::Form1::*;
using ValueMember = short core::ShowSettings::*;

struct TickCase {
  const char* menu;
  MenuMember array;
  ValueMember value;
  short expected;
};

int TickCount(platform::MenuArray& menu) {
  int n = 0;
  for (int i = 0; i < menu.Count(); ++i) n += menu[i].Checked() ? 1 : 0;
  return n;
}

using core::Form1;
using core::ShowSettings;

const TickCase kStartupTicks[] = {
    {"mnuYOMI", &Form1::mnuYOMI, &ShowSettings::PictureLoadMode, 0},
    {"mnuKSPSEL", &Form1::mnuKSPSEL, &ShowSettings::EffectSpeedFixed, 0},
    {"mnuFULL_FL", &Form1::mnuFULL_FL, &ShowSettings::AlwaysFullScreenOff, 1},
    {"mnuHICHI", &Form1::mnuHICHI, &ShowSettings::PicturePosition, 0},
    {"mnuKAIRO", &Form1::mnuKAIRO, &ShowSettings::OverlayBackColorIndex, 0},
    {"mnuSOP1", &Form1::mnuSOP1, &ShowSettings::ContinueStart, 0},
    {"mnuJYUF", &Form1::mnuJYUF, &ShowSettings::SecondInstanceOff, 0},
    {"mnuSTKAKU", &Form1::mnuSTKAKU, &ShowSettings::FullStartConfirmOff, 0},
    {"mnuCDWAV", &Form1::mnuCDWAV, &ShowSettings::CdWithLinkedWavOff, 1},
    {"mnuKUFL", &Form1::mnuKUFL, &ShowSettings::RepeatOff, 0},
    {"mnuKOU", &Form1::mnuKOU, &ShowSettings::SoundMode, 7},
    {"mnuAUT", &Form1::mnuAUT, &ShowSettings::AutoStartOff, 1},
    {"mnuCTL", &Form1::mnuCTL, &ShowSettings::ControlBoxOff, 1},
    {"mnuSIZE", &Form1::mnuSIZE, &ShowSettings::SizeAdjustMode, 1},
    {"mnuHKO", &Form1::mnuHKO, &ShowSettings::DisplayEffect, 9},
    {"mnuKOICHI1", &Form1::mnuKOICHI1, &ShowSettings::LinkedSoundAfterText, 1},
    {"mnuLSAKU", &Form1::mnuLSAKU, &ShowSettings::ErrorEntryAutoRemove, 0},
    {"mnuRANDFL", &Form1::mnuRANDFL, &ShowSettings::RandomOrderOff, 1},
    {"mnuCDRND", &Form1::mnuCDRND, &ShowSettings::CdTrackOrder, 0},
    {"mnuKASANE", &Form1::mnuKASANE, &ShowSettings::OverlayMode, 0},
    {"mnuKASAS", &Form1::mnuKASAS, &ShowSettings::PictureSizeMode, 0},
    {"mnuSYOUKO", &Form1::mnuSYOUKO, &ShowSettings::EraseEffect, 9},
    {"mnuCDR", &Form1::mnuCDR, &ShowSettings::CdTrackRepeatOff, 1},
    {"mnuTEXT", &Form1::mnuTEXT, &ShowSettings::TextMacroOff, 1},
    {"mnuDOU", &Form1::mnuDOU, &ShowSettings::WavSyncOff, 1},
};

TEST_F(StartupTest, WithoutSettingsFilesEveryChoiceMenuTicksItsDefault) {
  Form1& f = Start();
  for (const TickCase& c : kStartupTicks) {
    platform::MenuArray& menu = f.*(c.array);
    EXPECT_EQ(core::Settings().*(c.value), c.expected) << c.menu;
    EXPECT_EQ(menu.CheckedIndex(), c.expected) << c.menu;
    EXPECT_EQ(TickCount(menu), 1) << c.menu;
  }
  const core::ShowSettings& s = core::Settings();
  EXPECT_EQ(s.SlideIntervalSeconds, 3);
  EXPECT_EQ(s.DisplayEffectSpeed, -30);
  EXPECT_EQ(s.EraseEffectSpeed, -30);
  EXPECT_EQ(s.DisplaySlitCount, 10);
  EXPECT_EQ(s.EraseMosaicCount, 10);
  EXPECT_EQ(s.EffectSpeedCorrection, 5);
  EXPECT_EQ(s.CdStartTrack, QStringLiteral("1"));
  EXPECT_EQ(s.DefaultSoundFile, QStringLiteral("*.wav"));
  EXPECT_EQ(s.DblClickPicture, 1);  // survives from the option reset
  EXPECT_FALSE(f.Timer1.Enabled());
  EXPECT_EQ(core::Paths().AppFolder, platform::AppFolderPath());
  EXPECT_TRUE(ends_.empty());
}

TEST_F(StartupTest, EmptyListShowsTheMainWindowWithOnlyTheEditorButtonsEnabled) {
  Form1& f = Start();
  EXPECT_TRUE(f.isVisible());
  EXPECT_EQ(f.Caption(), core::ProgramTitle());
  for (platform::CommandButton* b :
       {&f.Command1, &f.Command2, &f.Command3, &f.Command4, &f.Command5, &f.Command7})
    EXPECT_FALSE(b->Enabled()) << b->Caption().toStdString();
  for (platform::CommandButton* b : {&f.Command6, &f.Command10, &f.Command11})
    EXPECT_TRUE(b->Enabled()) << b->Caption().toStdString();
  EXPECT_FALSE(f.mnuKAHAI.Enabled());
  EXPECT_TRUE(f.mnuHKSP.Enabled());
  EXPECT_TRUE(f.mnuSKSP.Enabled());
  EXPECT_FALSE(f.mnuCDM.Enabled());  // sound mode 7
  EXPECT_EQ(core::Lists().SlideEndIndex, 0);
}

TEST_F(StartupTest, TicksFollowTheSettingsFileOfTheLastRun) {
  {
    Form1& f = Start();
    f.mnuKASAS[3].DoClick();
    f.mnuHICHI[1].DoClick();
    f.mnuKUFL[1].DoClick();
  }
  EndSession();

  Form1& f = Start();
  const core::ShowSettings& s = core::Settings();
  EXPECT_EQ(s.PictureSizeMode, 3);
  EXPECT_EQ(s.PicturePosition, 1);
  EXPECT_EQ(s.RepeatOff, 1);
  // The reader moved each tick off its default.
  EXPECT_EQ(f.mnuKASAS.CheckedIndex(), 3);
  EXPECT_EQ(TickCount(f.mnuKASAS), 1);
  EXPECT_EQ(f.mnuHICHI.CheckedIndex(), 1);
  EXPECT_EQ(TickCount(f.mnuHICHI), 1);
  EXPECT_EQ(f.mnuKUFL.CheckedIndex(), 1);
  EXPECT_EQ(TickCount(f.mnuKUFL), 1);
}

// A first run that leaves a slide list of two slides, optionally with auto start on.
void SaveTwoSlides(Form1& f, bool autoStart) {
  listeditor::Form3& editor = listeditor::form3();
  for (const char* path : {"/pictures/a.jpg", "/pictures/b.jpg"}) {
    editor.List1.AddItem(QString::fromLatin1(path));
    editor.List2.AddItem(QString(30, QLatin1Char(' ')));
  }
  if (autoStart) f.mnuAUT[0].DoClick();
}

TEST_F(StartupTest, SlidesWithAutoStartOffShowTheMainWindowReadyToStart) {
  SaveTwoSlides(Start(), false);
  EndSession();

  int panels = 0;
  core::TitlePanelTestHooks().onHold = [&panels] { ++panels; };
  Form1& f = Start();
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(f.Command1.Enabled());
  EXPECT_TRUE(f.Command4.Enabled());
  EXPECT_FALSE(f.Command2.Enabled());
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 0);
  EXPECT_EQ(panels, 1);
}

TEST_F(StartupTest, SlidesWithAutoStartStartTheShowWithoutTitlePanel) {
  SaveTwoSlides(Start(), true);
  EndSession();

  int panels = 0;
  core::TitlePanelTestHooks().onHold = [&panels] { ++panels; };
  Form1& f = Start();
  // As start-up leaves it, before the show window's activation begins the show.
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  EXPECT_EQ(core::Flags().TitlePanelDone, 1);
  EXPECT_EQ(f.SkipNextResize, 1);
  EXPECT_EQ(core::Lists().SlideEndIndex, 3);
  EXPECT_EQ(panels, 0);
  EXPECT_FALSE(f.isVisible());
  ASSERT_NE(engine::SlidescreenIfLoaded(), nullptr);
  EXPECT_TRUE(engine::slidescreen().isVisible());
  // The preview box was sized as a resize sizes it.
  EXPECT_NEAR(f.Picture1.Height(), f.Height() - 1450 - core::Surfaces().FrameExtraHeight, 15);
}

TEST_F(StartupTest, CommandLineLinkListBuildsTheLinkTableAndStartsByItself) {
  const QString path = platform::AppFolderPath() + QStringLiteral("run.usl");
  {
    Start();
    schedule::Form9& links = schedule::form9();
    links.List1.AddItem(QStringLiteral("/shows/one.kvz"));
    links.List1.AddItem(QStringLiteral("/shows/two.kvz"));
    QString saved = path;
    core::SaveLinkListFile(saved);
  }
  EndSession();
  ASSERT_TRUE(QFile::exists(path));

  Start({path});
  EXPECT_TRUE(ends_.empty());
  EXPECT_EQ(core::Flags().CmdLineMode, 2);
  EXPECT_EQ(core::Paths().OpenedFileFolder, platform::AppFolderPath());
  EXPECT_EQ(core::Lists().LinkListEntries[1], QStringLiteral("/shows/one.kvz"));
  EXPECT_EQ(core::Lists().LinkEndIndex, 3);
  EXPECT_EQ(core::Lists().LinkRunActive, 1);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  QFile::remove(path);
}

struct RejectedFileCase {
  const char* name;
  const char* file;
};

class RejectedCommandLineFile : public StartupTest,
                                public ::testing::WithParamInterface<RejectedFileCase> {};

TEST_P(RejectedCommandLineFile, WarnsAndEndsWithoutWritingAnything) {
  const QString path = QDir::tempPath() + QStringLiteral("/missing-dir/") + GetParam().file;
  Start({path});

  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0], core::ProgramEnd::kImmediate);
  const auto boxes = dialogs_.CallsOf(platform::DialogKind::kMsgBox);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, QStringLiteral("ファイルを開く"));
  EXPECT_EQ(boxes[0].text, path + QStringLiteral("\r\nこのファイル名は適合しません。"));
  EXPECT_EQ(boxes[0].icon, platform::vbExclamation);
  EXPECT_FALSE(core::form1().isVisible());
  for (const char* name : startup_test::kSettingsFiles) EXPECT_FALSE(QFile::exists(AppFile(name)));
}

INSTANTIATE_TEST_SUITE_P(Files, RejectedCommandLineFile,
                         ::testing::Values(RejectedFileCase{"SlideshowFile", "show.kvz"},
                                           RejectedFileCase{"LinkList", "links.usl"}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- single copy ---------------------------------------------------------------------------

// Run as a child process: holds the lock named in SLIDESHOW_TEST_LOCK until killed.
TEST(SingleCopyHelper, DISABLED_HoldLock) {
  const QString path = qEnvironmentVariable("SLIDESHOW_TEST_LOCK");
  if (path.isEmpty()) GTEST_SKIP();
  QLockFile lock(path);
  ASSERT_TRUE(lock.tryLock(0));
  std::printf("locked\n");
  std::fflush(stdout);
  for (int i = 0; i < 600; ++i) QThread::msleep(50);
}

// Starts a process that holds the lock file `name` of the program's folder until killed.
void HoldLockInAnotherProcess(QProcess& other, const QString& name) {
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("SLIDESHOW_TEST_LOCK"), platform::AppFolderPath() + name);
  other.setProcessEnvironment(env);
  other.start(QCoreApplication::applicationFilePath(),
              {QStringLiteral("--gtest_filter=SingleCopyHelper.DISABLED_HoldLock"),
               QStringLiteral("--gtest_also_run_disabled_tests")});
  ASSERT_TRUE(other.waitForStarted());
  ASSERT_TRUE(WaitFor([&other] {
    other.waitForReadyRead(10);
    return other.peek(4096).contains("locked");
  }));
}

TEST_F(StartupTest, SecondCopyWithSecondInstanceOffEndsAtOnceAndWritesNothing) {
  Start().mnuJYUF[1].DoClick();
  EndSession();

  core::ReleaseSingleCopyLock();
  QProcess other;
  HoldLockInAnotherProcess(other, QStringLiteral("slideshow.lock"));

  QByteArray before[3];
  for (int i = 0; i < 3; ++i) {
    QFile file(AppFile(startup_test::kSettingsFiles[i]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    before[i] = file.readAll();
  }
  const QDateTime settingsTime = QFileInfo(AppFile("autstart.dat")).lastModified();

  Start({QStringLiteral("/nowhere/never-opened.kvz")});
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0], core::ProgramEnd::kImmediate);
  EXPECT_FALSE(core::form1().isVisible());
  EXPECT_TRUE(dialogs_.Calls().empty());  // the command-line file was not opened
  for (int i = 0; i < 3; ++i) {
    QFile file(AppFile(startup_test::kSettingsFiles[i]));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before[i]) << startup_test::kSettingsFiles[i];
  }
  EXPECT_EQ(QFileInfo(AppFile("autstart.dat")).lastModified(), settingsTime);

  // The other copy dies: its lock is stale and no longer counts.
  other.kill();
  other.waitForFinished();
  EXPECT_FALSE(core::AnotherCopyRunning());
}

// Copies 1 and 2 ran side by side; copy 1 ended. Copy 2 still counts for a third copy.
TEST_F(StartupTest, EveryRunningCopyCountsNotOnlyTheFirst) {
  Start().mnuJYUF[1].DoClick();
  EndSession();
  core::ReleaseSingleCopyLock();
  QProcess second;
  HoldLockInAnotherProcess(second, QStringLiteral("slideshow.1.lock"));

  Start();
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0], core::ProgramEnd::kImmediate);
  core::ReleaseSingleCopyLock();  // the process end does so

  second.kill();
  second.waitForFinished();
  EXPECT_FALSE(core::AnotherCopyRunning());
  // The dead copy's lock is gone; this copy holds the first one.
  EXPECT_FALSE(QFile::exists(platform::AppFolderPath() + QStringLiteral("slideshow.1.lock")));
  EXPECT_TRUE(QFile::exists(platform::AppFolderPath() + QStringLiteral("slideshow.lock")));
  core::ReleaseSingleCopyLock();
}

TEST_F(StartupTest, SecondCopyAllowedByDefaultRunsBesideTheFirst) {
  core::ReleaseSingleCopyLock();
  QLockFile held(platform::AppFolderPath() + QStringLiteral("slideshow.lock"));
  ASSERT_TRUE(held.tryLock(0));  // another holder of the lock (this process, another object)
  Form1& f = Start();
  EXPECT_TRUE(ends_.empty());
  EXPECT_TRUE(f.isVisible());
  held.unlock();
}

// ---- shutdown ----------------------------------------------------------------------------------

// The names of the files created, moved in or written in the folder, in event order.
std::vector<QString> WrittenFiles(int fd) {
  std::vector<QString> names;
  alignas(inotify_event) char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n <= 0) break;
    for (ssize_t at = 0; at < n;) {
      const auto* e = reinterpret_cast<const inotify_event*>(buffer + at);
      if (e->len > 0) {
        const QString name = QString::fromUtf8(e->name);
        if (std::find(names.begin(), names.end(), name) == names.end()) names.push_back(name);
      }
      at += static_cast<ssize_t>(sizeof(inotify_event) + e->len);
    }
  }
  return names;
}

TEST_F(StartupTest, EndMenuWritesTheThreeSettingsFilesInOrderThenEnds) {
  Form1& f = Start();
  const int fd = ::inotify_init1(IN_NONBLOCK);
  ASSERT_GE(fd, 0);
  ASSERT_GE(::inotify_add_watch(fd, platform::AppFolderPath().toLocal8Bit().constData(),
                                IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE),
            0);
  bool filesThereAtEnd = false;
  core::SetProgramEndHandler([this, &filesThereAtEnd](core::ProgramEnd end) {
    ends_.push_back(end);
    filesThereAtEnd = true;
    for (const char* name : startup_test::kSettingsFiles)
      filesThereAtEnd = filesThereAtEnd && QFile::exists(AppFile(name));
  });

  f.nmuEND.DoClick();

  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0], core::ProgramEnd::kAfterShutdown);
  EXPECT_TRUE(filesThereAtEnd);
  std::vector<QString> written;
  for (const QString& name : WrittenFiles(fd))
    if (name.endsWith(QLatin1String(".dat"))) written.push_back(name);
  ::close(fd);
  EXPECT_EQ(written,
            (std::vector<QString>{QStringLiteral("uautst.dat"), QStringLiteral("autstart.dat"),
                                  QStringLiteral("wavlist.dat")}));
  // The other windows went with it.
  EXPECT_EQ(listeditor::Form3IfLoaded(), nullptr);
  EXPECT_EQ(core::Form4IfLoaded(), nullptr);
  EXPECT_EQ(schedule::Form9IfLoaded(), nullptr);
  EXPECT_EQ(sound::Form10IfLoaded(), nullptr);
}

TEST_F(StartupTest, TerminationSignalClosesTheMainWindowAsALogOffWould) {
  core::InstallTerminationSignalHandlers();
  Start();
  std::raise(SIGTERM);
  ASSERT_TRUE(WaitFor([this] { return !ends_.empty(); }));
  EXPECT_EQ(ends_[0], core::ProgramEnd::kAfterShutdown);
  for (const char* name : startup_test::kSettingsFiles) EXPECT_TRUE(QFile::exists(AppFile(name)));
}

}  // namespace
