// The slide list window's double-click and the double-click window: the options decide
// between the recording question, the text question and the window; the window's buttons,
// its picture fitted to the main window's monitor, its show starts, and its closing, which
// removes only an untouched empty template.
#include <QImage>
#include <QUrl>

#include "core/monitors.h"
#include "engine/form24.h"
#include "engine/slidescreen.h"
#include "linked_fixture.h"
#include "tests/support/fake_tools.h"
#include "tests/support/pictures.h"

namespace form3_test {
namespace {

using listeditor::Form7;

class DblClickTest : public LinkedTest {
 protected:
  static void Options(short picture, short record, short wallpaper, short text, short show) {
    core::ShowSettings& s = core::Settings();
    s.DblClickPicture = picture;
    s.DblClickRecord = record;
    s.DblClickWallpaper = wallpaper;
    s.DblClickText = text;
    s.DblClickSlideshow = show;
  }
  static void FreshWindow() {
    if (Form7* w = listeditor::Form7IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
  }
  static bool WindowShown() {
    Form7* w = listeditor::Form7IfLoaded();
    return w && w->isVisible();
  }
  // The file state of a linked file before the case.
  enum class State { kNone, kTemplate, kRecording, kShort, kFolder };
  static QByteArray Recording() { return platform::NarrationWavTemplate() + QByteArray(200, 'r'); }
  static void Make(const QString& path, State state) {
    QFile::remove(path);
    QDir(path).removeRecursively();
    switch (state) {
      case State::kNone:
        break;
      case State::kTemplate:
        test_support::WriteBytes(path, platform::NarrationWavTemplate());
        break;
      case State::kRecording:
        test_support::WriteBytes(path, Recording());
        break;
      case State::kShort:
        test_support::WriteBytes(path, QByteArray(30, 's'));
        break;
      case State::kFolder:
        QDir().mkpath(path);
        break;
    }
  }
};

TEST_F(DblClickTest, RecordingAloneAsksToRecordOrOffersTheDelete) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString wav = InPictures(QStringLiteral("a.wav"));
  struct Case {
    const char* name;
    State state;
    int answer;
    QStringList titles;
    bool recorder;
    bool templateAfter;
  };
  const QString ask = QStringLiteral("効果音録音");
  const QString del = QStringLiteral("連動音声削除(WAV)");
  const Case cases[] = {
      {"none, yes", State::kNone, platform::vbYes, {ask}, true, true},
      {"none, no", State::kNone, platform::vbNo, {ask}, false, false},
      {"template, no", State::kTemplate, platform::vbNo, {ask, del}, false, true},
      {"recording, yes", State::kRecording, platform::vbYes, {ask}, true, false},
      {"recording, no", State::kRecording, platform::vbNo, {ask, del}, false, false},
      {"unreadable, no", State::kFolder, platform::vbNo, {ask}, false, false},
      {"unreadable, yes", State::kFolder, platform::vbYes, {ask}, true, false},
  };
  Options(0, 1, 0, 0, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshWindow();
    Make(wav, c.state);
    const QByteArray before = test_support::ReadBytes(wav);
    listeditor::Form3& w = WithRows({picture});
    w.Command18.SetEnabled(true);
    dialogs_->ClearCalls();
    Answer(c.answer);
    if (c.titles.size() == 2) Answer(platform::vbNo);  // the delete question keeps the file
    CloseRecorderWhenShown();
    w.List1_DblClick();
    EXPECT_EQ(Titles(), c.titles);
    EXPECT_EQ(Calls()[0].text, wav + QStringLiteral("\r\nの画像連動効果音を録音しますか ?"));
    EXPECT_EQ(recorderShown_, c.recorder);
    if (c.templateAfter)
      EXPECT_EQ(test_support::ReadBytes(wav), platform::NarrationWavTemplate());
    else if (c.state != State::kNone)
      EXPECT_EQ(test_support::ReadBytes(wav), before);
    else
      EXPECT_FALSE(QFileInfo::exists(wav));
    EXPECT_FALSE(WindowShown());
    EXPECT_FALSE(w.Command18.Enabled());
    EXPECT_EQ(w.List1.SelCount(), 0);
    platform::DestroyPendingNow();
  }
}

TEST_F(DblClickTest, TextAloneAsksToMakeTheTextOrOffersTheDelete) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString txt = InPictures(QStringLiteral("a.txt"));
  struct Case {
    const char* name;
    bool present;
    int answer;
    int questions;
    bool editor;
  };
  const Case cases[] = {
      {"none, yes", false, platform::vbYes, 1, true},
      {"none, no", false, platform::vbNo, 1, false},
      {"present, yes", true, platform::vbYes, 1, true},
      {"present, no", true, platform::vbNo, 2, false},
  };
  Options(0, 0, 0, 1, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshWindow();
    QFile::remove(txt);
    if (c.present) test_support::WriteBytes(txt, "mine\r\n");
    listeditor::Form3& w = WithRows({picture});
    dialogs_->ClearCalls();
    Answer(c.answer);
    if (c.questions == 2) Answer(platform::vbNo);
    w.List1_DblClick();
    ASSERT_EQ(static_cast<int>(Calls().size()), c.questions);
    EXPECT_EQ(Calls()[0].title, QStringLiteral("テキスト作成"));
    if (c.questions == 2) EXPECT_EQ(Calls()[1].title, QStringLiteral("テキスト削除"));
    EXPECT_EQ(QFileInfo::exists(txt), c.present || c.answer == platform::vbYes);
    if (c.present) EXPECT_EQ(test_support::ReadBytes(txt), QByteArray("mine\r\n"));
    EXPECT_EQ(TextWindows().size(), c.editor ? 1u : 0u);
    EXPECT_FALSE(WindowShown());
    CloseTextWindows();
  }
}

TEST_F(DblClickTest, TheOptionsChooseTheWindowsButtons) {
  struct Case {
    const char* name;
    short picture, record, wallpaper, text, show;
    const char* file;
    bool window;
    std::vector<int> buttons;  // the visible ones, by number
  };
  const Case cases[] = {
      {"slideshow only: nothing", 0, 0, 0, 0, 1, "a.png", false, {}},
      {"picture only", 1, 0, 0, 0, 0, "a.png", true, {}},
      {"record and text", 0, 1, 0, 1, 0, "a.png", true, {1, 5}},
      {"wallpaper, bmp", 0, 0, 1, 0, 0, "a.bmp", true, {3, 4}},
      {"wallpaper, BMP", 0, 0, 1, 0, 0, "b.BMP", true, {4}},
      {"wallpaper, jpg", 0, 0, 1, 0, 0, "c.jpg", true, {4}},
      {"everything", 1, 1, 1, 1, 1, "a.png", true, {1, 4, 5, 7, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshWindow();
    Options(c.picture, c.record, c.wallpaper, c.text, c.show);
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QString path = InPictures(QString::fromLatin1(c.file));
    ASSERT_TRUE(image.save(path, c.file[2] == 'j' ? "JPG" : c.file[2] == 'p' ? "PNG" : "BMP"));
    listeditor::Form3& w = WithRows({path});
    w.List1_DblClick();
    EXPECT_TRUE(Calls().empty());
    EXPECT_EQ(WindowShown(), c.window);
    if (!c.window) continue;
    Form7& f = *listeditor::Form7IfLoaded();
    platform::CommandButton* buttons[] = {&f.Command1, &f.Command2, &f.Command3,
                                          &f.Command4, &f.Command5, &f.Command6,
                                          &f.Command7, &f.Command8, &f.Command9};
    std::vector<int> shown;
    for (int i = 0; i < 9; ++i)
      if (buttons[i]->isVisible()) shown.push_back(i + 1);
    EXPECT_EQ(shown, c.buttons);
    EXPECT_FALSE(f.Label1.isVisible());
    EXPECT_FALSE(f.Label2.isVisible());
    // A click on the picture closes the window.
    f.Picture1_Click();
    EXPECT_EQ(listeditor::Form7IfLoaded(), nullptr);
  }
}

TEST_F(DblClickTest, APictureIsFittedToTheMainWindowsMonitorAndCentred) {
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  const int mw = monitor.Width / 15;
  const int mh = monitor.Height / 15;
  QImage wide(mw * 2, mh, QImage::Format_RGB32);
  wide.fill(Qt::blue);
  const QString path = InPictures(QStringLiteral("wide.png"));
  ASSERT_TRUE(wide.save(path, "PNG"));
  QImage small(40, 30, QImage::Format_RGB32);
  small.fill(Qt::green);
  const QString smallPath = InPictures(QStringLiteral("small.png"));
  ASSERT_TRUE(small.save(smallPath, "PNG"));
  struct Case {
    const char* name;
    QString path;
    short sizeAdjust;
    int w, h;
  };
  // A portrait photo stored on its side: turned upright before it is fitted.
  const QString turned = InPictures(QStringLiteral("turned.jpg"));
  test_support::WriteBytes(
      turned, test_support::JpegWithOrientation(QImage(60, 40, QImage::Format_RGB32), 6));
  const Case cases[] = {
      {"reduced to the width", path, 0, mw, mh / 2},
      {"EXIF 6 turned upright", turned, 0, 40, 60},
      {"no size adjustment: natural size", path, 2, mw * 2, mh},
      {"small: never enlarged", smallPath, 0, 40, 30},
  };
  Options(1, 0, 0, 0, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshWindow();
    core::Settings().SizeAdjustMode = c.sizeAdjust;
    WithRows({c.path}).List1_DblClick();
    ASSERT_TRUE(WindowShown());
    Form7& f = *listeditor::Form7IfLoaded();
    EXPECT_EQ(f.Left(), monitor.Left);
    EXPECT_EQ(f.Top(), monitor.Top);
    EXPECT_EQ(f.Width(), monitor.Width);
    EXPECT_EQ(f.Height(), monitor.Height);
    EXPECT_EQ(f.Picture1.Picture().size(), QSize(c.w, c.h));
    EXPECT_NEAR(f.Picture1.x(), (mw - c.w) / 2, 1);
    EXPECT_NEAR(f.Picture1.y(), (mh - c.h) / 2, 1);
    // The imaging control keeps the fitted picture for the permanent wallpaper.
    EXPECT_EQ(core::form4().Lead1.ImagePicture().size(), QSize(c.w, c.h));
    EXPECT_EQ(platform::ScreenMousePointer(), 0);
  }
}

TEST_F(DblClickTest, AMoviePlaysInTheMovieWindowAndASecondDoubleClickRightAfterIsIgnored) {
  const QString movie = InPictures(QStringLiteral("clip.mp4"));
  ASSERT_TRUE(QFile::copy(QStringLiteral(FIXTURES_DIR "/clip.mp4"), movie));
  Options(1, 0, 0, 0, 0);
  listeditor::Form3& w = WithRows({movie});
  int shown = 0;
  const auto closeMovieWhenShown = [&shown] {
    QTimer::singleShot(0, [&shown] {
      engine::Form24* m = engine::Form24IfLoaded();
      if (!m || !m->isVisible()) return;
      ++shown;
      m->Form_Click();
    });
  };
  closeMovieWhenShown();
  w.List1_DblClick();
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(w.Timer1.Enabled());
  EXPECT_FALSE(WindowShown());
  // Within the guard the double-click shows nothing.
  WithRows({movie});
  closeMovieWhenShown();
  w.List1_DblClick();
  platform::DoEvents();
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
  // Once the guard has ended it plays again.
  w.Timer1_Timer();
  WithRows({movie});
  closeMovieWhenShown();
  w.List1_DblClick();
  EXPECT_EQ(shown, 2);
  EXPECT_TRUE(Calls().empty());
  platform::DestroyPendingNow();
}

TEST_F(DblClickTest, AnUnreadablePictureSaysSoAndShowsNoWindow) {
  Options(1, 0, 0, 0, 0);
  const QString broken = Touch(QStringLiteral("broken.png"));
  listeditor::Form3& w = WithRows({broken});
  w.Image1.SetPicture(QImage(4, 4, QImage::Format_RGB32));
  w.Image1_Click();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("画像ファイルが表示できません。"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("画像ファイルエラー"));
  EXPECT_FALSE(WindowShown());
  EXPECT_TRUE(w.Image1.Picture().isNull());  // the preview emptied
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
  // A click on the empty preview does nothing.
  dialogs_->ClearCalls();
  w.Image1_Click();
  EXPECT_TRUE(Calls().empty());
}

TEST_F(DblClickTest, ClosingRemovesOnlyTheUntouchedTemplate) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString wav = InPictures(QStringLiteral("a.wav"));
  struct Case {
    const char* name;
    State state;
    bool kept;
  };
  const Case cases[] = {
      {"none", State::kNone, false},          {"template", State::kTemplate, false},
      {"recording", State::kRecording, true}, {"short file", State::kShort, true},
      {"folder", State::kFolder, true},
  };
  Options(1, 1, 0, 1, 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FreshWindow();
    Make(wav, c.state);
    listeditor::Form3& w = WithRows({picture});
    w.List1_DblClick();
    ASSERT_TRUE(WindowShown());
    Form7& f = *listeditor::Form7IfLoaded();
    // The indicator follows whether the WAV opens.
    EXPECT_EQ(f.Label1.isVisible(), c.state != State::kNone && c.state != State::kFolder);
    w.Command16.SetEnabled(true);
    w.Command17.SetEnabled(true);
    core::Paths().RecordingWavPath = wav;
    f.Form_Click();
    EXPECT_EQ(listeditor::Form7IfLoaded(), nullptr);
    EXPECT_EQ(QFileInfo::exists(wav), c.kept);
    EXPECT_FALSE(w.Command16.Enabled());
    EXPECT_FALSE(w.Command17.Enabled());
    EXPECT_TRUE(core::Paths().RecordingWavPath.isEmpty());
  }
}

TEST_F(DblClickTest, TheWindowsSoundAndTextButtonsFollowTheFiles) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString wav = InPictures(QStringLiteral("a.wav"));
  const QString txt = InPictures(QStringLiteral("a.txt"));
  Options(0, 1, 0, 1, 0);
  test_support::WriteBytes(wav, Recording());
  WithRows({picture}).List1_DblClick();
  Form7& f = *listeditor::Form7IfLoaded();
  EXPECT_TRUE(f.Command2.isVisible());
  EXPECT_FALSE(f.Command6.isVisible());

  f.Command5_Click();  // テキスト作成
  EXPECT_TRUE(QFileInfo::exists(txt));
  EXPECT_TRUE(f.Label2.isVisible());
  EXPECT_TRUE(f.Command6.isVisible());
  EXPECT_EQ(TextWindows().size(), 1u);

  Answer(platform::vbYes);
  f.Command6_Click();  // テキスト削除: the text window is closed first
  EXPECT_FALSE(QFileInfo::exists(txt));
  EXPECT_FALSE(f.Command6.isVisible());
  EXPECT_TRUE(TextWindows().empty());

  Answer(platform::vbYes);
  f.Command2_Click();  // 連動音削除
  EXPECT_FALSE(QFileInfo::exists(wav));
  EXPECT_FALSE(f.Command2.isVisible());
  EXPECT_FALSE(f.Label1.isVisible());

  CloseRecorderWhenShown();
  f.Command1_Click();
  EXPECT_TRUE(recorderShown_);
  EXPECT_EQ(core::Sound().RecordFromDblClickWindow, 1);
}

TEST_F(DblClickTest, WallpaperButtonsGoThroughTheDesktopsTool) {
  QImage image(120, 90, QImage::Format_RGB32);
  image.fill(Qt::yellow);
  const QString bmp = InPictures(QStringLiteral("a.bmp"));
  ASSERT_TRUE(image.save(bmp, "BMP"));
  const QString wallp = core::Paths().AppFolder + QStringLiteral("wallp.bmp");
  Options(1, 0, 1, 0, 0);
  test_support::FakeTools tools;
  test_support::FakeTools::SetDesktop("KDE");
  tools.Add(QStringLiteral("plasma-apply-wallpaperimage"));
  WithRows({bmp}).List1_DblClick();
  Form7& f = *listeditor::Form7IfLoaded();

  Answer(platform::vbNo);
  f.Command3_Click();
  EXPECT_TRUE(tools.Calls().isEmpty());
  Answer(platform::vbYes);
  f.Command3_Click();
  EXPECT_EQ(tools.Calls(), QStringList{QStringLiteral("plasma-apply-wallpaperimage ") + bmp});
  EXPECT_EQ(Calls()[1].text, bmp + QStringLiteral("\r\nの壁紙に一時変更しますか ?"));
  EXPECT_EQ(Calls()[1].title, QStringLiteral("壁紙一時変更"));

  tools.ClearCalls();
  dialogs_->ClearCalls();
  Answer(platform::vbYes);
  f.Command4_Click();
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("壁紙定常変更")});
  EXPECT_EQ(tools.Calls(), QStringList{QStringLiteral("plasma-apply-wallpaperimage ") + wallp});
  EXPECT_EQ(QImage(wallp).size(), QSize(120, 90));
  EXPECT_EQ(platform::ScreenMousePointer(), 0);

  // A refusing tool, and no tool at all: the one message.
  for (int status : {1, -1}) {
    SCOPED_TRACE(status);
    test_support::FakeTools none;
    test_support::FakeTools::SetDesktop("KDE");
    if (status > 0) none.Add(QStringLiteral("plasma-apply-wallpaperimage"), status);
    dialogs_->ClearCalls();
    Answer(platform::vbYes);
    f.Command4_Click();
    ASSERT_EQ(Calls().size(), 2u);
    EXPECT_EQ(Calls()[1].text, QStringLiteral("壁紙が設定できません"));
    EXPECT_EQ(Calls()[1].icon, 0);
  }

  // A program folder that takes no file: no wallpaper call, the message, the pointer back.
  const QString appFolder = core::Paths().AppFolder;
  core::Paths().AppFolder = pictures_.filePath(QStringLiteral("gone/"));
  tools.ClearCalls();
  dialogs_->ClearCalls();
  Answer(platform::vbYes);
  f.Command4_Click();
  EXPECT_TRUE(tools.Calls().isEmpty());
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[1].text, QStringLiteral("壁紙が設定できません"));
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
  core::Paths().AppFolder = appFolder;
}

TEST_F(DblClickTest, ATemporaryWallpaperWantsABitmapName) {
  const QString jpg = Picture(QStringLiteral("a.jpg"), 1);
  Options(1, 0, 1, 0, 0);
  WithRows({jpg}).List1_DblClick();
  listeditor::Form7IfLoaded()->Command3_Click();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, jpg + QStringLiteral("\r\nこのファイルは壁紙にできません。"));
  EXPECT_EQ(Calls()[0].icon, platform::vbExclamation);
}

TEST_F(DblClickTest, ShowButtonsStartAtTheDoubleClickedSlide) {
  const QStringList paths = {Picture(QStringLiteral("one.png"), 1),
                             Picture(QStringLiteral("two.png"), 2),
                             Picture(QStringLiteral("three.png"), 3)};
  Options(1, 0, 0, 0, 1);
  OpenEditor();
  WithRows(paths, 1).List1_DblClick();
  listeditor::Form7IfLoaded()->Command8_Click();
  EXPECT_EQ(listeditor::Form7IfLoaded(), nullptr);
  EXPECT_EQ(core::Paths().CurrentSlideFileName, QStringLiteral("two.png"));
  EXPECT_EQ(core::Lists().StartAtChosenSlide, 0);
  EXPECT_EQ(core::Lists().SlideEndIndex, 4);
  EXPECT_FALSE(Editor().isVisible());
  EXPECT_TRUE(core::form1().isVisible());
  core::form1().Command3_Click();
  test_support::CloseShowWindows();

  core::Paths().CurrentSlideFileName.clear();
  OpenEditor();
  WithRows(paths, 2).List1_DblClick();
  listeditor::Form7IfLoaded()->Command7_Click();
  engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->isVisible());
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  ASSERT_TRUE(WaitFor([] { return !core::Paths().CurrentSlideFileName.isEmpty(); }, 10000));
  EXPECT_EQ(core::Paths().CurrentSlideFileName, QStringLiteral("three.png"));
  EXPECT_TRUE(Calls().empty());
}

}  // namespace
}  // namespace form3_test
