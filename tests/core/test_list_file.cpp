// Where the program's own files go before start-up has set AppFolder.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "core/link_settings_file.h"
#include "core/settings_file.h"
#include "core/soundlist_file.h"
#include "core/state.h"
#include "platform/appfolder.h"
#include "tests/support/program_files.h"

namespace {

using core::Lists;
using core::Paths;

using ListFileTest = test_support::ProgramFilesTest;

// A test that never ran start-up leaves AppFolder empty: the settings files must still go to
// the data folder, not into the current folder (which is the source tree for a test run).
TEST_F(ListFileTest, WithoutAppFolderTheFilesGoToTheDataFolder) {
  Paths().AppFolder.clear();

  QTemporaryDir current;
  const QString oldCurrent = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(current.path()));
  const QString data = platform::AppFolderPath();
  const struct {
    const char* name;
    std::function<void()> save;
    std::function<QString()> path;
  } cases[] = {
      {core::kSettingsFileName, core::SaveSettingsFile, core::SettingsFilePath},
      {core::kLinkSettingsFileName, core::SaveLinkSettingsFile, core::LinkSettingsFilePath},
      {core::kSoundListFileName, core::SaveSoundListFile, core::SoundListFilePath},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString expected = data + QString::fromLatin1(c.name);
    QFile::remove(expected);
    c.save();
    EXPECT_EQ(c.path(), expected);
    EXPECT_TRUE(QFile::exists(expected));
  }
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(QDir(current.path()).entryList(QDir::Files | QDir::Hidden), QStringList());

  // A bare name in the sound-list file is a name in that same folder.
  Lists().SoundListEntries[1] = "一.wav";
  Lists().SoundListCount = 1;
  core::SaveSoundListFile();
  Lists().SoundListEntries.Erase();
  Lists().SoundListCount = 0;
  core::LoadSoundListFile();
  EXPECT_EQ(Lists().SoundListCount, 1);
  EXPECT_EQ(Lists().SoundListEntries[1], data + "一.wav");

  for (const auto& c : cases) QFile::remove(data + QString::fromLatin1(c.name));
  QDir::setCurrent(oldCurrent);
}

}  // namespace
