// The point file: its bytes as the window writes them, the one reader, the window's three
// ways of reading it, the questions before a file is replaced, and the outline a picture
// button gets from a file the window wrote.
#include <QFile>

#include "core/state.h"
#include "engine/slidescreen.h"
#include "showbuttons/button_controls.h"
#include "showbuttons/shapes.h"
#include "tests/cutout/cutout_fixture.h"
#include "tests/support/small_disk.h"

namespace cutout_test {
namespace {

using platform::vbNo;
using platform::vbYes;

const QString kCaption = QStringLiteral("画像切取マクロ生成");

class PointsTest : public CutoutTest {
 protected:
  void SetUp() override {
    CutoutTest::SetUp();
    picture_ = MakePicture(QStringLiteral("pic.bmp"), 400, 300, "BMP");
  }

  cutout::Form23& OpenPicture() {
    cutout::Form23* f = Open(picture_);
    EXPECT_NE(f, nullptr);
    return *f;
  }

  void PressAll(cutout::Form23& f, const QPolygon& points) {
    for (const QPoint& p : points) Press(f, p.x(), p.y());
  }

  QString Slot(int n) const {
    return Path(QStringLiteral("pic_Pb%1.dat").arg(n, 2, 10, QChar(u'0')));
  }

  QString picture_;
};

TEST_F(PointsTest, TheWindowWritesSignedNumbersOneLineAPoint) {
  cutout::Form23& f = OpenPicture();
  PressAll(f, {{120, 45}, {0, 7}, {30, 3}});
  f.Command6_Click();  // ↑: two points above the picture
  SaveOutline(f);
  EXPECT_EQ(test_support::ReadBytes(Slot(0)),
            "KVZ_PICTYPE_DATA\r\n 120, 35\r\n 0,-3\r\n 30,-7\r\n");
  EXPECT_EQ(f.PlotEdited, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());

  // Slot 7 of the same picture.
  f.Combo1.SetListIndex(7);
  EXPECT_EQ(f.Caption(), kCaption + u'-' + Slot(7));
  SaveOutline(f);
  EXPECT_EQ(test_support::ReadBytes(Slot(7)), test_support::ReadBytes(Slot(0)));
}

TEST_F(PointsTest, WithTheLinkedFilesFolderOnThePointFileLiesThere) {
  const QString links = Path(QStringLiteral("links"));
  ASSERT_TRUE(QDir().mkpath(links));
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = links;
  cutout::Form23& f = OpenPicture();
  PressAll(f, {{1, 1}, {9, 1}, {5, 9}});
  f.Combo1.SetListIndex(62);
  SaveOutline(f);
  EXPECT_TRUE(QFile::exists(links + QStringLiteral("/pic_Pb62.dat")));
  EXPECT_FALSE(QFile::exists(Slot(62)));
  EXPECT_EQ(core::CutoutPointFilePath(Path(QStringLiteral("b.tif")), 7),
            links + QStringLiteral("/b_Pb07.dat"));
}

// The one reader that the window and the show-screen buttons share.
TEST_F(PointsTest, TheReaderTakesWhatTheFormatAllows) {
  struct Case {
    const char* what;
    QStringList lines;
    bool tagged;
    QPolygon points;
  } cases[] = {
      {"tag with blanks around it",
       {"  KVZ_PICTYPE_DATA  ", " 1, 2", " 3, 4"},
       true,
       {{1, 2}, {3, 4}}},
      {"tag with a further character", {"KVZ_PICTYPE_DATA.", " 1, 2"}, false, {}},
      {"tag in lower case", {"kvz_pictype_data", " 1, 2"}, false, {}},
      {"blank lines skipped, halves to even",
       {"KVZ_PICTYPE_DATA", "", "12.5,13.5", "", "-3, 0"},
       true,
       {{12, 14}, {-3, 0}}},
      {"tag only", {"KVZ_PICTYPE_DATA"}, true, {}},
  };
  for (const Case& c : cases) {
    const core::CutoutPoints read =
        core::ReadCutoutPointFile(PointFile(QStringLiteral("r.dat"), c.lines));
    EXPECT_EQ(read.tagged, c.tagged) << c.what;
    EXPECT_EQ(read.points, c.points) << c.what;
  }
  EXPECT_FALSE(core::ReadCutoutPointFile(Path(QStringLiteral("none.dat"))).opened);
}

TEST_F(PointsTest, TheSlotZeroFileIsDrawnAtLoadWithoutAQuestion) {
  PointFile(QStringLiteral("pic_Pb00.dat"), {"KVZ_PICTYPE_DATA", " 10, 10", " 90, 10", " 50, 80"});
  cutout::Form23& f = OpenPicture();
  EXPECT_EQ(Plot(f), QPolygon({{10, 10}, {90, 10}, {50, 80}}));
  EXPECT_EQ(f.Picture1.Image().pixelColor(50, 10), QColor(255, 0, 0));
  EXPECT_EQ(f.Caption(), kCaption + u'-' + Slot(0));
  EXPECT_EQ(f.PlotEdited, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
  f.Command2_Click();  // unchanged: closes without asking
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(PointsTest, AWrongSlotZeroFileIsPassedOverSilently) {
  PointFile(QStringLiteral("pic_Pb00.dat"), {"SOMETHING ELSE", " 10, 10"});
  cutout::Form23& f = OpenPicture();
  EXPECT_EQ(f.PlotCount, 0);
  EXPECT_EQ(f.Caption(), kCaption);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(PointsTest, PickingASlotOffersItsFile) {
  PointFile(QStringLiteral("pic_Pb03.dat"), {"KVZ_PICTYPE_DATA", " 5, 5", " 60, 5", " 30, 40"});
  PointFile(QStringLiteral("pic_Pb04.dat"), {"NOT_POINTS", " 5, 5"});
  cutout::Form23& f = OpenPicture();
  PressAll(f, {{100, 100}, {200, 100}});

  dialogs_.Answer(vbNo);
  f.Combo1.SetListIndex(3);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("切取座標データ")});
  EXPECT_EQ(
      dialogs_.Calls()[0].text,
      QStringLiteral("すでに切取座標データファイルが存在します。読込みますか？\r\n") + Slot(3));
  EXPECT_EQ(Plot(f), QPolygon(QList<QPoint>{{100, 100}, {200, 100}}));
  EXPECT_EQ(f.Caption(), kCaption + u'-' + Slot(3));

  dialogs_.ClearCalls();
  dialogs_.Answer(vbYes);
  f.Combo1.SetListIndex(4);
  EXPECT_EQ(Titles(),
            (QStringList{QStringLiteral("切取座標データ"), QStringLiteral("ファイル選択エラー")}));
  EXPECT_EQ(Plot(f), QPolygon(QList<QPoint>{{100, 100}, {200, 100}}));

  dialogs_.Answer(vbYes);
  f.Combo1.SetListIndex(3);
  EXPECT_EQ(Plot(f), QPolygon({{5, 5}, {60, 5}, {30, 40}}));
  EXPECT_EQ(f.ButtonNumberText, QStringLiteral("3"));
  EXPECT_EQ(f.Picture1.Image().pixelColor(150, 100), kPictureColour);  // old marks gone

  dialogs_.ClearCalls();
  f.Combo1.SetListIndex(9);  // no file: only the caption
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(f.Caption(), kCaption + u'-' + Slot(9));
}

TEST_F(PointsTest, OpenTakesAnyPointFileWithAPointOnThePicture) {
  const QString outside = PointFile(QStringLiteral("outside.dat"),
                                    {"KVZ_PICTYPE_DATA", " 401, 5", " 500, 500", " 5, 301"});
  const QString oneOn = PointFile(QStringLiteral("other_Pb05.dat"),
                                  {"KVZ_PICTYPE_DATA", " 400, 300", " 900, 900", " 950, 10"});
  const QString noSlot =
      PointFile(QStringLiteral("outline.dat"), {"KVZ_PICTYPE_DATA", "-5, 2", " 30, 2", " 30, 30"});
  const QString notPoints = PointFile(QStringLiteral("x.dat"), {"hello"});
  // The slot's own file would ask on a move of Combo1 unless "開く" holds it back.
  PointFile(QStringLiteral("pic_Pb05.dat"), {"KVZ_PICTYPE_DATA", " 1, 1", " 2, 2", " 3, 3"});
  cutout::Form23& f = OpenPicture();
  PressAll(f, {{7, 7}});
  f.PlotEdited = 0;

  struct Refusal {
    std::optional<QString> chosen;
    const char* title;
  } refusals[] = {
      {outside, "座標範囲外"},
      {notPoints, "ファイル選択エラー"},
      {Path(QStringLiteral("missing.dat")), "ファイル選択エラー"},
      {std::nullopt, nullptr},  // cancelled
  };
  for (const Refusal& r : refusals) {
    dialogs_.ClearCalls();
    if (r.chosen)
      dialogs_.AnswerText(*r.chosen);
    else
      dialogs_.AnswerCancel();
    f.Command5.DoClick();
    ASSERT_EQ(dialogs_.CallsOf(DialogKind::kOpenFile).size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].title,
              QStringLiteral("切取座標データファイルを選択してください"));
    EXPECT_EQ(dialogs_.Calls()[0].initialDir, dir_.path());
    EXPECT_EQ(Titles().mid(1), r.title ? QStringList{QString::fromUtf8(r.title)} : QStringList{});
    EXPECT_EQ(Plot(f), QPolygon({{7, 7}}));
    EXPECT_EQ(f.PlotEdited, 0);
  }

  dialogs_.ClearCalls();
  dialogs_.AnswerText(oneOn);
  f.Command5.DoClick();
  EXPECT_EQ(dialogs_.Calls().size(), 1u);  // the slot moved without its question
  EXPECT_EQ(Plot(f), QPolygon({{400, 300}, {900, 900}, {950, 10}}));
  EXPECT_EQ(f.Combo1.ListIndex(), 5);
  EXPECT_EQ(f.ButtonNumberText, QStringLiteral("5"));
  EXPECT_EQ(f.PlotEdited, 1);
  EXPECT_EQ(f.Caption(), kCaption + u'-' + oneOn);

  dialogs_.AnswerText(noSlot);
  f.Command5.DoClick();
  EXPECT_EQ(Plot(f), QPolygon({{-5, 2}, {30, 2}, {30, 30}}));
  EXPECT_EQ(f.Combo1.ListIndex(), 5);
  EXPECT_EQ(f.Caption(), kCaption + u'-' + noSlot);
}

// What a generation asks before it touches the slot's existing point file (read at load).
TEST_F(PointsTest, AnExistingPointFileIsReplacedOnlyAsTheUserSays) {
  const QByteArray old = "KVZ_PICTYPE_DATA\r\n 1, 1\r\n 9, 1\r\n 5, 9\r\n";
  const QByteArray edited = "KVZ_PICTYPE_DATA\r\n 20, 20\r\n 80, 20\r\n 50, 70\r\n";
  const QPolygon three = {{20, 20}, {80, 20}, {50, 70}};
  const QPolygon two = {{20, 20}, {80, 20}};
  const QString erase = QStringLiteral("切取座標データ　消去確認");
  const QString overwrite = QStringLiteral("切取座標データ　上書き確認");
  struct Case {
    const char* what;
    std::optional<QPolygon> presses;  // nullopt: the outline read at load, unchanged
    int answer;
    QStringList titles;
    QByteArray after;  // "" = the file is gone
  } cases[] = {
      {"no points, Yes: deleted", QPolygon(), vbYes, {erase}, ""},
      {"no points, No: kept", QPolygon(), vbNo, {erase}, old},
      {"edited outline, No", three, vbNo, {overwrite}, old},
      {"edited outline, Yes", three, vbYes, {overwrite}, edited},
      {"two points: asked, then too few",
       two,
       vbYes,
       {overwrite, QStringLiteral("プロット不足")},
       old},
      {"the outline read from it, unchanged", std::nullopt, vbNo, {}, old},
  };
  for (const Case& c : cases) {
    test_support::WriteBytes(Slot(0), old);
    cutout::Form23& f = OpenPicture();
    if (c.presses) {
      f.Command1_Click();
      PressAll(f, *c.presses);
    }
    dialogs_.ClearCalls();
    dialogs_.Answer(c.answer);
    SaveOutline(f);
    EXPECT_EQ(Titles(), c.titles) << c.what;
    EXPECT_EQ(test_support::ReadBytes(Slot(0)), c.after) << c.what;
    EXPECT_EQ(QFile::exists(Slot(0)), !c.after.isEmpty()) << c.what;
    CloseCutout();
  }
}

TEST_F(PointsTest, ReadingAnotherSlotDoesNotLetItsOutlineOverwriteThisSlotUnasked) {
  PointFile(QStringLiteral("pic_Pb02.dat"), {"KVZ_PICTYPE_DATA", " 1, 1", " 9, 1", " 5, 9"});
  PointFile(QStringLiteral("pic_Pb03.dat"), {"KVZ_PICTYPE_DATA", " 20, 20", " 80, 20", " 50, 70"});
  cutout::Form23& f = OpenPicture();

  // Slot 2's outline read and unchanged: written back to slot 2 without a question.
  dialogs_.Answer(vbYes);
  f.Combo1.SetListIndex(2);
  dialogs_.ClearCalls();
  SaveOutline(f);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(test_support::ReadBytes(Slot(2)), "KVZ_PICTYPE_DATA\r\n 1, 1\r\n 9, 1\r\n 5, 9\r\n");

  // Slot 3 picked, its file declined: slot 2's outline stays and is not written over slot
  // 3's file unasked.
  dialogs_.Answer(vbNo);
  f.Combo1.SetListIndex(3);
  EXPECT_EQ(f.PlotEdited, 0);
  dialogs_.ClearCalls();
  dialogs_.Answer(vbNo);
  SaveOutline(f);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("切取座標データ　上書き確認")});
  EXPECT_EQ(test_support::ReadBytes(Slot(3)),
            "KVZ_PICTYPE_DATA\r\n 20, 20\r\n 80, 20\r\n 50, 70\r\n");
  dialogs_.Answer(vbYes);
  SaveOutline(f);
  EXPECT_EQ(test_support::ReadBytes(Slot(3)), test_support::ReadBytes(Slot(2)));
}

TEST_F(PointsTest, AFailedWriteKeepsTheOldFileAndSaysSo) {
  test_support::SmallDisk disk(64);
  if (!disk.Mounted()) GTEST_SKIP() << disk.WhyNot();
  picture_ = disk.Path(QStringLiteral("pic.jpg"));
  QImage image(400, 300, QImage::Format_RGB32);
  image.fill(kPictureColour);
  ASSERT_TRUE(image.save(picture_, "JPEG"));
  const QString file = disk.Path(QStringLiteral("pic_Pb00.dat"));
  const QByteArray old = "KVZ_PICTYPE_DATA\r\n 1, 1\r\n 9, 1\r\n 5, 9\r\n";
  test_support::WriteBytes(file, old);
  cutout::Form23& f = OpenPicture();
  f.Command1_Click();
  PressAll(f, {{100, 100}, {300, 100}});
  f.Command14_Click();  // a circle of 360 points
  disk.Fill();
  dialogs_.ClearCalls();
  dialogs_.Answer(vbYes);
  SaveOutline(f);
  EXPECT_EQ(Titles(), (QStringList{QStringLiteral("切取座標データ　上書き確認"),
                                   QStringLiteral("書き込みエラー")}));
  EXPECT_EQ(test_support::ReadBytes(file), old);
  EXPECT_EQ(f.PlotEdited, 1);
}

// What the window writes, the show-screen buttons read: the button's outline holds the
// inside of the plotted shape and not its outside.
TEST_F(PointsTest, AButtonTakesTheOutlineTheWindowWrote) {
  cutout::Form23& f = OpenPicture();
  struct Case {
    QPolygon presses;
    void (cutout::Form23::*tool)();
    QPoint inside, outside;
    QRect box;
  } cases[] = {
      {{{50, 40}, {250, 200}},
       &cutout::Form23::Command13_Click,
       {100, 100},
       {20, 20},
       {QPoint(50, 40), QPoint(250, 200)}},
      {{{100, 100}, {300, 100}},
       &cutout::Form23::Command14_Click,
       {200, 100},
       {110, 15},
       {QPoint(100, 0), QPoint(300, 200)}},
  };
  core::Flags().FullScreenShowActive = 1;
  platform::PictureBox& button = showbuttons::ShowCopy(5);
  button.SetPicture(f.Picture1.Picture());
  for (const Case& c : cases) {
    f.Command1_Click();
    PressAll(f, c.presses);
    (f.*c.tool)();
    dialogs_.Answer(vbYes);
    SaveOutline(f);
    showbuttons::ApplyPolygonShape(5, f.PointFilePath());
    EXPECT_TRUE(button.mask().contains(c.inside));
    EXPECT_FALSE(button.mask().contains(c.outside));
    const core::ButtonSlots& b = core::Buttons();
    EXPECT_EQ(QRect(QPoint(b.PicButtonShapeLefts[5], b.PicButtonShapeTops[5]),
                    QPoint(b.PicButtonShapeRights[5], b.PicButtonShapeBottoms[5])),
              c.box);
  }
  button.clearMask();
  test_support::CloseShowWindows();
}

}  // namespace
}  // namespace cutout_test
