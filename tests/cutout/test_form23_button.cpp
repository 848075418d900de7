// The road of one cut-out: an outline plotted in the window and saved for a slot, then a
// picture button placed by macro lines with that point file, cut to that outline.
#include <QFile>

#include "cutout/form23.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/showbuttons/buttons_fixture.h"
#include "tests/support/input.h"

namespace cutout_test {
namespace {

class CutoutButtonTest : public buttons_test::ButtonsTest {
 protected:
  void TearDown() override {
    if (cutout::Form23* f = cutout::Form23IfLoaded()) {
      f->PlotEdited = 0;
      f->Unload();
    }
    platform::DestroyPendingNow();
    ButtonsTest::TearDown();
  }
};

TEST_F(CutoutButtonTest, AMacroButtonTakesTheOutlinePlottedInTheWindow) {
  platform::ScriptedDialogs dialogs;
  const QString picture = Picture(QStringLiteral("cut.bmp"), 200, 150, buttons_test::kGreen, "BMP");
  listeditor::Form3& editor = listeditor::form3();
  editor.List1.Clear();
  editor.List1.AddItem(picture);
  editor.List1.SetListIndex(0);

  cutout::Form23& f = cutout::form23();
  ASSERT_EQ(cutout::Form23IfLoaded(), &f);
  f.Combo1.SetListIndex(5);
  test_support::ClickAt(&f.Picture1, QPointF(20, 20));
  test_support::ClickAt(&f.Picture1, QPointF(120, 100));
  f.Command13.DoClick();                 // 四角
  ASSERT_TRUE(f.SavePlotToPointFile());  // マクロ生成's first steps: the slot's point file
  f.PlotEdited = 0;
  ASSERT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("cut_Pb05.dat"))));
  f.Command2.DoClick();
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_TRUE(dialogs.Calls().empty());

  Line(QStringLiteral("PicPBData(5,\"cut_Pb05.dat\")"));
  Place(5, 30, 40, QStringLiteral("cut.bmp"));
  EXPECT_TRUE(Show(5).Visible());
  const QRegion outline = Show(5).mask();
  EXPECT_TRUE(outline.contains(QPoint(70, 60)));
  EXPECT_TRUE(outline.contains(QPoint(21, 21)));
  EXPECT_FALSE(outline.contains(QPoint(10, 10)));
  EXPECT_FALSE(outline.contains(QPoint(150, 120)));
  const core::ButtonSlots& b = core::Buttons();
  EXPECT_EQ(QRect(QPoint(b.PicButtonShapeLefts[5], b.PicButtonShapeTops[5]),
                  QPoint(b.PicButtonShapeRights[5], b.PicButtonShapeBottoms[5])),
            QRect(QPoint(20, 20), QPoint(120, 100)));
}

}  // namespace
}  // namespace cutout_test
