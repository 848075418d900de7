// The link-list file (".usl") and the link settings file "uautst.dat": the link list and
// the link-list editor's options survive, bare names resolve, bad files change nothing.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/form1.h"
#include "core/link_settings_file.h"
#include "core/linklist_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "platform/appfolder.h"
#include "platform/cp932.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "schedule/form9.h"
#include "tests/support/list_files.h"
#include "tests/support/program_files.h"

namespace {

using core::Lists;
using core::Paths;
using core::Settings;
using test_support::ReadBytes;
using test_support::ReadLines;
using test_support::WriteLines;

const QString kUnsuitable = QStringLiteral("このファイル名は適合しません。");

class LinkFilesTest : public test_support::ProgramFilesTest {
 protected:
  schedule::Form9& Editor() { return schedule::form9(); }
};

// ---- link-list files ----------------------------------------------------------------------------

TEST_F(LinkFilesTest, SavedLinkListOpensAgain) {
  const QStringList entries = {"/旅行/春.kvz", "/旅行/夏/海.kvz", "/作品/展示.kvz"};
  Editor().List1.SetItems(entries);
  QString path = Folder() + "連続";
  core::SaveLinkListFile(path);
  EXPECT_EQ(path, Folder() + "連続.usl");
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(ReadLines(path), QStringList({"1pic3167", path, " 3 "}) + entries);
  EXPECT_TRUE(ReadBytes(path).startsWith("1pic3167\r\n"));
  EXPECT_EQ(Paths().LinkListFilePath, path);
  EXPECT_EQ(Paths().LinkListFileName, "連続.usl");
  EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - " + path);

  Editor().List1.Clear();
  Paths().LinkListFilePath.clear();
  core::LoadLinkListFile(path);
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(Editor().List1.Items(), entries);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(Lists().LinkListEntries[i + 1], entries[i]);
  EXPECT_EQ(Paths().LinkListFilePath, path);
  EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - " + path);
}

TEST_F(LinkFilesTest, DistributionSaveStoresFileNamesThatOpenBesideTheList) {
  Editor().List1.SetItems({"/旅行/春.kvz", "/別の/夏.kvz", ""});
  Paths().DistributionSave = 1;
  QString path = Folder() + "配布.usl";
  core::SaveLinkListFile(path);
  EXPECT_EQ(ReadLines(path), QStringList({"1pic3167", "配布.usl", " 3 ", "春.kvz", "夏.kvz", ""}));

  QTemporaryDir other;
  const QString copy = other.path() + "/配布.usl";
  ASSERT_TRUE(QFile::copy(path, copy));
  Paths().OpenedFileFolder = other.path() + '/';
  core::LoadLinkListFile(copy);
  EXPECT_EQ(Editor().List1.Items(),
            QStringList({other.path() + "/春.kvz", other.path() + "/夏.kvz", other.path() + '/'}));
}

TEST_F(LinkFilesTest, EveryAcceptedFirstLineOpens) {
  const char* accepted[] = {"1pic3167", "pic2",   "pic3",      "pic3anything",
                            "Xpic2",    "Xpic31", " 1pic3167", "1pic3167,more"};
  for (const char* tag : accepted) {
    SCOPED_TRACE(tag);
    Editor().List1.Clear();
    const QString path = Folder() + "ok.usl";
    WriteLines(path, {QString::fromLatin1(tag), "/old/ok.usl", " 2 ", "一.kvz", "/絶対/二.kvz"});
    core::LoadLinkListFile(path);
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(Editor().List1.Items(), QStringList({Folder() + "一.kvz", "/絶対/二.kvz"}));
  }
}

TEST_F(LinkFilesTest, RefusedLinkListWarnsAndChangesNothing) {
  const test_support::FileCase cases[] = {
      {"missing", {}, false},
      {"pic", {"pic", "/x.usl", " 0 "}},
      {"pic2x", {"pic2x", "/x.usl", " 0 "}},
      {"slideshow tag", {"21pic3167893", "/x.usl", " 0 "}},
      {"ends before the count", {"1pic3167", "/x.usl"}},
      {"ends before the last entry", {"1pic3167", "/x.usl", " 3 ", "a.kvz", "b.kvz"}},
      {"more than 1010 entries", {"1pic3167", "/x.usl", " 1011 "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor().List1.SetItems({"/前/a.kvz"});
    Editor().SetCaption("ＫＶＺリンク - /前/list.usl");
    Paths().LinkListFilePath = "/前/list.usl";
    Lists().LinkListEntries[1] = "/前/a.kvz";
    dialogs_.ClearCalls();
    const QString path = Folder() + c.name + ".usl";
    c.WriteTo(path);
    core::LoadLinkListFile(path);
    ASSERT_EQ(dialogs_.Calls().size(), 1u);
    EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルを開く");
    EXPECT_EQ(dialogs_.Calls()[0].text, path + "\r\n" + kUnsuitable);
    EXPECT_EQ(dialogs_.Calls()[0].icon, platform::vbExclamation);
    EXPECT_EQ(Editor().List1.Items(), QStringList({"/前/a.kvz"}));
    EXPECT_EQ(Lists().LinkListEntries[1], "/前/a.kvz");
    EXPECT_EQ(Paths().LinkListFilePath, "/前/list.usl");
    EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - /前/list.usl");
    EXPECT_EQ(core::Flags().ShowEndRequested, 0);
    EXPECT_TRUE(ends_.empty());
  }

  // Named on the command line, a refused list ends the program after the warning.
  Paths().CmdLineFileOpening = 1;
  core::LoadLinkListFile(Folder() + "missing.usl");
  ASSERT_EQ(ends_.size(), 1u);
  EXPECT_EQ(ends_[0], core::ProgramEnd::kImmediate);
}

TEST_F(LinkFilesTest, FailedLinkListSaveKeepsTheOldFile) {
  Editor().List1.SetItems({"/旅行/春.kvz"});
  QString path = Folder() + "keep.usl";
  core::SaveLinkListFile(path);
  const QByteArray old = ReadBytes(path);
  Paths().LinkListFilePath = "/前/list.usl";
  Editor().List1.SetItems({QString::fromUtf8("/旅行/\xF0\x9F\x8C\xB8.kvz")});
  core::SaveLinkListFile(path);
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].title, "ファイルの保存");
  EXPECT_EQ(dialogs_.Calls()[0].text, path + "\r\n" + kUnsuitable);
  EXPECT_EQ(ReadBytes(path), old);
  EXPECT_EQ(Paths().LinkListFilePath, "/前/list.usl");
}

// ---- the link settings file ---------------------------------------------------------------------

TEST_F(LinkFilesTest, LinkOptionsAndListSurviveASaveAndALoad) {
  Settings().LinkAutoStart = 1;
  Settings().LinkRepeat = 0;
  Settings().LinkKeepAtEnd = 1;
  Paths().LinkListFilePath = "/リンク/いつもの.usl";
  Editor().List1.SetItems({"/旅行/春.kvz", "/旅行/夏.kvz"});
  core::SaveLinkSettingsFile();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(ReadLines(core::LinkSettingsFilePath()),
            QStringList({"KVZV3", " 1 ", " 0 ", " 1 ", "/リンク/いつもの.usl", " 2 ",
                         "/旅行/春.kvz", "/旅行/夏.kvz"}));
  EXPECT_TRUE(core::LinkSettingsFilePath().endsWith("/uautst.dat"));

  // Read at start-up into a fresh editor.
  Editor().Unload();
  platform::DestroyPendingNow();
  core::ResetAllState();
  Paths().AppFolder = app_.path() + '/';
  core::LoadLinkSettingsFile();
  EXPECT_EQ(Settings().LinkAutoStart, 1);
  EXPECT_EQ(Settings().LinkRepeat, 0);
  EXPECT_EQ(Settings().LinkKeepAtEnd, 1);
  EXPECT_EQ(Editor().Check1.Value(), 1);
  EXPECT_EQ(Editor().Check2.Value(), 0);
  EXPECT_EQ(Editor().Check3.Value(), 1);
  EXPECT_EQ(Paths().LinkListFilePath, "/リンク/いつもの.usl");
  EXPECT_EQ(Editor().Caption(), "ＫＶＺリンク - /リンク/いつもの.usl");
  EXPECT_EQ(Editor().List1.Items(), QStringList({"/旅行/春.kvz", "/旅行/夏.kvz"}));
  EXPECT_EQ(Lists().LinkListEntries[2], "/旅行/夏.kvz");
  EXPECT_TRUE(dialogs_.Calls().empty());  // no notice for the auto-start box at start-up
}

TEST_F(LinkFilesTest, EmptyLinkSettingsAndBareNames) {
  Editor().List1.Clear();
  core::SaveLinkSettingsFile();
  EXPECT_EQ(ReadLines(core::LinkSettingsFilePath()),
            QStringList({"KVZV3", " 0 ", " 0 ", " 0 ", "", " 0 "}));

  const QString captionBefore = Editor().Caption();
  WriteLines(core::LinkSettingsFilePath(),
             {"KVZV3", " 0 ", " 1 ", " 0 ", "", " 1 ", "名前だけ.kvz"});
  core::LoadLinkSettingsFile();
  EXPECT_EQ(Editor().List1.Items(), QStringList({Paths().AppFolder + "名前だけ.kvz"}));
  EXPECT_EQ(Lists().LinkListEntries[1], Paths().AppFolder + "名前だけ.kvz");
  EXPECT_EQ(Editor().Caption(), captionBefore);
  EXPECT_EQ(Settings().LinkRepeat, 1);
}

TEST_F(LinkFilesTest, LinkSettingsFileThatIsNotOursIsIgnored) {
  const struct {
    const char* name;
    QStringList lines;
  } cases[] = {
      {"tag with a blank", {"KVZV3 ", " 1 ", " 1 ", " 1 ", "/x.usl", " 1 ", "/a.kvz"}},
      {"other tag", {"WAV3.4", " 1 ", " 1 ", " 1 ", "/x.usl", " 1 ", "/a.kvz"}},
      {"ends early", {"KVZV3", " 1 ", " 1 ", " 1 ", "/x.usl", " 2 ", "/a.kvz"}},
      {"too many entries", {"KVZV3", " 1 ", " 1 ", " 1 ", "/x.usl", " 1011 "}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Editor().List1.Clear();
    WriteLines(core::LinkSettingsFilePath(), c.lines);
    core::LoadLinkSettingsFile();
    EXPECT_TRUE(dialogs_.Calls().empty());
    EXPECT_EQ(Settings().LinkAutoStart, 0);
    EXPECT_EQ(Editor().Check1.Value(), 0);
    EXPECT_EQ(Paths().LinkListFilePath, "");
    EXPECT_EQ(Editor().List1.ListCount(), 0);
  }
}

}  // namespace
