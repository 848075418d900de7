// The linked WAV recorder with a stand-in input that records a known tone: its states, the
// overwrite question, files that are never recorded over, the write test, failures that are
// said, the playback with its stop and close, and where the window sits.
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTimer>
#include <QtEndian>
#include <cmath>

#include "core/services.h"
#include "sound/form20.h"
#include "tests/sound/sound_test_support.h"

namespace {

using soundtest::SoundTest;

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Form20Test : public SoundTest {
 protected:
  void SetUp() override {
    SoundTest::SetUp();
    platform::SetWaveInputForTests([] { return std::make_unique<platform::ToneWaveInput>(); });
    picture_ = File(QStringLiteral("pic.jpg"));
    Write(picture_, "JPEG picture");
    core::TheServices().SelectedSlidePath = [this] { return picture_; };
    core::TheServices().EnableLinkedSoundDelete = [this](bool on) { deleteButton_ = on ? 1 : 0; };
  }
  void TearDown() override {
    if (sound::Form20* w = sound::Form20IfLoaded()) w->Unload();
    platform::DestroyPendingNow();
    platform::SetWaveInputForTests(nullptr);
    core::ResetServices();
    SoundTest::TearDown();
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  sound::Form20& Open() {
    sound::Form20& w = sound::form20();
    w.Show();
    return w;
  }
  QString Wav() const { return File(QStringLiteral("pic.wav")); }

  QString picture_;
  int deleteButton_ = -1;
};

struct Buttons {
  bool record, stop, play;
};

void ExpectButtons(sound::Form20& w, Buttons b, const char* when) {
  EXPECT_EQ(w.Command1.Enabled(), b.record) << when;
  EXPECT_EQ(w.Command5.Enabled(), b.stop) << when;
  EXPECT_EQ(w.Command4.Enabled(), b.play) << when;
}

TEST_F(Form20Test, RecordsTheToneInMonoAndSavesItUnderTheLinkedName) {
  sound::Form20& w = Open();
  EXPECT_EQ(w.Text1.Text(), Wav());
  EXPECT_EQ(core::Paths().RecordingWavPath, Wav());
  EXPECT_EQ(w.Label1.Caption(), QStringLiteral("録音可能です。"));
  EXPECT_TRUE(w.Option1(1).Value());
  ExpectButtons(w, {true, false, false}, "ready");

  w.Command1.DoClick();
  EXPECT_TRUE(w.Label2.Visible());
  ExpectButtons(w, {false, true, false}, "recording");
  EXPECT_FALSE(QFile::exists(Wav()));

  w.Command5.DoClick();
  EXPECT_FALSE(w.Label2.Visible());
  ExpectButtons(w, {true, false, true}, "saved");
  const QByteArray bytes = ReadAll(Wav());
  ASSERT_GT(bytes.size(), 44);
  EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 22), 1);
  EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 24), 44100u);
  EXPECT_EQ(qFromLittleEndian<qint16>(bytes.constData() + 44 + 2 * 10),
            platform::ToneWaveInput::SampleAt(440, 44100, 10));
  EXPECT_EQ(core::Sound().PlaybackStopRequested, 1);
  EXPECT_TRUE(dialogs_.Calls().empty());

  w.Command3.DoClick();
  EXPECT_EQ(deleteButton_, 1);
}

TEST_F(Form20Test, StereoWhenChosenBeforeRecording) {
  sound::Form20& w = Open();
  w.Option1(0).SetValue(true);
  w.Command1.DoClick();
  w.Command5.DoClick();
  EXPECT_EQ(qFromLittleEndian<quint16>(ReadAll(Wav()).constData() + 22), 2);
}

TEST_F(Form20Test, AnExistingRecordingIsReplacedOnlyAfterYes) {
  Write(Wav(), QByteArray(44, 'R'));  // the empty WAV of the recorder start: not a RIFF here
  Write(Wav(), ReadAll(Wav()).replace(0, 4, "RIFF").replace(8, 4, "WAVE"));
  sound::Form20& w = Open();
  ExpectButtons(w, {true, false, true}, "a recording exists");
  dialogs_.Answer(platform::vbNo);
  w.Command1.DoClick();
  EXPECT_FALSE(w.Label2.Visible());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("画像連動効果音(WAV)を上書き録音しますか ?"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("画像連動効果音録音"));
  EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbQuestion);
  EXPECT_EQ(ReadAll(Wav()).size(), 44);

  dialogs_.Answer(platform::vbYes);
  w.Command1.DoClick();
  w.Command5.DoClick();
  EXPECT_GT(ReadAll(Wav()).size(), 44);
  EXPECT_EQ(dialogs_.Calls().size(), 2u);  // the save asks nothing more
}

TEST_F(Form20Test, TheBoxNamingThePictureIsNeverRecordedOver) {
  sound::Form20& w = Open();
  w.Text1.SetText(picture_);
  w.Command1.DoClick();
  EXPECT_FALSE(w.Label2.Visible());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(
      dialogs_.Calls()[0].text,
      picture_ + QStringLiteral("\r\nこのファイルはWAVファイルではないため、上書きできません。"));
  EXPECT_EQ(ReadAll(picture_), "JPEG picture");

  // Renamed to the picture while recording: the save refuses too, and the window is ready.
  w.Text1.SetText(Wav());
  w.Command1.DoClick();
  w.Text1.SetText(QStringLiteral("  ") + picture_ + QStringLiteral(" "));
  w.Command5.DoClick();
  EXPECT_EQ(ReadAll(picture_), "JPEG picture");
  EXPECT_FALSE(QFile::exists(Wav()));
  EXPECT_EQ(dialogs_.Calls().size(), 2u);
  ExpectButtons(w, {true, false, false}, "after the refusal");
}

TEST_F(Form20Test, AnotherExistingWavNamedInTheBoxIsAskedAbout) {
  const QString other = File(QStringLiteral("other.wav"));
  soundtest::WriteToneWav(other, 100);
  const QByteArray before = ReadAll(other);
  sound::Form20& w = Open();
  w.Text1.SetText(other);
  dialogs_.Answer(platform::vbNo);
  w.Command1.DoClick();
  EXPECT_FALSE(w.Label2.Visible());
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, other + QStringLiteral("\r\nこのファイルはすでに存在します。"
                                                             "\r\n\r\n上書きしますか ?"));
  EXPECT_EQ(ReadAll(other), before);
  dialogs_.Answer(platform::vbYes);
  w.Command1.DoClick();
  w.Command5.DoClick();
  EXPECT_NE(ReadAll(other), before);
  EXPECT_FALSE(QFile::exists(Wav()));
}

TEST_F(Form20Test, NoInputDeviceSaysSoAndWritesNoFile) {
  platform::SetWaveInputForTests([] { return std::make_unique<platform::NoWaveInput>(); });
  sound::Form20& w = Open();
  w.Command1.DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("連動録音不可"));
  EXPECT_TRUE(dialogs_.Calls()[0].text.startsWith(QStringLiteral("録音できません。")));
  EXPECT_FALSE(w.Label2.Visible());
  EXPECT_TRUE(w.Label1.Caption().startsWith(QStringLiteral("録音できません。")));
  ExpectButtons(w, {true, false, false}, "no device");
  EXPECT_FALSE(QFile::exists(Wav()));
}

TEST_F(Form20Test, AFailedSaveIsSaidAndTheWindowIsReadyAgain) {
  sound::Form20& w = Open();
  w.Command1.DoClick();
  w.Text1.SetText(File(QStringLiteral("no/such/folder/pic.wav")));
  w.Command5.DoClick();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("効果音が保存できません。"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("効果音保存エラー"));
  ExpectButtons(w, {true, false, false}, "after the failed save");
  EXPECT_EQ(platform::ScreenMousePointer(), 0);
}

TEST_F(Form20Test, TheWriteTestLeavesAFileOfItsOldNameAlone) {
  Write(File(QStringLiteral("pic.dat")), "keep me");
  sound::Form20& w = Open();
  EXPECT_EQ(w.WriteTestFailed, 0);
  EXPECT_EQ(ReadAll(File(QStringLiteral("pic.dat"))), "keep me");
  // Nothing else is left behind in the folder.
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
            QStringList({"pic.dat", "pic.jpg"}));
}

TEST_F(Form20Test, AFolderThatTakesNoFileWarnsAndKeepsRecordingOff) {
  core::Paths().LinkedFilesInFolder = 1;
  core::Paths().LinkedFilesFolder = File(QStringLiteral("missing"));
  sound::Form20& w = Open();
  EXPECT_EQ(w.WriteTestFailed, 1);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("連動録音不可"));
  EXPECT_EQ(dialogs_.Calls()[0].text,
            QStringLiteral("録音できません。\r\n画像の保存先フォルダを変更してください。\r\n"
                           "または、メニューの設定で画像連動フォルダ指定を行ってください。"));
  EXPECT_EQ(w.Label1.Caption(),
            QStringLiteral("録音できません。（このフォルダへの書込み許可がありません。）"));
  EXPECT_EQ(w.Text1.Text(), File(QStringLiteral("missing/pic.wav")));
  ExpectButtons(w, {false, false, false}, "write test failed");
}

TEST_F(Form20Test, PlaybackPlaysTheRecordingUntilStopAndSkipsTheEmptyWav) {
  soundtest::WriteToneWav(Wav(), 5000);
  sound::Form20& w = Open();
  bool playing = false;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (w.Player().PlayState() != platform::kPlayStatePlaying) return;
    poll.stop();
    playing = w.Label3.Visible() && w.Command5.Enabled() && !w.Command1.Enabled() &&
              core::Sound().RecorderTestPlayActive == 1;
    w.Command5.DoClick();
  });
  poll.start(10);
  w.Command4.DoClick();
  EXPECT_TRUE(playing);
  EXPECT_FALSE(w.Label3.Visible());
  ExpectButtons(w, {true, false, true}, "after the playback");
  EXPECT_NE(w.Player().PlayState(), platform::kPlayStatePlaying);

  // The empty WAV of the recorder start is not played, and nothing is said.
  Write(Wav(), QByteArray(44, 'R'));
  w.Command4.DoClick();
  EXPECT_FALSE(w.Label3.Visible());
  EXPECT_TRUE(dialogs_.Calls().empty());
}

TEST_F(Form20Test, ClosingDuringPlaybackLeavesTheWindowClosed) {
  soundtest::WriteToneWav(Wav(), 5000);
  sound::Form20& w = Open();
  QPointer<sound::Form20> window = &w;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (window->Player().PlayState() != platform::kPlayStatePlaying) return;
    poll.stop();
    window->close();
  });
  poll.start(10);
  w.Command4.DoClick();
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->IsClosed());
  EXPECT_NE(window->Player().PlayState(), platform::kPlayStatePlaying);
  EXPECT_EQ(core::Sound().RecorderTestPlayActive, 0);
  EXPECT_EQ(deleteButton_, 1);
  EXPECT_EQ(sound::Form20IfLoaded(), nullptr);
}

TEST_F(Form20Test, ClosingDuringARecordingDiscardsIt) {
  sound::Form20& w = Open();
  w.Command1.DoClick();
  w.Command3.DoClick();
  EXPECT_FALSE(QFile::exists(Wav()));
  EXPECT_EQ(deleteButton_, 0);
}

TEST_F(Form20Test, SitsNearTheCornerWhenOpenedFromTheDoubleClickWindow) {
  for (short fromDblClick : {1, 0}) {
    core::Sound().RecordFromDblClickWindow = fromDblClick;
    sound::Form20& w = Open();
    const core::TwipsRect m = core::MonitorRectTwips(core::MainMonitorIndex());
    const int left = fromDblClick ? m.Left + 300 : m.Left + (m.Width - w.Width()) / 2;
    soundtest::WaitFor([&] { return std::abs(w.Left() - left) <= 15; }, 2000);
    EXPECT_NEAR(w.Left(), left, 15) << fromDblClick;
    w.Unload();
    platform::DestroyPendingNow();
  }
}

}  // namespace
