// Clicks on picture buttons: the link is played, started or shown by its kind, then the
// show jumps; a button without a jump leaves the choice open. And the clearing of every
// macro button at the next slide, with the show surface whole again under them.
#include <QFile>
#include <QFileInfo>
#include <QPointer>

#include "core/services.h"
#include "showbuttons/clicks.h"
#include "tests/showbuttons/clicks_fixture.h"
#include "tests/support/media_files.h"
#include "tests/support/wait.h"

namespace buttons_test {
namespace {

constexpr int kHangMs = 30000;  // only a hang gives up

struct LinkCase {
  const char* name;
  const char* link;  // file name beside the picture; "" none
  int jump;
  int nextSlide;  // from slide 5 of 10; a jump of 0 leaves by the other button (+3)
  bool sound, program, movie;
};

const LinkCase kLinkCases[] = {
    {"no link, forward", "", 2, 7, false, false, false},
    {"no link, back", "", -1, 4, false, false, false},
    {"no link, before the first slide", "", -9, 1, false, false, false},
    {"no link, past the last slide", "", 9, 10, false, false, false},
    {"WAV, no jump: the choice stays open", "tone.wav", 0, 8, true, false, false},
    {"program, forward", "rec.EXE", 2, 7, false, true, false},
    {"program without the EXE ending", "recorder", 1, 6, false, true, false},
    {"MP3: nothing played", "tone.mp3", 1, 6, false, false, false},
    {"movie, then the jump", "clip.mp4", 1, 6, false, false, true},
};

class PictureClickTest : public ClicksTest {
 public:
  void SetUp() override {
    ClicksTest::SetUp();
    test_support::WriteToneWav(dir_.filePath(QStringLiteral("tone.wav")), 4000);
    test_support::CopyFixture("clip.mp4", dir_.filePath(QStringLiteral("clip.mp4")));
    test_support::CopyFixture("tone.mp3", dir_.filePath(QStringLiteral("tone.mp3")));
    record_ = dir_.filePath(QStringLiteral("started.txt"));
    QFile::remove(record_);
    for (const char* name : {"rec.EXE", "recorder"}) {
      const QString path = dir_.filePath(QString::fromLatin1(name));
      QFile script(path);
      ASSERT_TRUE(script.open(QIODevice::WriteOnly));
      script.write("#!/bin/sh\nprintf '%s\\n' \"$0\" \"$#\" \"$@\" > '" + record_.toUtf8() + "'\n");
      script.close();
      script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    }
  }

  QString record_;
};

TEST_F(PictureClickTest, AClickCarriesOutTheLinkThenJumpsOnBothSurfaces) {
  for (int full = 1; full >= 0; --full) {
    for (const LinkCase& c : kLinkCases) {
      SetUp();
      core::Flags().FullScreenShowActive = static_cast<short>(full);
      const std::string what = std::string(c.name) + (full ? " (show screen)" : " (main window)");
      auto button = [full](int n) -> QWidget* {
        return full ? static_cast<QWidget*>(&engine::slidescreen().Picture1(n))
                    : &core::form1().Picture2(n);
      };
      ClickWhenUp([&] { return button(1); });
      if (c.jump == 0) ClickWhenUp([&] { return button(2); });
      Run({"CURRENTX=10", QStringLiteral("PICPB01(%1,\"b.png\",\"%2\")").arg(c.jump).arg(c.link),
           "CURRENTX=100", R"(PICPB02(3,"b.png"))"});

      EXPECT_EQ(NextSlide(), c.nextSlide) << what;
      EXPECT_EQ(core::Flags().MacroExitedEarly, 1) << what;
      EXPECT_EQ(next_, c.jump == 0 ? 2 : 1) << what;
      EXPECT_EQ(platform::EffectSoundPlaying(), c.sound) << what;
      EXPECT_EQ(movieBeforeJump_, c.movie) << what;
      EXPECT_EQ(engine::Form24IfLoaded(), nullptr) << what;
      if (c.program) {
        ASSERT_TRUE(test_support::WaitFor([&] { return QFileInfo(record_).size() > 0; }, kHangMs))
            << what;
        QFile f(record_);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        // The link is the program itself, with no arguments.
        EXPECT_EQ(lines, QStringList({dir_.filePath(QString::fromLatin1(c.link)), "0"})) << what;
      } else {
        EXPECT_FALSE(QFile::exists(record_)) << what;
      }
      TearDown();
    }
  }
}

TEST_F(PictureClickTest, AMovieLinkClosesALoopingMovieFirstAndPlaysToItsEnd) {
  QPointer<engine::Form24> looping;
  ClickWhenUp([&looping]() -> QWidget* {
    looping = engine::Form24IfLoaded();
    return &engine::slidescreen().Picture1(1);
  });
  // The movie windows up before the jump, in the order they came up.
  std::vector<const void*> windows;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&windows] {
    engine::Form24* movie = engine::Form24IfLoaded();
    if (movie && movie->isVisible() && core::Flags().JumpRequested == 0 &&
        (windows.empty() || windows.back() != movie))
      windows.push_back(movie);
  });
  watch.start();
  Run({R"(MOVIE("clip.mp4",2))", R"(PICPB01(1,"b.png","clip.mp4"))"});
  watch.stop();
  ASSERT_EQ(windows.size(), 2u);  // the looping one, then the clicked one
  EXPECT_TRUE(looping.isNull() || !looping->isVisible());
  EXPECT_EQ(engine::Form24IfLoaded(), nullptr);
  EXPECT_EQ(core::Settings().MovieLoop, 0);
  EXPECT_EQ(NextSlide(), 6);
}

TEST_F(PictureClickTest, AJumpOutOfTheIndexRangeKeepsTheIndexAndStillEndsTheChoice) {
  ClickWhenUp([] { return &engine::slidescreen().Picture1(7); });
  Run({R"(PICPB07(32767,"b.png"))"});
  EXPECT_EQ(core::Lists().CurrentSlideIndex, 5);
  EXPECT_EQ(core::Flags().MacroExitedEarly, 1);
  EXPECT_EQ(NextSlide(), 6);
}

TEST_F(PictureClickTest, TheChoiceWaitEndsWhenNoButtonThatLeadsSomewhereIsLeft) {
  // Placed and taken away again, or placed without a jump or a link: nothing to click
  // would end the wait, and "LOCK" is on.
  const QStringList macros[] = {
      {R"(PICPB01(2,"b.png"))", R"(PICPB01(0,""))"},
      {R"(PICPB01(0,"b.png"))", "MENU"},
      {"MENU"},
      {"MENU7(1,Seven)"},
  };
  for (const QStringList& lines : macros) {
    SetUp();
    Run(lines);
    EXPECT_EQ(core::Flags().MacroExitedEarly, 0) << lines.join(" | ").toStdString();
    EXPECT_EQ(NextSlide(), 6);
    TearDown();
  }
}

class ClearTest : public ButtonsTest {};

TEST_F(ClearTest, EveryMacroButtonGoesAndTheShowSurfaceIsWholeUnderThePictureButtons) {
  for (int full = 1; full >= 0; --full) {
    SetUp();
    core::Flags().FullScreenShowActive = static_cast<short>(full);
    Place(3, 50, 40);  // 40 x 30
    Place(4, 200, 100);
    Line(R"(PICPB04(0,""))");  // taken away: nothing of it to put back
    PaintOnP2(QRect(200, 100, 41, 31), kRed);
    engine::Slidescreen& s = engine::slidescreen();
    core::Form1& f1 = core::form1();
    std::vector<QWidget*> others = {&s.Command1, &s.Command2, &f1.Command8, &f1.Command9,
                                    &s.menu1,    &s.menu5,    &f1.menu2,    &f1.menu4};
    for (QWidget* w : others) w->setVisible(true);

    core::TheServices().ClearShowControls();

    for (QWidget* w : others) EXPECT_FALSE(Up(w)) << w->objectName().toStdString();
    EXPECT_FALSE(Show(3).Visible());
    EXPECT_FALSE(Window(3).Visible());
    // The slot data stays; only the exit path resets it.
    EXPECT_EQ(core::Buttons().PicButtonsShown[3], 1);
    const QColor under = full ? kYellow : kBack;
    EXPECT_TRUE(Near(At(P2(), 50, 40), under)) << full;
    EXPECT_TRUE(Near(At(P2(), 90, 70), under)) << full;  // one pixel wider and higher
    EXPECT_TRUE(Near(At(P2(), 91, 71), kBack)) << full;
    EXPECT_TRUE(Near(At(P2(), 49, 40), kBack)) << full;
    EXPECT_TRUE(Near(At(P2(), 210, 110), kRed)) << full;
    TearDown();
  }
}

}  // namespace
}  // namespace buttons_test
