// The generated texts run by the picture macro interpreter on the show surface: each
// pattern leaves the cut-out button where it means to, or removes it, and the button
// patterns leave a button that answers clicks.
#include <gtest/gtest.h>

#include "core/state.h"
#include "cutout/cutout_patterns.h"
#include "platform/dialogs.h"
#include "platform/effectsound.h"
#include "tests/showbuttons/clicks_fixture.h"

namespace {

constexpr int kSleepRow = 38;

struct RunCase {
  int pattern;
  bool shown;     // the button is up when the macro has ended
  QPoint corner;  // its top-left corner on the 400 x 200 show surface
  bool moves;     // a move was made
};

class CutoutRun : public buttons_test::ClicksTest, public ::testing::WithParamInterface<RunCase> {};

// A 400 x 200 screen; the outline is the box (40, 20) - (100, 60) of a green picture.
TEST_P(CutoutRun, TheButtonEndsWhereThePatternMeans) {
  const RunCase& c = GetParam();
  Handle(kSleepRow, [] { macro::ConsumeLine(); });  // no real waits
  const QString picture = Picture(QStringLiteral("cut.png"), 400, 200);
  cutout::GenerationInputs in;
  in.ButtonNumberText = QStringLiteral("5");
  in.CutoutPicturePath = picture;
  in.AppFolder = dir_.path() + QStringLiteral("/");
  QFile::copy(QStringLiteral(FIXTURES_DIR "/../../resources/PB.wav"),
              dir_.filePath(QStringLiteral("PB.wav")));
  in.ScreenWidthPx = 400;
  in.ScreenHeightPx = 200;
  in.PlotLeft = 40;
  in.PlotTop = 20;
  in.PlotRight = 100;
  in.PlotBottom = 60;
  const cutout::GenerationValues values = cutout::ComputeGenerationValues(in);
  PointFile(QStringLiteral("cut_Pb05.dat"),
            {"KVZ_PICTYPE_DATA", " 40, 20", " 100, 20", " 100, 60", " 40, 60"});

  platform::ScriptedDialogs dialogs;  // every question takes its offered answer
  if (c.pattern == 15) dialogs.AnswerText(dir_.filePath(QStringLiteral("clip.mp4")));
  cutout::DialogQuestions questions;
  const auto text = cutout::BuildPatternText(c.pattern, values, questions);
  ASSERT_TRUE(text);
  // What the screen holds while the macro waits for a choice (the button patterns), or
  // when it has ended (the others).
  struct Seen {
    bool shown = false;
    QPoint corner;
    QRect outline;
    short menu = 0, jump = -1;
    QString link;
  } seen;
  auto look = [&] {
    seen.shown = buttons_test::Up(&Show(5));
    seen.corner = Show(5).geometry().topLeft();
    seen.outline = Show(5).mask().boundingRect();
    seen.menu = core::Buttons().MenuButtonsShown[1];
    seen.jump = core::Buttons().PicButtonJumps[5];
    seen.link = core::Buttons().PicButtonLinks[5];
  };
  // Once the cut-out has made its two moves of 10 steps, it is clicked, then "スキップ"
  // unless the cut-out's own click jumps.
  auto waiting = [&](QWidget* target) -> QWidget* {
    if (pauses_.size() < 20) return nullptr;
    look();
    return target;
  };
  if (c.pattern == 13 || c.pattern == 14) ClickWhenUp([&] { return waiting(&Show(5)); });
  if (c.pattern == 15) ClickWhenUp([&] { return waiting(&engine::slidescreen().menu1); });
  if (c.pattern == 14) ClickWhenUp([] { return &engine::slidescreen().menu1; });
  WriteMacroBytes(platform::ToCp932(*text));
  macro::RunPictureMacro();
  if (c.pattern < 13) look();

  EXPECT_EQ(seen.shown, c.shown);
  if (c.shown) {
    EXPECT_EQ(seen.corner, c.corner);
    // Cut to the outline: the picture's box (40, 20) - (100, 60) only.
    EXPECT_EQ(seen.outline, QRect(40, 20, 60, 40));
  }
  EXPECT_EQ(!pauses_.empty(), c.moves);
  EXPECT_EQ(core::Buttons().PicButtonShape, 0) << "rectangle again for the lines after";
  if (c.pattern >= 13) {
    EXPECT_EQ(seen.menu, 1) << "スキップ";
    const short jumps[] = {1, 0, 0};
    EXPECT_EQ(seen.jump, jumps[c.pattern - 13]);
    const char* links[] = {"", "PB.wav", "clip.mp4"};
    EXPECT_TRUE(seen.link.endsWith(QString::fromUtf8(links[c.pattern - 13])))
        << seen.link.toStdString();
    EXPECT_EQ(next_, c.pattern == 14 ? 2 : 1) << "the clicks were taken";
    EXPECT_EQ(NextSlide(), 6);
    EXPECT_EQ(core::Flags().MacroExitedEarly, 1);
    if (c.pattern == 14) EXPECT_TRUE(platform::EffectSoundPlaying()) << "PB.wav";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cutout, CutoutRun,
    ::testing::Values(RunCase{0, false, {}, true}, RunCase{1, false, {}, true},
                      RunCase{2, false, {}, true}, RunCase{3, true, {130, 60}, true},
                      RunCase{4, true, {130, 60}, true}, RunCase{5, true, {-100, 60}, true},
                      RunCase{6, true, {-100, 60}, true}, RunCase{7, true, {-100, 60}, true},
                      RunCase{8, true, {130, 60}, true}, RunCase{9, true, {130, 180}, true},
                      RunCase{10, true, {130, 180}, true}, RunCase{11, true, {130, 60}, true},
                      RunCase{12, true, {130, 60}, false}, RunCase{13, true, {0, 0}, true},
                      RunCase{14, true, {0, 0}, true}, RunCase{15, true, {0, 0}, true}),
    [](const auto& info) { return "pattern" + std::to_string(info.param.pattern); });

}  // namespace
