// "マクロ生成" and "コピー" in the cut-out window: the text shown and copied, and, when the
// user agrees, the picture's macro file made through the slide list window's routine and
// the slide started full screen.
#include "engine/slidescreen.h"
#include "listeditor/picture_macro.h"
#include "platform/clipboard.h"
#include "platform/cp932.h"
#include "tests/cutout/cutout_fixture.h"
#include "tests/support/wait.h"

namespace cutout_test {
namespace {

using platform::vbNo;
using platform::vbYes;

class GenerateWindowTest : public CutoutTest {
 protected:
  // A traced triangle on a 400 x 300 picture, slot 5, "右から左へ".
  cutout::Form23& Traced() {
    picture_ = MakePicture(QStringLiteral("pic.bmp"), 400, 300, "BMP");
    cutout::Form23* f = Open(picture_);
    EXPECT_NE(f, nullptr);
    f->Combo1.SetListIndex(5);
    Press(*f, 100, 50);
    Press(*f, 200, 50);
    Press(*f, 150, 150);
    f->Combo3.SetListIndex(6);
    dialogs_.ClearCalls();
    return *f;
  }
  QString picture_;
};

TEST_F(GenerateWindowTest, TheTextStaysInTheWindowAndCopiesWithItsLineEnds) {
  cutout::Form23& f = Traced();
  dialogs_.AnswerText(QStringLiteral(" 3"));
  dialogs_.Answer(vbNo);
  f.Command3.DoClick();
  ASSERT_EQ(cutout::Form23IfLoaded(), &f) << "the window stays";
  EXPECT_EQ(f.PlotEdited, 0);
  EXPECT_TRUE(QFile::exists(Path(QStringLiteral("pic_Pb05.dat"))));
  EXPECT_FALSE(QFile::exists(Path(QStringLiteral("pic.txt"))));
  const auto inputs = dialogs_.CallsOf(DialogKind::kInputBox);
  ASSERT_EQ(inputs.size(), 1u);
  EXPECT_TRUE(inputs[0].text.endsWith(QStringLiteral("( 0\uFF5E 100)")));
  EXPECT_TRUE(f.Text1.Text().contains(QStringLiteral("MovPB5(")));
  EXPECT_TRUE(f.Text1.Text().contains(QStringLiteral(",0,3)  //")));

  f.Command4.DoClick();
  const QString copied = platform::ClipboardText();
  EXPECT_TRUE(copied.startsWith(QStringLiteral("//Pb5:切取画像を右から左へ移動\r\nScreenXY=1")));
  EXPECT_TRUE(copied.endsWith(QStringLiteral("CurrentY=0  //Y座標を原点に戻す\r\n")));
  EXPECT_FALSE(copied.contains(QRegularExpression(QStringLiteral("[^\r]\n"))));

  // Closing asks nothing: the plot counts as saved.
  dialogs_.ClearCalls();
  f.Command2.DoClick();
  platform::DestroyPendingNow();
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(GenerateWindowTest, YesWritesHeaderAndTextThenStartsTheSlide) {
  test_support::QuietShow(/*controlBoxOff=*/1, /*sizeAdjustMode=*/0);
  cutout::Form23& f = Traced();
  (void)f;
  dialogs_.AnswerCancel();  // speed: the offered 10
  dialogs_.Answer(vbYes);
  cutout::form23().Command3.DoClick();
  platform::DestroyPendingNow();
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_TRUE(core::Paths().GeneratedMacroText.isEmpty());

  const QByteArray file = test_support::ReadBytes(Path(QStringLiteral("pic.txt")));
  const QStringList header = listeditor::DefaultMacroHeader();
  ASSERT_FALSE(header.isEmpty());
  EXPECT_TRUE(file.startsWith(platform::ToCp932(header.first() + QStringLiteral("\r\n"))));
  EXPECT_TRUE(file.contains(platform::ToCp932(
      QStringLiteral("//Pb5:切取画像を右から左へ移動\r\nScreenXY=1  //スクリーン座標\r\n"))));
  EXPECT_TRUE(file.contains("MovPB5(-"));

  EXPECT_EQ(core::Flags().StartedFromListEditor, 1);
  EXPECT_EQ(core::Flags().FullScreenShowActive, 1);
  engine::Slidescreen* screen = engine::SlidescreenIfLoaded();
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->isVisible());
  screen->Unload();
  platform::DestroyPendingNow();
}

}  // namespace
}  // namespace cutout_test
