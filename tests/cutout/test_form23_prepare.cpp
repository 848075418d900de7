// The cut-out window's load: which copies of the picture it writes, what the slide list
// then names, what it asks, and when it refuses the picture.
#include <QImageReader>
#include <QTimer>

#include "tests/cutout/cutout_fixture.h"

namespace cutout_test {
namespace {

using platform::vbNo;
using platform::vbYes;

const QByteArray kOldCopy = "an older file of that name";

struct PrepareCase {
  const char* what;
  const char* file;
  const char* format;
  int w, h, orientation;
  std::vector<const char*> existing;  // files there before, with kOldCopy in them
  std::vector<int> answers;
  bool linkedFolder;
  // What follows.
  bool opens;
  const char* entry;  // the slide list's entry, relative to the case's folder
  QSize shown;
  QStringList titles;
  QStringList names;  // the files of the case's folder afterwards
  bool existingKept;
};

const QString kConvert = QStringLiteral("切取画像JPG変換");
const QString kConverted = QStringLiteral("画像の新規JPG保存");
const QString kFit = QStringLiteral("画像切取サイズ");
const QString kFitted = QStringLiteral("画像の新規縮小保存");

// clang-format off
const PrepareCase kCases[] = {
    {"upright JPEG within the box", "a.jpg", "JPEG", 1000, 700, 1, {}, {}, false,
     true, "a.jpg", {1000, 700}, {}, {"a.jpg"}, true},
    {"upper-case JPG", "g.JPG", "JPEG", 300, 200, 1, {}, {}, false,
     true, "g.JPG", {300, 200}, {}, {"g.JPG"}, true},
    {"BMP", "h.bmp", "BMP", 300, 200, 1, {}, {}, false,
     true, "h.bmp", {300, 200}, {}, {"h.bmp"}, true},
    {"large JPEG, fitting accepted", "b.jpg", "JPEG", 4000, 3000, 1, {}, {vbYes}, false,
     true, "b_S.jpg", {960, 720}, {kFit, kFitted}, {"b.jpg", "b_S.jpg"}, true},
    {"large JPEG, fitting refused", "b.jpg", "JPEG", 4000, 3000, 1, {}, {vbNo}, false,
     false, "b.jpg", {}, {kFit}, {"b.jpg"}, true},
    {"JPEG turned by EXIF and enlarged to the box", "c.jpg", "JPEG", 640, 480, 6, {}, {vbYes},
     false, true, "c_S.jpg", {540, 720}, {kFit, kFitted}, {"c.jpg", "c_S.jpg"}, true},
    {"JPEG turned half round", "c.jpg", "JPEG", 640, 480, 3, {}, {vbYes}, false,
     true, "c_S.jpg", {960, 720}, {kFit, kFitted}, {"c.jpg", "c_S.jpg"}, true},
    {"PNG within the box", "d.png", "PNG", 300, 200, 1, {}, {vbYes}, false,
     true, "d.jpg", {300, 200}, {kConvert, kConverted}, {"d.jpg", "d.png"}, true},
    {"PNG, conversion refused", "d.png", "PNG", 300, 200, 1, {}, {vbNo}, false,
     false, "d.png", {}, {kConvert}, {"d.png"}, true},
    {"large TIFF converted, then fitted without a question", "e.tif", "TIFF", 2000, 1000, 1, {},
     {vbYes}, false, true, "e_S.jpg", {1280, 640}, {kConvert, kConverted},
     {"e.jpg", "e.tif", "e_S.jpg"}, true},
    {"a .jpeg name gets .jpg in place of its extension", "f.jpeg", "JPEG", 300, 200, 1, {},
     {vbYes}, false, true, "f.jpg", {300, 200}, {kConvert, kConverted}, {"f.jpeg", "f.jpg"},
     true},
    {"existing conversion copy kept on No", "d.png", "PNG", 300, 200, 1, {"d.jpg"},
     {vbYes, vbNo}, false, false, "d.png", {}, {kConvert, kConvert}, {"d.jpg", "d.png"}, true},
    {"existing conversion copy replaced on Yes", "d.png", "PNG", 300, 200, 1, {"d.jpg"},
     {vbYes, vbYes}, false, true, "d.jpg", {300, 200}, {kConvert, kConvert, kConverted},
     {"d.jpg", "d.png"}, false},
    {"existing fitted copy of a TIFF asked about before anything is written", "e.tif", "TIFF",
     2000, 1000, 1, {"e_S.jpg"}, {vbYes, vbNo}, false, false, "e.tif", {}, {kConvert, kFit},
     {"e.tif", "e_S.jpg"}, true},
    {"existing fitted copy kept on No", "b.jpg", "JPEG", 4000, 3000, 1, {"b_S.jpg"},
     {vbYes, vbNo}, false, false, "b.jpg", {}, {kFit, kFit}, {"b.jpg", "b_S.jpg"}, true},
    {"conversion copy in the linked-files folder", "d.png", "PNG", 300, 200, 1, {}, {vbYes}, true,
     true, "links/d.jpg", {300, 200}, {kConvert, kConverted}, {"d.png"}, true},
    {"fitted copy in the linked-files folder", "b.jpg", "JPEG", 4000, 3000, 1, {}, {vbYes}, true,
     true, "links/b_S.jpg", {960, 720}, {kFit, kFitted}, {"b.jpg"}, true},
};
// clang-format on

class PrepareTest : public CutoutTest, public ::testing::WithParamInterface<PrepareCase> {};

TEST_P(PrepareTest, CopiesListEntryAndQuestions) {
  const PrepareCase& c = GetParam();
  const QString links = Path(QStringLiteral("links"));
  ASSERT_TRUE(QDir().mkpath(links));
  if (c.linkedFolder) {
    core::Paths().LinkedFilesInFolder = 1;
    core::Paths().LinkedFilesFolder = links;
  }
  const QString picture = MakePicture(QString::fromUtf8(c.file), c.w, c.h, c.format, c.orientation);
  for (const char* name : c.existing)
    test_support::WriteBytes(Path(QString::fromUtf8(name)), kOldCopy);
  for (int answer : c.answers) dialogs_.Answer(answer);

  cutout::Form23* f = Open(picture);

  EXPECT_EQ(f != nullptr, c.opens);
  EXPECT_EQ(Titles(), c.titles);
  EXPECT_EQ(SlideEntry(), Path(QString::fromUtf8(c.entry)));
  EXPECT_EQ(Names(), c.names);
  for (const char* name : c.existing)
    EXPECT_EQ(test_support::ReadBytes(Path(QString::fromUtf8(name))) == kOldCopy, c.existingKept)
        << name;
  if (f) {
    EXPECT_EQ(f->CutoutPicturePath, SlideEntry());
    EXPECT_EQ(f->Picture1.Picture().size(), c.shown);
    EXPECT_EQ(QImage(SlideEntry()).size(), c.shown);
    if (SlideEntry() != picture) EXPECT_EQ(QImageReader(SlideEntry()).format(), "jpeg");
  }
  for (const auto& call : dialogs_.Calls()) {
    if (call.title == kConverted || call.title == kFitted) {
      const QString copy =
          call.title == kConverted ? cutout::ConvertedCopyName(picture) : SlideEntry();
      EXPECT_TRUE(call.text.contains(copy)) << call.text.toStdString();
      EXPECT_TRUE(call.text.contains(c.linkedFolder ? QStringLiteral("指定フォルダ")
                                                    : QStringLiteral("同一フォルダ")));
      EXPECT_EQ(call.icon, platform::vbInformation);
    } else {
      EXPECT_EQ(call.buttons, platform::vbYesNo);
      EXPECT_EQ(call.icon, platform::vbQuestion);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, PrepareTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return "case" + std::to_string(info.index); });

// A picture the window can take gives it its size: at least 14430 x 9400 twips, at most the
// monitor's width and its height less 1500.
TEST_F(CutoutTest, TheWindowFollowsThePictureWithinItsLimits) {
  cutout::Form23* f = Open(MakePicture(QStringLiteral("small.jpg"), 320, 240));
  ASSERT_NE(f, nullptr);
  // Sizes in twips land on whole pixels.
  const auto onPixels = [](int twips) {
    return platform::PixelsToTwipsY(platform::TwipsToPixelsY(twips));
  };
  EXPECT_EQ(f->Width(), onPixels(14430));
  EXPECT_EQ(f->Height(), onPixels(9400));
  EXPECT_FALSE(f->HScroll1.Visible());
  EXPECT_FALSE(f->VScroll1.Visible());
  EXPECT_EQ(f->Caption(),
            QStringLiteral("画像切取マクロ生成-") + Path(QStringLiteral("small_Pb00.dat")));
  CloseCutout();

  f = Open(MakePicture(QStringLiteral("wide.jpg"), 1280, 720));
  ASSERT_NE(f, nullptr);
  // Below the least size it is that size; at the monitor's bounds, those bounds.
  const core::TwipsRect monitor = core::MonitorRectTwips(core::MainMonitorIndex());
  const int wide = 15 * 1280 + 800, high = 15 * 720 + 2510;
  EXPECT_EQ(f->Width(), onPixels(wide < 14430            ? 14430
                                 : wide >= monitor.Width ? monitor.Width
                                                         : wide));
  EXPECT_EQ(f->Height(), onPixels(high < 9400                     ? 9400
                                  : high >= monitor.Height - 1500 ? monitor.Height - 1500
                                                                  : high));
  // The frame is smaller than the picture: the bars move it, from 0 down to frame - picture.
  EXPECT_TRUE(f->HScroll1.Visible());
  EXPECT_EQ(f->HScroll1.Min(), f->Frame1.Width() - f->Picture1.Width());
  f->HScroll1.SetValue(f->HScroll1.Min());
  EXPECT_EQ(f->Picture1.Left(), f->Frame1.Width() - f->Picture1.Width());
}

TEST_F(CutoutTest, ALoadFailureSaysSoAndTheWindowDoesNotOpen) {
  const QString missing = Path(QStringLiteral("gone.jpg"));
  const QString notAPicture = Path(QStringLiteral("text.jpg"));
  test_support::WriteBytes(notAPicture, "not a picture");
  for (const QString& picture : {missing, notAPicture}) {
    dialogs_.ClearCalls();
    EXPECT_EQ(Open(picture), nullptr);
    ASSERT_EQ(Titles(), QStringList{QStringLiteral("画像読込または書込エラー")});
    EXPECT_EQ(dialogs_.Calls()[0].text,
              QStringLiteral("画像読込または書込ができません。\r\nフォルダの変更またはファイルを確"
                             "認してください。"));
    EXPECT_EQ(SlideEntry(), picture);
    CloseCutout();
  }
  // No row selected.
  SelectSlide(MakePicture(QStringLiteral("ok.jpg"), 50, 50));
  listeditor::form3().List1.SetListIndex(-1);
  dialogs_.ClearCalls();
  cutout::form23();
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("画像読込または書込エラー")});
}

// The slide list window's button opens the window modally on its selected row.
TEST_F(CutoutTest, TheSlideListButtonOpensTheWindowModally) {
  SelectSlide(MakePicture(QStringLiteral("shown.jpg"), 200, 100));
  bool seen = false;
  QTimer::singleShot(0, [&] {
    cutout::Form23* f = cutout::Form23IfLoaded();
    seen = f && f->isVisible() && f->isModal();
    if (f) f->Command2.DoClick();
  });
  listeditor::form3().Command25.DoClick();
  EXPECT_TRUE(seen);
  EXPECT_EQ(cutout::Form23IfLoaded(), nullptr);
}

}  // namespace
}  // namespace cutout_test
