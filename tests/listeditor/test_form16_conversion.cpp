// The conversion copy: sizes, formats and turns read back from the written files, the
// questions of a run, stopping it, and the files it must never write over.
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

#include "tests/listeditor/picture_tools_fixture.h"
#include "tests/support/pictures.h"

namespace picture_tools_test {
namespace {

using listeditor::Form16;

TEST(ConversionFit, PicturesShrinkIntoTheBoxAndAreNeverEnlarged) {
  struct Case {
    int w, h, boxW, boxH, outW, outH;
  };
  const Case cases[] = {
      {4000, 3000, 1920, 1080, 1440, 1080}, {1000, 3000, 1280, 720, 240, 720},
      {800, 600, 1920, 1080, 800, 600},     {1280, 720, 1280, 720, 1280, 720},
      {3000, 4000, 1920, 1080, 810, 1080},  {6000, 1000, 1280, 720, 1280, 213},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(listeditor::ShrinkToBox(c.w, c.h, c.boxW, c.boxH), QSize(c.outW, c.outH))
        << c.w << "x" << c.h;
  }
}

TEST(ConversionFit, TheExtensionIsReplacedWhateverItsLength) {
  EXPECT_EQ(listeditor::ConvertedName("photo.jpeg", ".jpg"), QStringLiteral("photo.jpg"));
  EXPECT_EQ(listeditor::ConvertedName("photo.jpg", ".jpg"), QStringLiteral("photo.jpg"));
  EXPECT_EQ(listeditor::ConvertedName("a.b.TIF", ".bmp"), QStringLiteral("a.b.bmp"));
  EXPECT_EQ(listeditor::ConvertedName("noext", ".png"), QStringLiteral("noext.png"));
}

class ConversionTest : public PictureToolsTest {
 protected:
  // A picture whose upper half is red and lower half blue, so a turn shows in the result.
  static QImage TwoColour(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QPainter(&image).fillRect(0, 0, w, h / 2, Qt::red);
    return image;
  }

  // The window opened on the slide list with the given rows selected, the destination set.
  Form16& Open(const QStringList& paths, const QList<int>& selected, const QString& folder) {
    SetSlides(paths);
    listeditor::Form3& editor = listeditor::form3();
    for (int i : selected) editor.List1.SetSelected(i, true);
    Form16& w = listeditor::form16();
    w.Show();
    WaitFor([&w] { return w.isVisible(); }, 3000);
    platform::DoEvents();
    platform::DoEvents();
    w.Text1.SetText(folder);
    return w;
  }

  static QString Out(const QTemporaryDir& dir, const char* name) {
    return dir.filePath(QString::fromUtf8(name));
  }
};

TEST_F(ConversionTest, SizesFormatsAndTurnsOfAMixedList) {
  struct Case {
    const char* source;
    const char* format;  // how the source is written
    int w, h;
    int orientation;     // EXIF orientation of a JPEG source (0: none)
    const char* option;  // "BMP", "JPEG", "PNG", "nasi"
    int shrink;          // -1 none, 0 the 1280x720 box, 1 the 1920x1080 box
    const char* written;
    QByteArray readFormat;
    QSize size;
  };
  const std::vector<Case> cases = {
      {"a.png", "PNG", 640, 480, 0, "JPEG", -1, "a.jpg", "jpeg", {640, 480}},
      {"b.jpg", "JPEG", 2400, 1800, 6, "JPEG", 1, "b.jpg", "jpeg", {810, 1080}},
      {"c.bmp", "BMP", 2000, 1000, 0, "PNG", 0, "c.png", "png", {1280, 640}},
      {"d.tif", "TIFF", 300, 200, 0, "BMP", -1, "d.bmp", "bmp", {300, 200}},
      {"e.jpg", "JPEG", 800, 600, 0, "JPEG", 1, "e.jpg", "jpeg", {800, 600}},
      {"f.jpg", "JPEG", 1000, 3000, 0, "BMP", 0, "f.bmp", "bmp", {240, 720}},
      {"g.jpg", "JPEG", 640, 480, 3, "PNG", -1, "g.png", "png", {640, 480}},
      {"h.jpg", "JPEG", 1200, 900, 8, "nasi", 0, "h.jpg", "jpeg", {1200, 900}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.source);
    QTemporaryDir to;
    const QString src = src_.filePath(QString::fromUtf8(c.source));
    const QImage picture = TwoColour(c.w, c.h);
    if (c.orientation) {
      test_support::WriteBytes(src, test_support::JpegWithOrientation(picture, c.orientation));
    } else {
      ASSERT_TRUE(picture.save(src, c.format));
    }
    const QString movie = src_.filePath(QStringLiteral("clip.mp4"));
    test_support::WriteBytes(movie, "movie");
    const QString gone = src_.filePath(QStringLiteral("gone.jpg"));
    const QString unselected = MakePicture(src_.filePath(QStringLiteral("z.png")), 20, 20, "PNG");
    Form16& w = Open({movie, src, gone, unselected}, {0, 1, 2}, to.path());
    const QString option = QString::fromUtf8(c.option);
    if (option == u"BMP") w.BMP.SetValue(true);
    if (option == u"JPEG") w.JPEG.SetValue(true);
    if (option == u"PNG") w.PNG.SetValue(true);
    if (option == u"nasi") w.nasi.SetValue(true);
    w.Check2(0).SetValue(c.shrink == 0 ? 1 : 0);
    w.Check2(1).SetValue(c.shrink == 1 ? 1 : 0);
    dialogs_.ClearCalls();
    w.Command1_Click();

    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(Names(to.path()), QStringList{QString::fromUtf8(c.written)});
    EXPECT_EQ(w.Label6.Caption(), QStringLiteral("コピー進捗： 1"));
    const QString out = Out(to, c.written);
    QImageReader reader(out);
    reader.setAutoTransform(false);
    EXPECT_EQ(reader.format(), c.readFormat);
    EXPECT_EQ(reader.size(), c.size);
    if (option == u"nasi") {
      EXPECT_EQ(ReadBytes(out), ReadBytes(src));  // copied as it is
      continue;
    }
    const QImage result(out);
    if (option == u"PNG") EXPECT_EQ(result.depth(), 8);
    // Turned upright: orientation 6 puts the picture's top on the right, 3 at the bottom.
    const QPoint redSide = c.orientation == 6   ? QPoint(result.width() - 5, result.height() / 2)
                           : c.orientation == 3 ? QPoint(result.width() / 2, result.height() - 5)
                                                : QPoint(result.width() / 2, 5);
    EXPECT_GT(qRed(result.pixel(redSide)), 180);
    EXPECT_LT(qBlue(result.pixel(redSide)), 80);
    EXPECT_TRUE(w.Command1.Enabled());
    EXPECT_FALSE(w.Command3.Visible());
  }
}

TEST_F(ConversionTest, StopAsksAndEndsAfterThePictureInHand) {
  for (int answer : {platform::vbYes, platform::vbNo}) {
    SCOPED_TRACE(answer == platform::vbYes ? "yes" : "no");
    QTemporaryDir to;
    QStringList paths;
    for (int i = 1; i <= 3; ++i)
      paths << MakePicture(src_.filePath(QStringLiteral("s%1.png").arg(i)), 64, 48, "PNG");
    Form16& w = Open(paths, {0, 1, 2}, to.path());
    w.PNG.SetValue(true);
    // "中止" pressed while the second picture is in hand.
    QMetaObject::Connection stop = QObject::connect(&w.Text2, &platform::TextBox::Change, &w, [&w] {
      if (w.Text2.Text() == u"s2.png") w.Command3_Click();
    });
    dialogs_.ClearCalls();
    dialogs_.Answer(answer);
    w.Command1_Click();
    QObject::disconnect(stop);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("変換コピーを中止しますか ?"));
    EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("変換コピー中止"));
    const QStringList expected = answer == platform::vbYes
                                     ? QStringList{"s1.png", "s2.png"}
                                     : QStringList{"s1.png", "s2.png", "s3.png"};
    EXPECT_EQ(Names(to.path()), expected);
    EXPECT_EQ(w.ConversionActive, 0);
  }
}

TEST_F(ConversionTest, ASourceIsNeverWrittenOverItself) {
  const QString bmp = MakePicture(src_.filePath(QStringLiteral("self.bmp")), 50, 40, "BMP");
  const QString jpg = MakePicture(src_.filePath(QStringLiteral("other.jpg")), 50, 40, "JPEG");
  const QByteArray bmpBytes = ReadBytes(bmp), jpgBytes = ReadBytes(jpg);
  QTemporaryDir links;
  const QString alias = links.filePath(QStringLiteral("alias"));
  ASSERT_TRUE(QFile::link(src_.path(), alias));
  struct Case {
    const char* name;
    QString folder;
    bool unchanged;
  };
  const Case cases[] = {
      {"same folder, converting", src_.path(), false},
      {"same folder, unchanged copy", src_.path(), true},
      {"same folder by a linked path", alias, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Form16& w = Open({bmp, jpg}, {0, 1}, c.folder);
    w.Check1.SetValue(1);  // even with "すべて上書き"
    c.unchanged ? w.nasi.SetValue(true) : w.BMP.SetValue(true);
    w.Label6.SetCaption(QString());
    dialogs_.ClearCalls();
    w.Command1_Click();
    EXPECT_EQ(ReadBytes(bmp), bmpBytes);
    EXPECT_EQ(ReadBytes(jpg), jpgBytes);
    EXPECT_TRUE(dialogs_.Calls().empty());
    // The JPEG becomes a new BMP beside it; the BMP itself is passed over uncounted.
    if (c.unchanged) {
      EXPECT_TRUE(w.Label6.Caption().isEmpty());
    } else {
      EXPECT_EQ(w.Label6.Caption(), QStringLiteral("コピー進捗： 1"));
      EXPECT_EQ(QImageReader(src_.filePath(QStringLiteral("other.bmp"))).format(), "bmp");
    }
    w.Check1.SetValue(0);
    w.Command2_Click();
  }
}

TEST_F(ConversionTest, AnExistingFileIsReplacedOnlyWhenTheUserAgrees) {
  const QString src = MakePicture(src_.filePath(QStringLiteral("x.png")), 64, 48, "PNG");
  const QString dest = dst_.filePath(QStringLiteral("x.jpg"));
  const QByteArray old("older file");
  struct Case {
    const char* name;
    bool overwriteAll;
    int answer;
    bool replaced;
    size_t questions;
  };
  const Case cases[] = {
      {"declined", false, platform::vbNo, false, 1},
      {"agreed", false, platform::vbYes, true, 1},
      {"すべて上書き", true, platform::vbNo, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test_support::WriteBytes(dest, old);
    Form16& w = Open({src}, {0}, dst_.path());
    w.JPEG.SetValue(true);
    w.Check1.SetValue(c.overwriteAll ? 1 : 0);
    dialogs_.ClearCalls();
    dialogs_.Answer(c.answer);
    w.Command1_Click();
    ASSERT_EQ(dialogs_.Calls().size(), c.questions);
    if (c.questions) {
      EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("コピー"));
      EXPECT_EQ(
          dialogs_.Calls()[0].text,
          dest + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか ?"));
    }
    EXPECT_EQ(ReadBytes(dest) == old, !c.replaced);
    w.Command2_Click();
  }
}

TEST_F(ConversionTest, RefusedAndUnwritableDestinations) {
  const QString src = MakePicture(src_.filePath(QStringLiteral("r.png")), 64, 48, "PNG");
  for (const QString& folder :
       {QStringLiteral("/"), QStringLiteral("/home"), QStringLiteral("/home/")}) {
    SCOPED_TRACE(folder.toStdString());
    Form16& w = Open({src}, {0}, folder);
    dialogs_.ClearCalls();
    w.Command1_Click();
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("コピー先フォルダ未選択"));
    EXPECT_EQ(dialogs_.Calls()[0].text,
              QStringLiteral("\r\nこのフォルダ直下へは変換コピーできません。\r\nコピー先フォルダを"
                             "選択してください。"));
    EXPECT_TRUE(w.Command1.Enabled());
    EXPECT_TRUE(w.Text1.Enabled());
  }
  // A folder that is not there ends the run with the message that names the file.
  const QString missing = dst_.filePath(QStringLiteral("no such folder"));
  Form16& w = Open({src}, {0}, missing);
  dialogs_.ClearCalls();
  w.Command1_Click();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("変換コピーエラー"));
  EXPECT_EQ(
      dialogs_.Calls()[0].text,
      missing +
          QStringLiteral(
              "/r.jpg\r\n変換コピーできません。\r\n\r\nコピー先フォルダを変更してください。"));
  EXPECT_FALSE(QFileInfo::exists(missing));
}

TEST_F(ConversionTest, PicturesThatCannotBeConvertedAskWhetherToGoOn) {
  // A PNG named as a JPEG, a file no decoder reads, then a good picture.
  const QString fake = MakePicture(src_.filePath(QStringLiteral("fake.jpg")), 30, 20, "PNG");
  const QString broken = src_.filePath(QStringLiteral("broken.png"));
  test_support::WriteBytes(broken, "\x89PNG and nothing else");
  const QString good = MakePicture(src_.filePath(QStringLiteral("good.png")), 30, 20, "PNG");
  struct Case {
    int firstAnswer;
    QStringList written;
    size_t questions;
  };
  const Case cases[] = {
      {platform::vbNo, {}, 1},                             // No ends the run at once
      {platform::vbYes, {QStringLiteral("good.bmp")}, 2},  // Yes, Yes: the good one is written
  };
  for (const Case& c : cases) {
    QTemporaryDir to;
    Form16& w = Open({fake, broken, good}, {0, 1, 2}, to.path());
    w.BMP.SetValue(true);
    dialogs_.ClearCalls();
    dialogs_.Answer(c.firstAnswer);
    dialogs_.Answer(platform::vbYes);
    w.Command1_Click();
    ASSERT_EQ(dialogs_.Calls().size(), c.questions);
    EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("変換コピーエラー"));
    EXPECT_EQ(dialogs_.Calls()[0].text,
              to.filePath(QStringLiteral("fake.bmp")) +
                  QStringLiteral("\r\n変換コピーできませんでした。\r\n\r\n継続しますか ?"));
    EXPECT_EQ(Names(to.path()), c.written);
  }
}

TEST_F(ConversionTest, AFullDiskKeepsNoPartFileAndAsks) {
  Mount disk(96);
  if (!disk.Mounted()) GTEST_SKIP() << "mounting a small file system needs root";
  disk.Fill();
  const QString src = MakePicture(src_.filePath(QStringLiteral("big.png")), 600, 400, "PNG");
  Form16& w = Open({src}, {0}, disk.Path());
  w.BMP.SetValue(true);
  dialogs_.Answer(platform::vbNo);
  w.Command1_Click();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("変換コピーエラー"));
  EXPECT_EQ(Names(disk.Path()), QStringList{QStringLiteral("filler")});
}

TEST_F(ConversionTest, MoviesAndMissingFilesAloneEndTheRunQuietly) {
  const QString movie = src_.filePath(QStringLiteral("m.MOV"));
  test_support::WriteBytes(movie, "movie");
  Form16& w = Open({movie, src_.filePath(QStringLiteral("gone.png"))}, {0, 1}, dst_.path());
  w.Label6.SetCaption(QStringLiteral("before"));
  w.Command1_Click();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(w.Label6.Caption(), QStringLiteral("before"));
  EXPECT_TRUE(Names(dst_.path()).isEmpty());
}

TEST_F(ConversionTest, TheWindowsOptionsFollowOneAnother) {
  Form16& w =
      Open({MakePicture(src_.filePath(QStringLiteral("o.png")), 8, 8, "PNG")}, {0}, dst_.path());
  EXPECT_TRUE(w.JPEG.Value());
  EXPECT_EQ(w.Label5.Caption(), QStringLiteral("1"));
  w.Check2(0).SetValue(1);
  w.Check2(1).SetValue(1);
  EXPECT_EQ(w.Check2(0).Value(), 0);
  w.nasi.SetValue(true);
  EXPECT_FALSE(w.JPEG.Value());
  EXPECT_FALSE(w.Check2(0).Visible());
  EXPECT_FALSE(w.Check2(1).Visible());
  w.PNG.SetValue(true);
  EXPECT_TRUE(w.Check2(1).Visible());
  EXPECT_EQ(w.Check2(1).Value(), 1);
  w.Dir1.SetPath(src_.path());
  EXPECT_EQ(w.Text1.Text(), src_.path());
}

TEST_F(ConversionTest, TheSlideListButtonNeedsASelection) {
  SetSlides({MakePicture(src_.filePath(QStringLiteral("n.png")), 8, 8, "PNG")});
  listeditor::OpenConversionCopy();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("変換コピー選択エラー"));
  EXPECT_EQ(
      dialogs_.Calls()[0].text,
      QStringLiteral(
          "ファイルが選択されておりません。\r\nスライドリストをドラッグし、選択して下さい。"));
  EXPECT_EQ(listeditor::Form16IfLoaded(), nullptr);
}

}  // namespace
}  // namespace picture_tools_test
