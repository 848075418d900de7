// The values one generation computes (placements, point file names, rounding), the number
// input with its range test, and the questions the patterns put to the user.
#include <gtest/gtest.h>

#include "core/state.h"
#include "cutout/cutout_patterns.h"
#include "platform/dialogs.h"
#include "platform/vberror.h"

namespace {

using cutout::ComputeGenerationValues;
using cutout::GenerationInputs;
using platform::DialogKind;

// The linked-files folder in use for one case.
struct LinkedFolder {
  explicit LinkedFolder(const QString& folder) {
    core::Paths().LinkedFilesInFolder = 1;
    core::Paths().LinkedFilesFolder = folder;
  }
  ~LinkedFolder() {
    core::Paths().LinkedFilesInFolder = 0;
    core::Paths().LinkedFilesFolder.clear();
  }
};

GenerationInputs Screen1920(int left, int top, int width, int height) {
  GenerationInputs in;
  in.ButtonNumberText = QStringLiteral("7");
  in.CutoutPicturePath = QStringLiteral("/pics/sea.png");
  in.ScreenWidthPx = 1920;
  in.ScreenHeightPx = 1080;
  in.PlotLeft = left;
  in.PlotTop = top;
  in.PlotRight = left + width;
  in.PlotBottom = top + height;
  return in;
}

TEST(CutoutValues, PlacementsPutTheShapeBoxAtSixPlaces) {
  const auto v = ComputeGenerationValues(Screen1920(100, 50, 200, 100));
  const QStringList xs{v.PlacementX[0], v.PlacementX[1], v.PlacementX[2],
                       v.PlacementX[3], v.PlacementX[4], v.PlacementX[5]};
  const QStringList ys{v.PlacementY[0], v.PlacementY[1], v.PlacementY[2],
                       v.PlacementY[3], v.PlacementY[4], v.PlacementY[5]};
  EXPECT_EQ(xs, (QStringList{"0", "-100", "-100", "1620", "1620", "760"}));
  EXPECT_EQ(ys, (QStringList{"0", "-50", "930", "930", "-50", "440"}));
  EXPECT_EQ(v.ShapeWidth, 200);
  EXPECT_EQ(v.ShapeHeight, 100);
}

TEST(CutoutValues, CentreRoundsHalvesToEven) {
  struct Case {
    int left, width;
    const char* centreX;
  } cases[] = {{0, 101, "910"}, {0, 103, "908"}, {1, 101, "908"}, {0, 100, "910"}};
  for (const Case& c : cases) {
    EXPECT_EQ(ComputeGenerationValues(Screen1920(c.left, 0, c.width, 10)).PlacementX[5],
              QString::fromUtf8(c.centreX))
        << c.left << " " << c.width;
  }
}

TEST(CutoutValues, AFractionalScreenKeepsItsFractionWhereNotRounded) {
  GenerationInputs in = Screen1920(0, 0, 100, 100);
  in.ScreenWidthPx = 1366.5;
  const auto v = ComputeGenerationValues(in);
  EXPECT_EQ(v.PlacementX[3], QStringLiteral("1266.5"));
  EXPECT_EQ(v.PlacementX[5], QStringLiteral("633"));  // 633.25
}

TEST(CutoutValues, PointFileAndNamesFollowTheLinkedFolderAndTheNameChoice) {
  GenerationInputs in = Screen1920(0, 0, 10, 10);
  LinkedFolder links(QStringLiteral("/links"));
  auto v = ComputeGenerationValues(in);
  EXPECT_EQ(v.LinkedPicturePath, QStringLiteral("/links/sea.png"));
  EXPECT_EQ(v.PointFilePath, QStringLiteral("/links/sea_Pb07.dat"));
  EXPECT_EQ(v.PointFileRef, QStringLiteral("/links/sea_Pb07.dat"));
  EXPECT_EQ(v.PictureRef, QStringLiteral("/pics/sea.png")) << "never the linked folder";

  in.NameChoice = 1;
  in.ButtonNumberText = QStringLiteral("12");
  v = ComputeGenerationValues(in);
  EXPECT_EQ(v.PointFilePath, QStringLiteral("/links/sea_Pb12.dat"));
  EXPECT_EQ(v.PointFileRef, QStringLiteral("sea_Pb12.dat"));
  EXPECT_EQ(v.PictureRef, QStringLiteral("sea.png"));
}

TEST(CutoutValues, ValuesBeyondSixteenBitsAreAnOverflow) {
  GenerationInputs in = Screen1920(0, 0, 10, 10);
  in.ScreenWidthPx = 70000;
  try {
    ComputeGenerationValues(in);
    FAIL() << "no overflow";
  } catch (const platform::VbError& e) {
    EXPECT_EQ(e.Number(), platform::kErrOverflow);
  }
}

TEST(CutoutValues, NumberTexts) {
  EXPECT_EQ(cutout::BlankLedNumberText(1), QStringLiteral(" 1"));
  EXPECT_EQ(cutout::BlankLedNumberText(0.5), QStringLiteral(" .5"));
  EXPECT_EQ(cutout::BlankLedNumberText(3 * 0.1), QStringLiteral(" .3"));
  EXPECT_EQ(cutout::BlankLedNumberText(15 * 0.1), QStringLiteral(" 1.5"));
  EXPECT_EQ(cutout::BlankLedNumberText(-0.5), QStringLiteral("-.5"));
  EXPECT_EQ(cutout::PlainNumberText(-0.0), QStringLiteral("0"));
  EXPECT_EQ(cutout::PlainNumberText(-2120), QStringLiteral("-2120"));
  EXPECT_EQ(cutout::BlankLedIntText(120), QStringLiteral(" 120"));
  EXPECT_EQ(cutout::BlankLedIntText(-3), QStringLiteral("-3"));
}

// ---- the number input ------------------------------------------------------------------

TEST(CutoutNumberInput, PromptShowsTheRangeAndOffersTheDefault) {
  platform::ScriptedDialogs dialogs;
  dialogs.AnswerText(QStringLiteral("10"));
  EXPECT_EQ(cutout::AskNumberInRange(QStringLiteral("速さ"), QStringLiteral("題"), 10, 1, 100),
            QStringLiteral("10"));
  dialogs.AnswerText(QStringLiteral("0"));
  cutout::AskNumberInRange(QStringLiteral("遷移"), QStringLiteral("題"), 1, -9999, 9999);
  ASSERT_EQ(dialogs.Calls().size(), 2u);
  EXPECT_EQ(dialogs.Calls()[0].text, QStringLiteral("速さ( 1\uFF5E 100)"));
  EXPECT_EQ(dialogs.Calls()[0].title, QStringLiteral("題"));
  EXPECT_EQ(dialogs.Calls()[0].defaultText, QStringLiteral("10"));
  EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("遷移(-9999\uFF5E 9999)"));
}

TEST(CutoutNumberInput, EmptyOrCancelGivesTheDefaultWithItsBlank) {
  platform::ScriptedDialogs dialogs;
  dialogs.AnswerCancel();
  EXPECT_EQ(cutout::AskNumberInRange("p", "t", 10, 0, 100), QStringLiteral(" 10"));
  dialogs.AnswerText(QString());
  EXPECT_EQ(cutout::AskNumberInRange("p", "t", -5, -10, 100), QStringLiteral("-5"));
}

TEST(CutoutNumberInput, BadAnswersAreRefusedAndAskedAgain) {
  struct Case {
    const char* typed;
    const char* message;
  } cases[] = {
      {"abc", "数値以外が入力されました。再度入力ください"},
      {"40000", "範囲外の値が入力されました。再度入力ください"},  // beyond 16 bits
      {"101", "範囲外の値が入力されました。再度入力ください"},
      {"-1", "範囲外の値が入力されました。再度入力ください"},
      {"100.5", "範囲外の値が入力されました。再度入力ください"},  // 100.5 is 100 ... to even
  };
  for (const Case& c : cases) {
    platform::ScriptedDialogs dialogs;
    dialogs.AnswerText(QString::fromUtf8(c.typed));
    dialogs.Answer(platform::vbOK);
    dialogs.AnswerText(QStringLiteral("7"));
    const QString result = cutout::AskNumberInRange("p", "t", 10, 0, 99);
    EXPECT_EQ(result, QStringLiteral("7")) << c.typed;
    const auto boxes = dialogs.CallsOf(DialogKind::kMsgBox);
    ASSERT_EQ(boxes.size(), 1u) << c.typed;
    EXPECT_EQ(boxes[0].text, QString::fromUtf8(c.message)) << c.typed;
    EXPECT_EQ(boxes[0].title, QStringLiteral("入力エラー"));
    EXPECT_EQ(boxes[0].icon, platform::vbExclamation);
    EXPECT_EQ(dialogs.CallsOf(DialogKind::kInputBox).size(), 2u) << "asked again";
  }
}

// The macro reader takes five characters after "=": a padded or fractional answer would be
// misread, so the tested whole number is what comes back.
TEST(CutoutNumberInput, ReturnsTheTestedWholeNumber) {
  struct Case {
    const char* typed;
    const char* result;
  } cases[] = {{"   5", "5"}, {"2.5", "2"},          {"3.5", "4"},  {"\uFF11\uFF12", "12"},
               {" 7 ", "7"},  {"\u3000\uFF18", "8"}, {"1e1", "10"}, {"-0", "0"}};
  for (const Case& c : cases) {
    platform::ScriptedDialogs dialogs;
    dialogs.AnswerText(QString::fromUtf8(c.typed));
    EXPECT_EQ(cutout::AskNumberInRange("p", "t", 1, 0, 100), QString::fromUtf8(c.result))
        << c.typed;
    EXPECT_TRUE(dialogs.CallsOf(DialogKind::kMsgBox).empty()) << c.typed;
  }
}

// ---- the questions of the patterns ---------------------------------------------------

TEST(CutoutQuestions, TickerAsksMessageHeightCountAndSpeed) {
  platform::ScriptedDialogs dialogs;
  dialogs.AnswerCancel();                      // message
  dialogs.AnswerText(QStringLiteral("1057"));  // beyond 1080 - 24
  dialogs.Answer(platform::vbOK);
  dialogs.AnswerText(QStringLiteral("1056"));
  dialogs.AnswerText(QStringLiteral("0"));  // count below 1
  dialogs.Answer(platform::vbOK);
  dialogs.AnswerText(QStringLiteral("1"));
  dialogs.AnswerCancel();  // speed
  cutout::DialogQuestions q;
  GenerationInputs in = Screen1920(0, 0, 10, 10);
  const auto text = cutout::BuildPatternText(7, ComputeGenerationValues(in), q);
  ASSERT_TRUE(text);
  const auto inputs = dialogs.CallsOf(DialogKind::kInputBox);
  ASSERT_EQ(inputs.size(), 6u);
  EXPECT_EQ(inputs[0].text, QStringLiteral("メッセージを入力してください。（最大512文字）"));
  EXPECT_EQ(inputs[0].title, QStringLiteral("メッセージ入力"));
  EXPECT_FALSE(inputs[0].defaultText.isEmpty());
  EXPECT_EQ(
      inputs[1].text,
      QStringLiteral("メッセージの表示位置（Y座標）を入力してください。\r\nY座標( 0\uFF5E 1056)"));
  EXPECT_EQ(inputs[1].title, QStringLiteral("メッセージ表示位置（Y座標）"));
  EXPECT_EQ(inputs[3].text, QStringLiteral("切取画像の移動回数を入力してください。( 1\uFF5E 100)"));
  EXPECT_EQ(inputs[5].text, QStringLiteral("切取画像の移動速さを入力してください。\r\n"
                                           "    0:速い\uFF5E100:遅い\u3000( 0\uFF5E 100)"));
  EXPECT_EQ(inputs[5].title, QStringLiteral("画像移動速さ入力"));
  EXPECT_TRUE(text->contains(QStringLiteral("Telop2(100,100,\"\")  //")));
  EXPECT_TRUE(text->contains(QStringLiteral("CurrentY=1056  //表示開始座標Y")));
  EXPECT_TRUE(text->contains(QStringLiteral("Loop=1  //EndLoopまでを1回繰り返す")));
}

TEST(CutoutQuestions, FourSidesSpeedWaitsAndStages) {
  struct Case {
    const char* typed;
    const char* wait;
  } cases[] = {{"1", "Sleep= .1  //"}, {"15", "Sleep= 1.5  //"}, {"", "Sleep= 1  //"}};
  for (const Case& c : cases) {
    platform::ScriptedDialogs dialogs;
    dialogs.AnswerText(QString::fromUtf8(c.typed));
    cutout::DialogQuestions q;
    const auto text =
        cutout::BuildPatternText(12, ComputeGenerationValues(Screen1920(100, 50, 200, 100)), q);
    ASSERT_TRUE(text);
    EXPECT_TRUE(text->contains(QString::fromUtf8(c.wait))) << c.typed;
    EXPECT_EQ(dialogs.Calls()[0].text,
              QStringLiteral("切取画像の移動速さを入力してください。\r\n"
                             "    1:速い\uFF5E100:遅い  0.1秒×( 1\uFF5E 100)"));
  }
  // A shape as wide as the screen: stage 0 alone, then the centre.
  platform::ScriptedDialogs dialogs;
  cutout::DialogQuestions q;
  const auto text =
      cutout::BuildPatternText(12, ComputeGenerationValues(Screen1920(0, 0, 1920, 100)), q);
  ASSERT_TRUE(text);
  EXPECT_EQ(text->count(QStringLiteral("//切取り画像表示")), 5);
}

TEST(CutoutQuestions, RotatingTextShrinksWhenTheEndSizeIsSmaller) {
  platform::ScriptedDialogs dialogs;
  dialogs.AnswerCancel();
  dialogs.AnswerText(QStringLiteral("30"));
  dialogs.AnswerText(QStringLiteral("10"));
  dialogs.AnswerText(QStringLiteral("a\"b"));
  cutout::DialogQuestions q;
  const auto text =
      cutout::BuildPatternText(11, ComputeGenerationValues(Screen1920(100, 50, 200, 100)), q);
  ASSERT_TRUE(text);
  EXPECT_TRUE(text->contains(QStringLiteral("TextOut(30,15,20,\"a\"b\")  //")));
  EXPECT_TRUE(text->contains(QStringLiteral(",365,\"a\"b\")  //")));
  EXPECT_EQ(text->count(QStringLiteral("TextOut(")), 24);
}

TEST(CutoutQuestions, ButtonQuestionsAndRanges) {
  platform::ScriptedDialogs dialogs;
  dialogs.Answer(platform::vbNo);              // screen position
  dialogs.AnswerText(QStringLiteral("1921"));  // beyond the screen
  dialogs.Answer(platform::vbOK);
  dialogs.AnswerText(QStringLiteral("1920"));
  dialogs.AnswerText(QStringLiteral("1080"));
  dialogs.AnswerText(QStringLiteral("10000"));  // beyond 9999
  dialogs.Answer(platform::vbOK);
  dialogs.AnswerText(QStringLiteral("9999"));
  dialogs.AnswerText(QStringLiteral("押して"));
  dialogs.Answer(platform::vbNo);  // no gradient
  cutout::DialogQuestions q;
  const auto text =
      cutout::BuildPatternText(13, ComputeGenerationValues(Screen1920(0, 0, 205, 100)), q);
  ASSERT_TRUE(text);
  const auto& calls = dialogs.Calls();
  ASSERT_EQ(calls.size(), 10u);
  EXPECT_EQ(calls[0].text, QStringLiteral("プロット画像位置をボタンにしますか？\r\n"
                                          "（いいえ：ボタンのスクリーン座標を設定します。）"));
  EXPECT_EQ(calls[0].title, QStringLiteral("ボタン座標設定"));
  EXPECT_EQ(calls[0].icon, platform::vbQuestion);
  EXPECT_EQ(calls[0].buttons, platform::vbYesNo);
  EXPECT_EQ(calls[1].text,
            QStringLiteral("スクリーン表示位置X座標を入力してください。( 0\uFF5E 1920)"));
  EXPECT_EQ(calls[8].title, QStringLiteral("コメント入力"));
  EXPECT_EQ(calls[8].defaultText, QStringLiteral("↑Pb7画面遷移"));
  EXPECT_EQ(calls[9].text, QStringLiteral("コメントにグラデーションをつけますか？\r\n"
                                          "（色合いはテキスト編集で調整してください。）"));
  // 205 / 10 = 20.5 goes to 20.
  EXPECT_TRUE(
      text->endsWith(QStringLiteral("CurrentX= 1940  //X座標\r\nCurrentY=1190  //Y座標\r\n"
                                    "押して\r\n")));
  EXPECT_TRUE(text->contains(QStringLiteral("PicPB7(9999,\"/pics/sea.png\")")));
}

TEST(CutoutQuestions, MovieButtonWithoutAFileEndsTheRun) {
  platform::ScriptedDialogs dialogs;
  dialogs.AnswerCancel();
  cutout::DialogQuestions q;
  GenerationInputs in = Screen1920(0, 0, 10, 10);
  LinkedFolder links(QStringLiteral("/links"));
  EXPECT_FALSE(cutout::BuildPatternText(15, ComputeGenerationValues(in), q).has_value());
  ASSERT_EQ(dialogs.Calls().size(), 2u);
  EXPECT_EQ(dialogs.Calls()[0].kind, DialogKind::kOpenFile);
  EXPECT_EQ(dialogs.Calls()[0].title, QStringLiteral("動画ファイルを選択してください"));
  EXPECT_EQ(dialogs.Calls()[0].initialDir, QStringLiteral("/links"));
  EXPECT_EQ(dialogs.Calls()[1].text, QStringLiteral("動画ファイルが選択されていません。"));
  EXPECT_EQ(dialogs.Calls()[1].title, QStringLiteral("動画ファイル選択"));
  EXPECT_EQ(dialogs.Calls()[1].icon, platform::vbInformation);
}

TEST(CutoutQuestions, CommentBelowAShapeAtTheBottomEdgeOfTheRangeOverflows) {
  platform::ScriptedDialogs dialogs;
  dialogs.Answer(platform::vbYes);
  dialogs.AnswerCancel();
  dialogs.AnswerCancel();
  cutout::DialogQuestions q;
  GenerationInputs in = Screen1920(0, 32700, 10, 60);  // 32700 + 60 + 10 > 32767
  EXPECT_THROW(cutout::BuildPatternText(13, ComputeGenerationValues(in), q), platform::VbError);
}

TEST(CutoutQuestions, RoundingOverflowEndsAPattern) {
  platform::ScriptedDialogs dialogs;
  cutout::DialogQuestions q;
  GenerationInputs in = Screen1920(0, 0, 10, 10);
  in.ScreenHeightPx = 65540;  // (65540 + 10) / 2 leaves 16 bits in pattern 9
  in.ScreenWidthPx = 100;
  EXPECT_THROW(cutout::BuildPatternText(9, ComputeGenerationValues(in), q), platform::VbError);
}

}  // namespace
