// A picture's macro text file: made from "header.txt" or the built-in header (byte for byte),
// replaced by generated macro lines, opened in the text window, deleted after a question;
// every failure says so and keeps the user's files.
#include <QDir>

#include "linked_fixture.h"
#include "listeditor/picture_macro.h"
#include "platform/cp932.h"

namespace form3_test {
namespace {

// The built-in header as the user sees it in a new file, written out in full.
QByteArray BuiltInHeaderBytes() {
  const char* const lines[] = {
      "//=======画像連動テキスト表示パラメータ==============================",
      "QBColor=15       //[文字色](0-15)",
      " //(0-黒 1-青 2-緑 3-シアン 4-赤 5-マゼンタ 6-黄色 7-白)",
      " //(8-灰色 9-明るい青 10-明るい緑 11-明るいシアン)",
      " //(12-明るい赤 13-明るいマゼンタ 14-明るい黄色 15-明るい白)",
      "FontSize=20      //[文字サイズ]",
      "FontNo=1         //[フォント](0=SYSTEM,1=ＭＳゴシック,2=ＭＳ明朝)",
      "FontName=\"\"      //[フォント名指定] FontName=\"フォント名\"",
      "FontItalic=0     //[斜体](0=なし,1=あり)",
      "FontBold=0       //[太字](0=なし,1=あり)",
      "FontUnderLine=0  //[下線](0=なし,1=あり)",
      "Kage=2           //[影](0=なし,1=影, 2=黒輪郭, 3=白輪郭)",
      "ZureX=2          //[影ずれ幅 X]",
      "ZureY=2          //[影ずれ幅 Y]",
      "BorderColor=0    //[輪郭色](0=標準,1-15=QBColor)",
      "CurrentX=0       //[表示開始座標X]",
      "CurrentY=0       //[表示開始座標Y]",
      "Delay=0.1        //[遅延タイム](0.0-60.0秒)",
      "Skip=0           //[画面スキップ数]",
      "YesNoPB(0,0)     //[Yes/Noボタン](Yesの画面移動数，Noの画面移動数)",
      "Lock=0           //[操作ロック](1=ロック,2=解除)",
      "End=0            //[終了](0=しない,1=終了,2=全終了)",
      "Tab=8            //Tab幅文字数(2-10文字分)",
      "LineSpace=5      //行間隔(0-20)",
      "//===================================================================",
      "[テキスト]        //以下にメッセージを記入して下さい",
  };
  QByteArray bytes;
  for (const char* line : lines) bytes += platform::ToCp932(QString::fromUtf8(line)) + "\r\n";
  return bytes;
}

class PictureMacroTest : public LinkedTest {
 protected:
  QString HeaderFile() const { return core::Paths().AppFolder + QStringLiteral("header.txt"); }
};

TEST_F(PictureMacroTest, NewFilesFromTheUserHeaderOrTheBuiltInOneByteForByte) {
  // A user header with a line the text window could not show as Unicode, kept as it is.
  const QByteArray userHeader = platform::ToCp932(QStringLiteral("Kage=1\r\n[テキスト]\r\n")) +
                                QByteArray("\x81\x40\x85\x9f last\r\n");
  struct Case {
    const char* name;
    short headerOff;
    const char* header;  // nullptr: no header.txt
    const char* generated;
    QByteArray expected;
    bool editorOpens;
  };
  const QByteArray builtIn = BuiltInHeaderBytes();
  const Case cases[] = {
      {"user header", 0, userHeader.constData(), "", userHeader, true},
      {"no header.txt", 0, nullptr, "", builtIn, true},
      {"header off: built-in and the name", 1, userHeader.constData(), "",
       builtIn + "PIC_01.PNG\r\n", true},
      {"empty user header", 0, "", "", QByteArray(), true},
      {"generated lines after the user header", 0, userHeader.constData(), "Spin=1\r\nEnd=1",
       userHeader + "Spin=1\r\nEnd=1\r\n", false},
      {"generated lines after the built-in header", 1, nullptr, "End=1", builtIn + "End=1\r\n",
       false},
  };
  const QString picture = Picture(QStringLiteral("pic_01.png"), 1);
  const QString macro = InPictures(QStringLiteral("pic_01.txt"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(macro);
    QFile::remove(HeaderFile());
    if (c.header) test_support::WriteBytes(HeaderFile(), QByteArray(c.header));
    core::Settings().UserMacroHeaderOff = c.headerOff;
    core::Paths().GeneratedMacroText = QString::fromUtf8(c.generated);
    core::Paths().NotepadTaskId = 0;
    listeditor::Form3& w = WithRows({picture});
    w.Command17.SetEnabled(false);

    listeditor::EditPictureMacroFile();

    EXPECT_EQ(test_support::ReadBytes(macro), c.expected);
    EXPECT_EQ(core::Paths().NotepadTextPath, macro);
    EXPECT_TRUE(w.Command17.Enabled());
    EXPECT_TRUE(Calls().empty());
    if (c.editorOpens) {
      ASSERT_EQ(TextWindows().size(), 1u);
      EXPECT_EQ(TextWindows()[0]->Path(), macro);
      EXPECT_EQ(core::Paths().NotepadTaskId, TextWindows()[0]->TaskId());
    } else {
      EXPECT_TRUE(TextWindows().empty());
      EXPECT_EQ(core::Paths().NotepadTaskId, 0);
    }
    CloseTextWindows();
  }
}

TEST_F(PictureMacroTest, AnExistingFileOpensUnchangedAndGeneratedLinesReplaceIt) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString macro = InPictures(QStringLiteral("a.txt"));
  test_support::WriteBytes(macro, "Kage=3\r\nmine\r\n");
  core::Settings().UserMacroHeaderOff = 1;
  WithRows({picture});
  listeditor::EditPictureMacroFile();
  EXPECT_EQ(test_support::ReadBytes(macro), QByteArray("Kage=3\r\nmine\r\n"));
  ASSERT_EQ(TextWindows().size(), 1u);
  EXPECT_EQ(TextWindows()[0]->Text(), QStringLiteral("Kage=3\nmine\n"));
  CloseTextWindows();

  core::Paths().GeneratedMacroText = QStringLiteral("End=1");
  listeditor::EditPictureMacroFile();
  EXPECT_EQ(test_support::ReadBytes(macro), BuiltInHeaderBytes() + "End=1\r\n");
  EXPECT_TRUE(TextWindows().empty());
}

TEST_F(PictureMacroTest, NamesFollowTheLinkedFilesFolderAndCutFourCharacters) {
  QTemporaryDir linked;
  core::Settings().UserMacroHeaderOff = 1;
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = linked.path();
  WithRows({Picture(QStringLiteral("a.jpg"), 1)});
  listeditor::EditPictureMacroFile();
  EXPECT_EQ(test_support::ReadBytes(linked.filePath(QStringLiteral("a.txt"))),
            BuiltInHeaderBytes() + "A.JPG\r\n");
  EXPECT_FALSE(QFileInfo::exists(InPictures(QStringLiteral("a.txt"))));
  CloseTextWindows();

  core::Paths().LinkedFilesInFolder = 0;
  WithRows({Picture(QStringLiteral("photo.jpeg"), 2)});
  listeditor::EditPictureMacroFile();
  EXPECT_TRUE(QFileInfo::exists(InPictures(QStringLiteral("photo..txt"))));
}

TEST_F(PictureMacroTest, AFolderThatTakesNoFileGivesTheMessageAndNoWindow) {
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = pictures_.filePath(QStringLiteral("gone"));
  listeditor::Form3& w = WithRows({Picture(QStringLiteral("a.png"), 1)});
  listeditor::EditPictureMacroFile();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("テキストファイル作成不可"));
  EXPECT_EQ(Calls()[0].text,
            QStringLiteral("テキストファイルが作成できません。\r\n"
                           "画像の保存先フォルダを変更してください。\r\n"
                           "または、メニューの設定で画像連動フォルダ指定を行ってください。"));
  EXPECT_EQ(Calls()[0].icon, platform::vbExclamation);
  EXPECT_TRUE(TextWindows().empty());
  EXPECT_FALSE(w.Command17.Enabled());
  EXPECT_EQ(core::Paths().NotepadTextPath,
            core::Paths().LinkedFilesFolder + QStringLiteral("/a.txt"));
}

TEST_F(PictureMacroTest, DeletingAsksAndAGoneFileSaysSo) {
  const QString macro = InPictures(QStringLiteral("a.txt"));
  test_support::WriteBytes(macro, "x\r\n");
  listeditor::Form3& w = WithRows({Picture(QStringLiteral("a.png"), 1)});
  w.Command17.SetEnabled(true);
  Answer(platform::vbNo);
  listeditor::DeletePictureMacroFile();
  EXPECT_TRUE(QFileInfo::exists(macro));
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].title, QStringLiteral("テキスト削除"));
  EXPECT_EQ(Calls()[0].text, macro + QStringLiteral("\r\nのテキストファイルを削除しますか ?"));
  EXPECT_EQ(Calls()[0].icon, platform::vbQuestion);
  EXPECT_TRUE(w.Command17.Enabled());

  Answer(platform::vbYes);
  listeditor::DeletePictureMacroFile();
  EXPECT_FALSE(QFileInfo::exists(macro));
  EXPECT_FALSE(w.Command17.Enabled());

  dialogs_->ClearCalls();
  w.Command17.SetEnabled(true);
  Answer(platform::vbYes);
  listeditor::DeletePictureMacroFile();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[1].text, QStringLiteral("テキストファイルが削除できません。"));
  EXPECT_EQ(Calls()[1].title, QStringLiteral("テキストファイル削除エラー"));
  EXPECT_TRUE(w.Command17.Enabled());
}

}  // namespace
}  // namespace form3_test
