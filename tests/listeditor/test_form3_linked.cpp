// The slide list window's linked-file buttons: the recorder on a new linked WAV (the empty
// template, never over a file), the linked-sound deletion, the macro text buttons and the
// buttons' enabling after a row click.
#include "linked_fixture.h"

namespace form3_test {
namespace {

const QByteArray kTemplate(
    "RIFF\x24\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x22\x56\x00\x00\x44\xAC\x00\x00"
    "\x02\x00\x10\x00"
    "data\x00\x00\x00\x00",
    44);

TEST_F(LinkedTest, TheRecorderGetsTheTemplateOnlyWhereNoFileIs) {
  EXPECT_EQ(platform::NarrationWavTemplate(), kTemplate);
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString wav = InPictures(QStringLiteral("a.wav"));
  struct Case {
    const char* name;
    bool present;
    QByteArray before;
  };
  const Case cases[] = {
      {"none", false, {}},
      {"empty file", true, QByteArray()},
      {"a recording", true, kTemplate + QByteArray(400, '\x10')},
      {"not a WAV", true, QByteArray("text that is no sound")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(wav);
    if (c.present) test_support::WriteBytes(wav, c.before);
    WithRows({picture});
    dialogs_->ClearCalls();
    CloseRecorderWhenShown();
    listeditor::StartSoundRecorder();
    EXPECT_TRUE(recorderShown_);
    EXPECT_EQ(test_support::ReadBytes(wav), c.present ? c.before : kTemplate);
    EXPECT_EQ(core::Sound().RecordFromDblClickWindow, 0);
    EXPECT_TRUE(Calls().empty());
    platform::DestroyPendingNow();
  }
}

TEST_F(LinkedTest, ATemplateThatCannotBeWrittenSaysSoAndNoRecorderStarts) {
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = pictures_.filePath(QStringLiteral("gone"));
  WithRows({Picture(QStringLiteral("a.png"), 1)});
  CloseRecorderWhenShown();
  listeditor::StartSoundRecorder();
  EXPECT_FALSE(recorderShown_);
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].text, QStringLiteral("ＷＡＶファイルが作成できんません。"));
  EXPECT_EQ(Calls()[0].title, QStringLiteral("効果音ファイル作成エラー"));
  EXPECT_EQ(core::Paths().RecordingWavPath,
            core::Paths().LinkedFilesFolder + QStringLiteral("/a.wav"));
}

TEST_F(LinkedTest, LinkedSoundDeleteAsksForEachFileWavFirst) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString wav = InPictures(QStringLiteral("a.wav"));
  const QString mp3 = InPictures(QStringLiteral("a.mp3"));
  listeditor::Form3& w = WithRows({picture});

  test_support::WriteBytes(mp3, "ID3");
  w.koukaari();
  EXPECT_FALSE(w.Command19.Enabled());  // koukaari looks at the WAV only
  Answer(platform::vbNo);
  w.Command19_Click();
  ASSERT_EQ(Titles(), QStringList{QStringLiteral("連動音声削除(MP3)")});
  EXPECT_TRUE(QFileInfo::exists(mp3));

  test_support::WriteBytes(wav, kTemplate);
  w.koukaari();
  EXPECT_TRUE(w.Command19.Enabled());
  dialogs_->ClearCalls();
  Answer(platform::vbYes);
  Answer(platform::vbYes);
  w.Command19_Click();
  EXPECT_EQ(Titles(), (QStringList{QStringLiteral("連動音声削除(WAV)"),
                                   QStringLiteral("連動音声削除(MP3)")}));
  EXPECT_EQ(Calls()[0].text, wav + QStringLiteral("\r\nの画像連動効果音(WAV)を削除しますか ?"));
  EXPECT_FALSE(QFileInfo::exists(wav));
  EXPECT_FALSE(QFileInfo::exists(mp3));
}

TEST_F(LinkedTest, RowClickEnablesTheButtonsByRowKindCountAndFiles) {
  const QString picture = Picture(QStringLiteral("a.png"), 1);
  const QString movie = Touch(QStringLiteral("m.MP4"));
  const QString other = Picture(QStringLiteral("b.png"), 2);
  struct Case {
    const char* name;
    QString row;
    bool twoRows;
    const char* linked;  // linked files present beside the row: "txt", "wav", "mp3"
    bool text, textDelete, sound, soundDelete;
  };
  const Case cases[] = {
      {"picture, nothing linked", picture, false, "", true, false, true, false},
      {"picture with text and mp3", picture, false, "txt mp3", true, true, true, true},
      {"picture with wav", picture, false, "wav", true, false, true, true},
      {"movie with text and wav", movie, false, "txt wav", false, false, true, true},
      {"two rows", picture, true, "txt wav", false, false, false, false},
  };
  listeditor::Form3& w = Editor();
  w.Check1.SetValue(1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* ext : {"txt", "wav", "mp3"}) {
      const QString f = c.row.left(c.row.size() - 4) + QLatin1Char('.') + QLatin1String(ext);
      QFile::remove(f);
      if (QString::fromLatin1(c.linked).contains(QLatin1String(ext)))
        test_support::WriteBytes(f, "x");
    }
    WithRows({c.row, other});
    if (c.twoRows) w.List1.SetSelected(1, true);
    w.List1_Click();
    EXPECT_EQ(w.Command16.Enabled(), c.text);
    EXPECT_EQ(w.Command25.Enabled(), c.text);
    EXPECT_EQ(w.Command17.Enabled(), c.textDelete);
    EXPECT_EQ(w.Command18.Enabled(), c.sound);
    EXPECT_EQ(w.Command20.Enabled(), c.sound);
    EXPECT_EQ(w.Command19.Enabled(), c.soundDelete);
  }
  // Without "画像表示" a click leaves the buttons as they are.
  w.Check1.SetValue(0);
  WithRows({movie});
  w.Command16.SetEnabled(true);
  w.List1_Click();
  EXPECT_TRUE(w.Command16.Enabled());
}

TEST_F(LinkedTest, TextEditAsksBeforeMakingAFileAndWantsOneRow) {
  const QString a = Picture(QStringLiteral("a.png"), 1);
  const QString macro = InPictures(QStringLiteral("a.txt"));
  listeditor::Form3& w = WithRows({a, Picture(QStringLiteral("b.png"), 2)});
  w.List1.SetSelected(1, true);
  w.Command16_Click();
  w.Command17_Click();
  ASSERT_EQ(Calls().size(), 2u);
  for (int i = 0; i < 2; ++i)
    EXPECT_EQ(Calls()[i].text, QStringLiteral("リストから１項目だけ選んで行ってください。"));
  EXPECT_EQ(Titles(),
            (QStringList{QStringLiteral("テキスト編集"), QStringLiteral("テキスト削除")}));

  WithRows({a});
  dialogs_->ClearCalls();
  Answer(platform::vbNo);
  w.Command16_Click();
  EXPECT_EQ(Titles(), QStringList{QStringLiteral("テキスト作成")});
  EXPECT_EQ(Calls()[0].text, macro + QStringLiteral("\r\nのテキストファイルを作成しますか ?"));
  EXPECT_FALSE(QFileInfo::exists(macro));

  Answer(platform::vbYes);
  w.Command16_Click();
  EXPECT_TRUE(QFileInfo::exists(macro));
  EXPECT_EQ(TextWindows().size(), 1u);
  // A file present opens without a question.
  CloseTextWindows();
  dialogs_->ClearCalls();
  w.Command16_Click();
  EXPECT_TRUE(Calls().empty());
  EXPECT_EQ(TextWindows().size(), 1u);

  // During a search the buttons only end it.
  w.SearchRunning = true;
  w.Command17_Click();
  EXPECT_FALSE(w.SearchRunning);
  EXPECT_TRUE(QFileInfo::exists(macro));
  EXPECT_TRUE(Calls().empty());
}

TEST_F(LinkedTest, ResizingLeavesTheMacroTextOpen) {
  listeditor::Form3& w = OpenEditor();
  WithRows({Picture(QStringLiteral("a.png"), 1)});
  Answer(platform::vbYes);
  w.Command16_Click();
  ASSERT_EQ(TextWindows().size(), 1u);
  w.resize(w.width() + 40, w.height() + 40);
  w.Form_Resize();
  EXPECT_EQ(TextWindows().size(), 1u);
  EXPECT_FALSE(core::Paths().NotepadTextPath.isEmpty());
}

TEST_F(LinkedTest, RecordButtonOpensTheRecorderForTheSlideListWindow) {
  listeditor::Form3& w = WithRows({Picture(QStringLiteral("a.png"), 1)});
  core::Sound().RecordFromDblClickWindow = 1;
  core::Paths().RecordingWavPath = QStringLiteral("/somewhere/old.wav");
  CloseRecorderWhenShown();
  w.Command18_Click();
  EXPECT_TRUE(recorderShown_);
  EXPECT_EQ(core::Sound().RecordFromDblClickWindow, 0);
  EXPECT_FALSE(w.Command19.Enabled());
}

}  // namespace
}  // namespace form3_test
