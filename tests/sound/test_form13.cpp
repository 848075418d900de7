// The linked-sound dialog: a dropped WAV or MP3 copied to the selected slide's linked name
// (existing targets, refusals and failures), the test play with its stop and close, the
// deletion of the linked files, and the dialog's state after each.
#include <QFile>
#include <QImage>
#include <QPointer>
#include <QTimer>

#include "core/services.h"
#include "listeditor/form3.h"
#include "listeditor/sound_services.h"
#include "sound/form13.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::Player1;
using soundtest::SoundTest;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Form13Test : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    listeditor::RegisterSoundServices();
    core::TheServices().RefreshLinkedSoundDelete = [this] { ++refreshes_; };
    picture_ = File(QStringLiteral("pic.jpg"));
    // A real picture: the slide list window previews the chosen row.
    QImage(8, 8, QImage::Format_RGB32).save(picture_, "JPEG");
    listeditor::Form3& list = listeditor::form3();
    list.List1.Clear();
    list.List1.AddItem(picture_);
    list.List1.SetListIndex(0);
    core::Settings().SoundMode = 7;
    w_ = &sound::form13();
    w_->Show();
    soundtest::WaitFor([this] { return w_->Caption().endsWith(picture_); }, 2000);
    dialogs_.ClearCalls();
  }
  void TearDown() override {
    if (sound::Form13* w = sound::Form13IfLoaded()) w->Unload();
    if (listeditor::Form3* list = listeditor::Form3IfLoaded()) list->Unload();
    platform::DestroyPendingNow();
    core::ResetServices();
    SoundTest::TearDown();
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  void Drop(const QString& path) { emit w_->Text1.OLEDragDrop({path}); }
  QString Linked(const char* ext) const { return File(QStringLiteral("pic") + QLatin1String(ext)); }

  sound::Form13* w_ = nullptr;
  QString picture_;
  int refreshes_ = 0;
};

TEST_F(Form13Test, ADroppedFileOfEitherTypeIsCopiedToTheSlidesLinkedName) {
  EXPECT_EQ(w_->Caption(), QStringLiteral("連動音設定-") + picture_);
  EXPECT_TRUE(w_->Text2(0).Text().isEmpty());
  EXPECT_FALSE(w_->Command3(0).Enabled());
  const QString mp3 = File(QStringLiteral("Source.Mp3"));
  Write(mp3, "mp3 bytes");
  Drop(mp3);
  EXPECT_EQ(w_->Text2(1).Text(), Linked(".mp3"));
  EXPECT_TRUE(w_->Command2(1).Enabled());
  EXPECT_FALSE(w_->Command2(0).Enabled());
  w_->Command2(1).DoClick();
  EXPECT_EQ(ReadAll(Linked(".mp3")), "mp3 bytes");
  EXPECT_EQ(refreshes_, 1);
  // The dialog shows the new file, ready to play and delete; the source box is empty.
  EXPECT_TRUE(w_->Text1.Text().isEmpty());
  EXPECT_EQ(w_->Text2(1).Text(), Linked(".mp3"));
  EXPECT_TRUE(w_->Command3(1).Enabled());
  EXPECT_TRUE(w_->Command4(1).Enabled());
  EXPECT_FALSE(w_->Command2(1).Enabled());
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Form13Test, AFileOfAnotherTypeIsNotTaken) {
  const QString wma = File(QStringLiteral("s.wma"));
  Write(wma, "x");
  Drop(File(QStringLiteral("s.wav")));
  EXPECT_TRUE(w_->Command2(0).Enabled());
  Drop(wma);
  EXPECT_TRUE(w_->Text1.Text().isEmpty());
  EXPECT_FALSE(w_->Command2(0).Enabled());
  EXPECT_FALSE(w_->Command2(1).Enabled());
}

struct CopyCase {
  const char* name;
  bool targetExists;
  int answer;              // to the overwrite question (0: none asked)
  bool badFolder;          // the linked-files folder does not exist
  QStringList titles;      // messages shown
  QByteArray targetAfter;  // "" = no target file
};

class CopyTable : public Form13Test, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(CopyTable, CopiesAsksOrSaysWhyNot) {
  const CopyCase& c = GetParam();
  if (c.badFolder) {
    core::Paths().LinkedFilesInFolder = 1;
    core::Paths().LinkedFilesFolder = File(QStringLiteral("missing"));
  }
  const QString target = c.badFolder ? File(QStringLiteral("missing/pic.wav")) : Linked(".wav");
  if (c.targetExists) Write(target, "old");
  const QString source = File(QStringLiteral("new.WAV"));
  Write(source, "new");
  Drop(source);
  EXPECT_EQ(w_->Text2(0).Text(), target);
  if (c.answer != 0) dialogs_.Answer(c.answer);
  w_->Command2(0).DoClick();
  EXPECT_EQ(Titles(), c.titles);
  EXPECT_EQ(ReadAll(target), c.targetAfter);
  EXPECT_EQ(ReadAll(source), "new");
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
  if (!c.titles.isEmpty() && c.titles.front() == QStringLiteral("コピー")) {
    EXPECT_EQ(dialogs_.Calls()[0].text,
              target + QStringLiteral("\r\nこのファイルはすでに存在します。"
                                      "\r\n\r\n上書きしますか ?"));
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbQuestion);
  }
  if (c.titles.contains(QStringLiteral("コピーエラー"))) {
    EXPECT_EQ(dialogs_.Calls().back().text,
              QStringLiteral("コピーできません。\r\n画像の保存先フォルダを変更してください。\r\n"
                             "または、メニューの設定で画像連動フォルダ指定を行ってください。"));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Copies, CopyTable,
    ::testing::Values(CopyCase{"NewTarget", false, 0, false, {}, "new"},
                      CopyCase{"ExistingYes", true, platform::vbYes, false, {"コピー"}, "new"},
                      CopyCase{"ExistingNo", true, platform::vbNo, false, {"コピー"}, "old"},
                      CopyCase{"FolderMissing", false, 0, true, {"コピーエラー"}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Form13Test, CopyRefusalsNameTheirReason) {
  // The source gone after the drop: the copy fails and the old target stays.
  Write(Linked(".wav"), "old");
  Drop(File(QStringLiteral("gone.wav")));
  dialogs_.Answer(platform::vbYes);
  w_->Command2(0).DoClick();
  EXPECT_EQ(ReadAll(Linked(".wav")), "old");
  // A typed source of another type; an empty target.
  w_->Text1.SetText(File(QStringLiteral("x.ogg")));
  w_->Command2(0).DoClick();
  EXPECT_TRUE(w_->Text1.Text().isEmpty());
  w_->Text1.SetText(File(QStringLiteral("x.wav")));
  w_->Text2(1).SetText(QString());
  w_->Command2(1).DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 4u);
  EXPECT_EQ(dialogs_.Calls()[2].text, QStringLiteral("コピーできません。WAVまたはMP3音声ファイルを"
                                                     "コピー元にドラック＆ドロップしてください。"));
  EXPECT_EQ(
      dialogs_.Calls()[3].text,
      QStringLiteral("コピーできません。音声ファイルをコピー元にドラック＆ドロップしてください。"));
  for (const auto& call : dialogs_.Calls())
    if (call.title == QStringLiteral("コピーエラー")) EXPECT_EQ(call.icon, platform::vbExclamation);
}

TEST_F(Form13Test, CopyingTheLinkedFileOntoItselfWarnsAndHidesTheDialog) {
  Write(Linked(".wav"), "same");
  Drop(Linked(".wav"));
  w_->Command2(0).DoClick();
  EXPECT_EQ(Titles(), QStringList({"コピーエラー"}));
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("同一フォルダへはコピーできません。"));
  EXPECT_FALSE(w_->Visible());
  EXPECT_EQ(ReadAll(Linked(".wav")), "same");
}

TEST_F(Form13Test, DeleteAsksAndRemovesTheLinkedFile) {
  Write(Linked(".wav"), "wav");
  Write(Linked(".mp3"), "mp3");
  w_->RefreshLinkedSoundDialog();
  ASSERT_TRUE(w_->Command3(1).Enabled());
  dialogs_.Answer(platform::vbNo);
  w_->Command3(1).DoClick();
  EXPECT_TRUE(QFile::exists(Linked(".mp3")));
  dialogs_.Answer(platform::vbYes);
  w_->Command3(1).DoClick();
  EXPECT_FALSE(QFile::exists(Linked(".mp3")));
  EXPECT_TRUE(QFile::exists(Linked(".wav")));
  EXPECT_FALSE(w_->Command3(1).Enabled());
  EXPECT_TRUE(w_->Text2(1).Text().isEmpty());
  ASSERT_EQ(dialogs_.Calls().size(), 2u);
  EXPECT_EQ(dialogs_.Calls()[1].title, QStringLiteral("連動音声削除(MP3)"));
  EXPECT_EQ(dialogs_.Calls()[1].text,
            Linked(".mp3") + QStringLiteral("\r\nの画像連動音声ファイル(MP3)を削除しますか ?"));
  // The file gone meanwhile: the deletion says it could not.
  QFile::remove(Linked(".wav"));
  w_->Command3(0).DoClick();
  EXPECT_EQ(dialogs_.Calls().back().text, QStringLiteral("ＷＡＶファイルが削除できません。"));
  EXPECT_EQ(dialogs_.Calls().back().title, QStringLiteral("音声ファイル削除エラー"));
}

TEST_F(Form13Test, TestPlayLocksTheDialogUntilStopped) {
  soundtest::WriteToneWav(Linked(".wav"), 5000);
  w_->RefreshLinkedSoundDialog();
  bool locked = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (Player1().PlayState() != platform::kPlayStatePlaying) return;
    poll.stop();
    locked = !w_->Text1.isEnabled() && !w_->Option1.isEnabled() && !w_->Command4(0).Enabled() &&
             !w_->Command3(1).Enabled() && !w_->Command6.Enabled() && w_->Command5(0).Enabled() &&
             !w_->HScroll1.isEnabled() && w_->Command1.Enabled();
    w_->Command5(0).DoClick();
  });
  poll.start(10);
  w_->Command4(0).DoClick();
  EXPECT_TRUE(locked);
  EXPECT_EQ(Player1().URL(), QString());  // stopped and closed
  EXPECT_EQ(Player1().Volume(), 100);
  EXPECT_TRUE(w_->Command4(0).Enabled());
  EXPECT_FALSE(w_->Command5(0).Enabled());
  EXPECT_TRUE(w_->HScroll1.isEnabled());
  EXPECT_EQ(core::Sound().PlaybackStopRequested, 0);
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Form13Test, TestPlayWithoutALinkedFileWarnsAndClosingDuringPlayEndsIt) {
  w_->Command4(1).SetEnabled(true);
  w_->Command4(1).DoClick();
  EXPECT_EQ(Titles(), QStringList({"再生エラー"}));

  soundtest::WriteToneWav(Linked(".wav"), 5000);
  w_->RefreshLinkedSoundDialog();
  QPointer<sound::Form13> window = w_;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (Player1().PlayState() != platform::kPlayStatePlaying) return;
    poll.stop();
    window->Command1.DoClick();  // "閉じる": no dropped file, so no question
  });
  poll.start(10);
  w_->Command4(0).DoClick();
  EXPECT_FALSE(window.isNull());
  EXPECT_TRUE(window->IsClosed());
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(Player1().URL(), QString());
  EXPECT_EQ(Titles(), QStringList({"再生エラー"}));
  w_ = nullptr;
}

TEST_F(Form13Test, ClosingWithAnUncopiedDropAsks) {
  Drop(File(QStringLiteral("s.wav")));
  dialogs_.Answer(platform::vbNo);
  w_->Command1.DoClick();
  EXPECT_FALSE(w_->IsClosed());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("連動音声コピーキャンセル"));
  dialogs_.Answer(platform::vbYes);
  w_->Command1.DoClick();
  EXPECT_TRUE(w_->IsClosed());
  EXPECT_EQ(core::Sound().PlaybackStopRequested, 1);
  w_ = nullptr;
}

TEST(LinkedSoundName, FollowsThePictureLinkedFileRule) {
  core::ResetAllState();
  EXPECT_EQ(sound::LinkedSoundName(QStringLiteral("/p/a.jpg"), QStringLiteral(".wav")),
            QStringLiteral("/p/a.wav"));
  EXPECT_EQ(sound::LinkedSoundName(QStringLiteral("/p/a.jpeg"), QStringLiteral(".mp3")),
            QStringLiteral("/p/a..mp3"));
  EXPECT_EQ(sound::LinkedSoundName(QString(), QStringLiteral(".wav")), QString());
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = QStringLiteral("/linked");
  EXPECT_EQ(sound::LinkedSoundName(QStringLiteral("/other/b.png"), QStringLiteral(".wav")),
            QStringLiteral("/linked/b.wav"));
  core::ResetAllState();
}

}  // namespace
