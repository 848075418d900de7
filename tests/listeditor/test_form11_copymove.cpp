// The copy and move dialog on real folders: every target a user can name, and what both
// folders and the slide lists hold afterwards.
#include <QFileInfo>
#include <QRandomGenerator>
#include <iostream>

#include "platform/clipboard.h"
#include "tests/listeditor/picture_tools_fixture.h"

namespace picture_tools_test {
namespace {

using listeditor::Form11;

enum class Target {
  kNewName,            // another folder, a name of the user's own
  kExistingYes,        // a file of that name exists; the user agrees to replace it
  kExistingNo,         // ... and declines
  kSameFileOtherPath,  // the source's own folder reached through a linked folder
  kSymlinkToSource,    // a name that is a symbolic link to the source
  kReadOnlyFolder,     // a folder on a read-only file system
  kFullDisk,           // a file system with no room left
  kOtherDisk,          // another file system with room
  kReadOnlySource,     // the source lies on a read-only file system
};

enum class Outcome { kCopied, kMoved, kSameRefused, kCouldNot, kDeclined };

struct Case {
  const char* name;
  bool move;
  Target target;
  Outcome outcome;
};

class CopyMoveTest : public PictureToolsTest {
 protected:
  // The chosen slide's file: random bytes named as a JPEG (copies never decode it).
  QString MakeSource(const QString& folder, int bytes = 200 * 1024) {
    QByteArray data(bytes, '\0');
    for (char& c : data) c = static_cast<char>(QRandomGenerator::global()->generate());
    const QString path = QDir(folder).filePath(QStringLiteral("pic.jpg"));
    test_support::WriteBytes(path, data);
    original_ = data;
    return path;
  }

  // The dialog shown as the four-up view shows it for the first cell of page one.
  Form11& OpenDialog(const QString& source) {
    SetSlides({source, src_.filePath(QStringLiteral("other.jpg"))});
    listeditor::FourUpState& fu = listeditor::FourUp();
    fu.FourUpPageOffset = 0;
    fu.FourUpClickedCell = 1;
    fu.FourUpChosenCell = 1;
    fu.CopySourcePath = source;
    Form11& dialog = listeditor::form11();
    dialog.Unlock();
    dialog.Show();
    WaitFor([&dialog] { return dialog.isVisible(); }, 3000);
    platform::DoEvents();
    platform::DoEvents();
    return dialog;
  }

  QByteArray original_;
};

TEST_F(CopyMoveTest, EveryTargetKeepsTheSourceUnlessTheMoveIsComplete) {
  const std::vector<Case> cases = {
      {"copy to a new name", false, Target::kNewName, Outcome::kCopied},
      {"move to a new name", true, Target::kNewName, Outcome::kMoved},
      {"copy over an existing file", false, Target::kExistingYes, Outcome::kCopied},
      {"move over an existing file", true, Target::kExistingYes, Outcome::kMoved},
      {"copy declined", false, Target::kExistingNo, Outcome::kDeclined},
      {"move declined", true, Target::kExistingNo, Outcome::kDeclined},
      {"copy onto itself by another path", false, Target::kSameFileOtherPath,
       Outcome::kSameRefused},
      {"move onto itself by another path", true, Target::kSameFileOtherPath, Outcome::kSameRefused},
      {"copy onto a link to itself", false, Target::kSymlinkToSource, Outcome::kSameRefused},
      {"move onto a link to itself", true, Target::kSymlinkToSource, Outcome::kSameRefused},
      {"copy into a read-only folder", false, Target::kReadOnlyFolder, Outcome::kCouldNot},
      {"move into a read-only folder", true, Target::kReadOnlyFolder, Outcome::kCouldNot},
      {"copy onto a full disk", false, Target::kFullDisk, Outcome::kCouldNot},
      {"move onto a full disk", true, Target::kFullDisk, Outcome::kCouldNot},
      {"copy to another disk", false, Target::kOtherDisk, Outcome::kCopied},
      {"move to another disk", true, Target::kOtherDisk, Outcome::kMoved},
      {"move out of a read-only folder", true, Target::kReadOnlySource, Outcome::kCouldNot},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir from, to;
    std::unique_ptr<Mount> disk;
    QString sourceFolder = from.path();
    QString targetFolder = to.path();
    QString dest = QDir(targetFolder).filePath(QStringLiteral("pic.jpg"));
    const QByteArray existing("an older picture");

    switch (c.target) {
      case Target::kNewName:
        dest = QDir(targetFolder).filePath(QStringLiteral("copy.jpg"));
        break;
      case Target::kExistingYes:
      case Target::kExistingNo:
        test_support::WriteBytes(dest, existing);
        break;
      case Target::kSameFileOtherPath:
        ASSERT_TRUE(QFile::link(sourceFolder, to.filePath(QStringLiteral("alias"))));
        targetFolder = to.filePath(QStringLiteral("alias"));
        dest = QDir(targetFolder).filePath(QStringLiteral("pic.jpg"));
        break;
      case Target::kSymlinkToSource:
        dest = QDir(targetFolder).filePath(QStringLiteral("link.jpg"));
        break;
      case Target::kReadOnlyFolder:
      case Target::kFullDisk:
      case Target::kOtherDisk:
        disk = std::make_unique<Mount>(c.target == Target::kOtherDisk ? 4096 : 64);
        if (!disk->Mounted()) {
          std::cerr << "skipped " << c.name << ": mounting a file system needs root\n";
          continue;
        }
        if (c.target == Target::kReadOnlyFolder) ASSERT_TRUE(disk->MakeReadOnly());
        if (c.target == Target::kFullDisk) disk->Fill();
        targetFolder = disk->Path();
        dest = disk->Path(QStringLiteral("pic.jpg"));
        break;
      case Target::kReadOnlySource:
        disk = std::make_unique<Mount>(1024);
        if (!disk->Mounted()) {
          std::cerr << "skipped " << c.name << ": mounting a file system needs root\n";
          continue;
        }
        sourceFolder = disk->Path();
        break;
    }
    const QString source = MakeSource(sourceFolder);
    if (c.target == Target::kSymlinkToSource) ASSERT_TRUE(QFile::link(source, dest));
    if (c.target == Target::kReadOnlySource) ASSERT_TRUE(disk->MakeReadOnly());
    const QStringList targetBefore = Names(targetFolder);

    dialogs_.ClearCalls();
    if (c.target == Target::kExistingYes) dialogs_.Answer(platform::vbYes);
    if (c.target == Target::kExistingNo) dialogs_.Answer(platform::vbNo);
    Form11& dialog = OpenDialog(source);
    dialog.Dir1.SetPath(targetFolder);
    dialog.Text1.SetText(dest);
    c.move ? dialog.Command4_Click() : dialog.Command1_Click();

    EXPECT_FALSE(dialog.isVisible());
    const QString verb = c.move ? QStringLiteral("移動") : QStringLiteral("コピー");
    const QStringList listBefore = {source, src_.filePath(QStringLiteral("other.jpg"))};
    switch (c.outcome) {
      case Outcome::kCopied:
        EXPECT_EQ(ReadBytes(source), original_);
        EXPECT_EQ(ReadBytes(dest), original_);
        EXPECT_EQ(EditorPaths(), listBefore);
        break;
      case Outcome::kMoved:
        EXPECT_FALSE(QFileInfo::exists(source));
        EXPECT_EQ(ReadBytes(dest), original_);
        EXPECT_EQ(EditorPaths().value(0), dest);
        EXPECT_EQ(CommittedPaths().value(0), dest);
        break;
      case Outcome::kSameRefused:
        ASSERT_EQ(dialogs_.Calls().size(), 1u);
        EXPECT_EQ(dialogs_.Calls()[0].text,
                  QStringLiteral("同一フォルダへは%1できません。").arg(verb));
        EXPECT_EQ(ReadBytes(source), original_);
        EXPECT_EQ(Names(targetFolder), targetBefore);
        EXPECT_EQ(EditorPaths(), listBefore);
        break;
      case Outcome::kCouldNot:
        ASSERT_FALSE(dialogs_.Calls().empty());
        EXPECT_EQ(dialogs_.Calls().back().text, QStringLiteral("%1できませんでした。").arg(verb));
        EXPECT_EQ(ReadBytes(source), original_);
        EXPECT_EQ(Names(targetFolder), targetBefore);  // no partial or temporary file
        EXPECT_EQ(EditorPaths(), listBefore);
        break;
      case Outcome::kDeclined:
        ASSERT_EQ(dialogs_.Calls().size(), 1u);
        EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("コピー"));
        EXPECT_EQ(ReadBytes(source), original_);
        EXPECT_EQ(ReadBytes(dest), existing);
        EXPECT_EQ(EditorPaths(), listBefore);
        break;
    }
    if (c.target == Target::kExistingYes) {
      ASSERT_FALSE(dialogs_.Calls().empty());
      EXPECT_EQ(
          dialogs_.Calls()[0].text,
          dest + QStringLiteral("\r\nこのファイルはすでに存在します。\r\n\r\n上書きしますか ?"));
    }
    if (c.outcome == Outcome::kCopied || c.outcome == Outcome::kMoved) {
      // Only the overwrite question, if any: no error message.
      EXPECT_EQ(dialogs_.Calls().size(), c.target == Target::kExistingYes ? 1u : 0u);
    }
    dialog.Hide();
  }
}

TEST_F(CopyMoveTest, TheRootAndTheHomeFoldersAreRefusedAndTheDialogStaysUsable) {
  const QString source = MakeSource(src_.path());
  for (const QString& folder : {QStringLiteral("/"), QStringLiteral("/home")}) {
    for (bool move : {false, true}) {
      SCOPED_TRACE(folder.toStdString() + (move ? " move" : " copy"));
      if (!QFileInfo(folder).isDir()) continue;
      Form11& dialog = OpenDialog(source);
      dialog.Dir1.SetPath(folder);
      dialogs_.ClearCalls();
      move ? dialog.Command4_Click() : dialog.Command1_Click();
      ASSERT_EQ(dialogs_.Calls().size(), 1u);
      EXPECT_EQ(dialogs_.Calls()[0].title, move ? QStringLiteral("移動先フォルダ未選択")
                                                : QStringLiteral("コピー先フォルダ未選択"));
      EXPECT_EQ(
          dialogs_.Calls()[0].text,
          move ? QStringLiteral(
                     "\r\nこのフォルダへは移動できません。\r\n移送先フォルダを選択してください。")
               : QStringLiteral("\r\nこのフォルダへはコピーできません。\r\nコピー先フォルダを選択し"
                                "てください。"));
      EXPECT_TRUE(dialog.isVisible());
      EXPECT_TRUE(dialog.Command1.Enabled());
      EXPECT_TRUE(dialog.Text1.Enabled());
      EXPECT_EQ(ReadBytes(source), original_);
      dialog.Hide();
    }
  }
}

TEST_F(CopyMoveTest, TheDestinationFollowsTheFolderAndNamesAreKeptAsTheyAre) {
  const QString source = MakeSource(src_.path());
  const QString sub = dst_.filePath(QStringLiteral("My Pictures"));
  ASSERT_TRUE(QDir().mkpath(sub));
  Form11& dialog = OpenDialog(source);
  EXPECT_EQ(dialog.Caption(), QStringLiteral("pic.jpg"));
  dialog.Dir1.SetPath(sub);
  EXPECT_EQ(dialog.Text1.Text(), sub + QStringLiteral("/pic.jpg"));
  // A name differing from the source only in letter case is another file here.
  const QString dest = sub + QStringLiteral("/IMG_01.JPG");
  // A bare name typed in goes into the chosen folder.
  dialog.Text1.SetText(QStringLiteral("IMG_01.JPG"));
  dialog.Command4_Click();
  EXPECT_TRUE(dialogs_.Calls().empty());
  EXPECT_EQ(EditorPaths().value(0), dest);
  EXPECT_EQ(CommittedPaths().value(0), dest);
  EXPECT_EQ(ReadBytes(dest), original_);
}

TEST_F(CopyMoveTest, AnEmptyDestinationIsRefused) {
  const QString source = MakeSource(src_.path());
  Form11& dialog = OpenDialog(source);
  dialog.Dir1.SetPath(dst_.path());
  dialog.Text1.SetText(QString());
  dialog.Command1_Click();
  ASSERT_EQ(dialogs_.Calls().size(), 1u);
  EXPECT_EQ(dialogs_.Calls()[0].text, QStringLiteral("コピーできません。"));
  EXPECT_EQ(dialogs_.Calls()[0].title, QStringLiteral("コピーエラー"));
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_TRUE(Names(dst_.path()).isEmpty());
}

}  // namespace
}  // namespace picture_tools_test
