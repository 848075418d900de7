// The sound-list file "wavlist.dat": written and read back, bare names in AppFolder, files
// that are not ours or end early.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/form1.h"
#include "core/soundlist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "platform/appfolder.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "sound/form10.h"
#include "tests/support/list_files.h"
#include "tests/support/program_files.h"

namespace {

using core::Lists;
using core::Paths;
using test_support::ReadBytes;
using test_support::WriteLines;

class SoundListFileTest : public test_support::ProgramFilesTest {
 protected:
  static QStringList Entries() {
    QStringList l;
    for (int i = 1; i <= Lists().SoundListCount; ++i) l << Lists().SoundListEntries[i];
    return l;
  }
};

TEST_F(SoundListFileTest, SoundListSurvivesASaveAndALoad) {
  const QStringList sounds = {"/音楽/一曲目.mp3", "/音楽/効果音.wav", "/音楽/古い.mid"};
  for (int i = 0; i < sounds.size(); ++i) Lists().SoundListEntries[i + 1] = sounds[i];
  Lists().SoundListCount = 3;
  core::SaveSoundListFile();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_TRUE(core::SoundListFilePath().endsWith("/wavlist.dat"));
  EXPECT_EQ(ReadBytes(core::SoundListFilePath()),
            platform::ToCp932("WAV3.4\r\n 3 \r\n" + sounds.join("\r\n") + "\r\n"));

  core::ResetAllState();
  Paths().AppFolder = app_.path() + '/';
  Lists().SoundListLoading = 1;  // as start-up reads it
  core::LoadSoundListFile();
  Lists().SoundListLoading = 0;
  EXPECT_EQ(Lists().SoundListCount, 3);
  EXPECT_EQ(Entries(), sounds);
  EXPECT_EQ(sound::form10().List1.Items(), sounds);
}

// A path holding bytes that are not code page 932 (written by another program) is saved
// back as it was read, and later saves keep working.
TEST_F(SoundListFileTest, BytesThatDoNotDecodeSurviveALoadAndASave) {
  const QByteArray bytes(
      "WAV3.4\r\n 2 \r\n/\x89\xB9\x81\x20"
      "a.wav\r\n/b\xFF.mp3\r\n");
  test_support::WriteBytes(core::SoundListFilePath(), bytes);
  Lists().SoundListLoading = 1;
  core::LoadSoundListFile();
  Lists().SoundListLoading = 0;
  ASSERT_EQ(Lists().SoundListCount, 2);
  core::SaveSoundListFile();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(ReadBytes(core::SoundListFilePath()), bytes);
}

TEST_F(SoundListFileTest, EmptyListIsTwoLines) {
  core::SaveSoundListFile();
  EXPECT_EQ(ReadBytes(core::SoundListFilePath()), QByteArray("WAV3.4\r\n 0 \r\n"));
  Lists().SoundListCount = 1;
  Lists().SoundListEntries[1] = "/x.wav";
  core::LoadSoundListFile();
  EXPECT_EQ(Lists().SoundListCount, 0);
  EXPECT_EQ(Lists().SoundListEntries[1], "");
  EXPECT_EQ(sound::form10().List1.ListCount(), 0);
}

TEST_F(SoundListFileTest, FilesAsStoredAreReadAsFarAsTheyGo) {
  const QString app = app_.path() + '/';
  const struct {
    const char* name;
    QStringList lines;
    QStringList expected;
  } cases[] = {
      {"bare names", {"WAV3.4", " 2 ", "鐘.wav", "/絶対/鈴.mp3"}, {app + "鐘.wav", "/絶対/鈴.mp3"}},
      {"longer tag", {"WAV3.4b", " 1 ", "/a.wav"}, {"/a.wav"}},
      // The count is what was read, not what the file promised.
      {"ends early", {"WAV3.4", " 3 ", "/a.wav", "/b.wav"}, {"/a.wav", "/b.wav"}},
      {"negative count", {"WAV3.4", "-2 ", "/a.wav"}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteLines(core::SoundListFilePath(), c.lines);
    core::LoadSoundListFile();
    EXPECT_EQ(Lists().SoundListCount, c.expected.size());
    EXPECT_EQ(Entries(), c.expected);
    EXPECT_EQ(sound::form10().List1.Items(), c.expected);
  }
}

TEST_F(SoundListFileTest, FileThatIsNotOursChangesNothing) {
  const test_support::FileCase cases[] = {
      {"missing", {}, false},
      {"other tag", {"WAV3.3", " 1 ", "/a.wav"}},
      {"link settings", {"KVZV3", " 1 ", "/a.wav"}},
      {"no count", {"WAV3.4"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Lists().SoundListEntries[1] = "/元.wav";
    Lists().SoundListCount = 1;
    sound::form10().List1.SetItems({"/元.wav"});
    c.WriteTo(core::SoundListFilePath());
    core::LoadSoundListFile();
    EXPECT_EQ(Lists().SoundListCount, 1);
    EXPECT_EQ(Entries(), QStringList({"/元.wav"}));
    EXPECT_EQ(sound::form10().List1.Items(), QStringList({"/元.wav"}));
    EXPECT_TRUE(dialogs_.Calls().empty());
  }
}

TEST_F(SoundListFileTest, FailedSaveKeepsTheOldFileAndSaysSo) {
  Lists().SoundListEntries[1] = "/音/一.wav";
  Lists().SoundListCount = 1;
  core::SaveSoundListFile();
  const QByteArray old = ReadBytes(core::SoundListFilePath());
  Lists().SoundListEntries[2] = QString::fromUtf8("/音/\xF0\x9F\x8E\xB5.wav");
  Lists().SoundListCount = 2;
  core::SaveSoundListFile();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルの保存");
  EXPECT_EQ(dialogs_.Calls()[0].text,
            core::SoundListFilePath() + "\r\nこのファイル名は適合しません。");
  EXPECT_EQ(ReadBytes(core::SoundListFilePath()), old);
}

}  // namespace
