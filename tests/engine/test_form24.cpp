// The movie window: a movie plays and the window returns, an unplayable movie gives its
// message, clicks and keys close it, looping keeps it open, and every close starts the
// slide list editor's click guard.
#include <QFile>
#include <QTimer>
#include <functional>

#include "engine/form24.h"
#include "listeditor/form3.h"
#include "tests/sound/sound_test_support.h"

namespace {

using engine::Form24;
using engine::Form24IfLoaded;
using soundtest::SoundTest;
using soundtest::WaitFor;

class MovieWindow : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    listeditor::form3().Timer1.SetEnabled(false);
    clip_ = File("clip.mp4");
    soundtest::CopyFixture("clip.mp4", clip_);
  }
  // Runs `action` on the loaded movie window once it has played for a moment.
  static void WhenPlaying(const std::function<void(Form24&)>& action) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, action] {
      Form24* movie = Form24IfLoaded();
      if (movie && movie->MoviePlaybackStarted == 1) {
        poll->deleteLater();
        action(*movie);
      }
    });
    poll->start(20);
  }

  QString clip_;
};

TEST_F(MovieWindow, AMoviePlaysToItsEndAndTheWindowCloses) {
  // Returns once the clip has played to its end.
  engine::PlayMovieModal(clip_);
  EXPECT_EQ(core::Flags().MovieAborted, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Form24IfLoaded(), nullptr);
  // The click that may follow the movie must not act on the show window.
  EXPECT_TRUE(listeditor::form3().Timer1.Enabled());
  EXPECT_EQ(listeditor::form3().Timer1.Interval(), 500);
}

TEST_F(MovieWindow, AMovieThatCannotBePlayedGivesItsMessage) {
  const QString broken = File("broken.mp4");
  QFile f(broken);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray(4096, '\x5a'));
  f.close();
  for (const QString& path : {broken, File("missing.mp4")}) {
    dialogs_.ClearCalls();
    engine::PlayMovieModal(path);
    ASSERT_EQ(dialogs_.Calls().size(), 1u) << path.toStdString();
    const platform::DialogCall& box = dialogs_.Calls()[0];
    EXPECT_EQ(box.title, QStringLiteral("動画再生エラー"));
    EXPECT_EQ(box.text, QStringLiteral("以下の動画が再生できません。\r\n") + path +
                            QStringLiteral("\r\n動画ファイルを確認してください。"));
    EXPECT_EQ(box.icon, platform::vbExclamation);
    EXPECT_EQ(core::Flags().MovieAborted, 1);
    EXPECT_EQ(Form24IfLoaded(), nullptr);
  }
}

TEST_F(MovieWindow, ClicksAndKeysEndTheMovie) {
  struct Case {
    const char* what;
    std::function<void(Form24&)> act;
    short aborted;
  } cases[] = {
      {"click on the video", [](Form24& m) { emit m.WindowsMediaPlayer1.Clicked(); }, 0},
      {"click on the window", [](Form24& m) { m.Form_Click(); }, 0},
      {"Esc on the video", [](Form24& m) { emit m.WindowsMediaPlayer1.KeyPressed(27); }, 1},
      {"Enter on the video", [](Form24& m) { emit m.WindowsMediaPlayer1.KeyPressed(13); }, 1},
      {"Esc on the window",
       [](Form24& m) {
         int key = 27;
         m.Form_KeyPress(key);
       },
       0},
  };
  for (const Case& c : cases) {
    core::Settings().MovieLoop = 1;  // the movie would go on and on
    WhenPlaying([&c](Form24& m) {
      m.WindowsMediaPlayer1.SetLoop(true);
      c.act(m);
    });
    // A looping movie never ends by itself: the wait returns only after the action.
    engine::PlayMovieModal(clip_);
    EXPECT_EQ(core::Flags().MovieAborted, c.aborted) << c.what;
    EXPECT_EQ(core::Settings().MovieLoop, 0) << c.what;
    EXPECT_EQ(Form24IfLoaded(), nullptr) << c.what;
  }
  // Other keys leave it playing.
  Form24& movie = engine::form24();
  int key = 'a';
  movie.Form_KeyPress(key);
  emit movie.WindowsMediaPlayer1.KeyPressed('a');
  EXPECT_EQ(movie.MovieCloseRequested, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(MovieWindow, ALoopingMovieStaysOpenUntilClicked) {
  core::Settings().MovieLoop = 1;
  Form24& movie = engine::form24();
  movie.WindowsMediaPlayer1.SetAutoStart(false);
  movie.WindowsMediaPlayer1.SetUiModeNone();
  movie.WindowsMediaPlayer1.SetURL(clip_);
  movie.WindowsMediaPlayer1.SetLoop(true);
  movie.Show();  // modeless, as a macro shows it
  ASSERT_TRUE(WaitFor([&movie] { return movie.MoviePlaybackStarted == 1; }));
  WaitFor([] { return false; }, 1500);
  ASSERT_NE(Form24IfLoaded(), nullptr);
  movie.WindowsMediaPlayer1_Click();
  EXPECT_TRUE(WaitFor([] { return Form24IfLoaded() == nullptr; }, 1000));
  EXPECT_EQ(core::Settings().MovieLoop, 0);
}

TEST_F(MovieWindow, APlayerWithControlsIsLeftOpenAtTheEnd) {
  Form24& movie = engine::form24();
  movie.WindowsMediaPlayer1.SetAutoStart(false);
  movie.WindowsMediaPlayer1.SetUiMode(QStringLiteral("full"));
  movie.WindowsMediaPlayer1.SetURL(clip_);
  movie.Show();
  ASSERT_TRUE(WaitFor([&movie] { return movie.MoviePlaybackStarted == 1; }));
  ASSERT_TRUE(WaitFor(
      [&movie] { return movie.WindowsMediaPlayer1.PlayState() == platform::kPlayStateStopped; },
      15000));
  WaitFor([] { return false; }, 300);
  EXPECT_NE(Form24IfLoaded(), nullptr);
  EXPECT_TRUE(dialogs_.Calls().empty());
  sound::StopShowMedia();  // a show's stop closes it as well
  EXPECT_EQ(Form24IfLoaded(), nullptr);
}

}  // namespace
