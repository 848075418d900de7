// The file browser controls: what the drive, folder and file lists show of a real folder
// tree, their numbering, their events and their errors.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>

#include "platform/filelists.h"
#include "tests/support/input.h"

namespace {

using platform::DirListBox;
using platform::DriveListBox;
using platform::FileListBox;
using platform::VbError;

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

// Counts the signals a control raises.
struct Counter {
  int count = 0;
  template <class Sender, class Signal>
  Counter(Sender* sender, Signal signal) {
    QObject::connect(sender, signal, sender, [this] { ++count; });
  }
};

// A widget shown and laid out, so that its rows have places to click.
void ShowFor(QWidget& w) {
  w.show();
  QCoreApplication::processEvents();
}

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const VbError& e) {
    return e.Number();
  }
  return 0;
}

// A folder tree: root/{beta, Alpha, gamma, .hidden} and files of mixed case.
class FileListsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = QDir(dir_.path()).canonicalPath();
    for (const char* sub : {"beta", "Alpha", "gamma", ".hidden", "Alpha/inner"})
      ASSERT_TRUE(QDir(root_).mkpath(QString::fromLatin1(sub)));
    for (const char* name : {"b.PNG", "a.jpg", "C.Jpg", "notes.txt", "README", ".secret.png"})
      Touch(root_ + QLatin1Char('/') + QString::fromLatin1(name));
  }
  QString Sub(const char* name) const {
    return root_ + QLatin1Char('/') + QString::fromLatin1(name);
  }

  QWidget host_;
  QTemporaryDir dir_;
  QString root_;
};

TEST_F(FileListsTest, FolderListNumbersAncestorsNegativeAndSubfoldersByName) {
  DirListBox dir(&host_);
  Counter changes(&dir, &DirListBox::Change);
  dir.SetPath(root_ + QStringLiteral("/"));
  EXPECT_EQ(changes.count, 1);
  EXPECT_EQ(dir.Path(), root_);
  // Subfolders sorted without regard to case; hidden ones are not listed.
  ASSERT_EQ(dir.ListCount(), 3);
  EXPECT_EQ(dir.List(0), Sub("Alpha"));
  EXPECT_EQ(dir.List(1), Sub("beta"));
  EXPECT_EQ(dir.List(2), Sub("gamma"));
  EXPECT_EQ(dir.List(3), QString());
  EXPECT_EQ(dir.List(-1), root_);
  EXPECT_EQ(dir.List(-2), QFileInfo(root_).path());
  // The last ancestor is the root.
  int top = -1;
  while (!dir.List(top - 1).isEmpty()) --top;
  EXPECT_EQ(dir.List(top), QStringLiteral("/"));
  EXPECT_EQ(dir.ListIndex(), -1);

  // Highlighting does not open; the same path again raises nothing.
  dir.SetListIndex(0);
  EXPECT_EQ(dir.ListIndex(), 0);
  EXPECT_EQ(dir.Path(), root_);
  dir.SetPath(root_);
  EXPECT_EQ(changes.count, 1);

  // Opening the highlighted folder, as the folder search does.
  dir.SetPath(dir.List(dir.ListIndex()));
  EXPECT_EQ(dir.Path(), Sub("Alpha"));
  EXPECT_EQ(dir.ListCount(), 1);
  EXPECT_EQ(dir.List(0), Sub("Alpha/inner"));
  EXPECT_EQ(dir.ListIndex(), -1);
  EXPECT_EQ(changes.count, 2);
}

TEST_F(FileListsTest, FolderListOpensWithDoubleClickAndEnter) {
  DirListBox dir(nullptr);
  dir.SetPath(root_);
  dir.resize(300, 400);
  ShowFor(dir);
  Counter changes(&dir, &DirListBox::Change);
  // Row of subfolder 1 ("beta"): after the ancestors.
  int ancestors = 0;
  while (!dir.List(-1 - ancestors).isEmpty()) ++ancestors;
  const QModelIndex beta = dir.model()->index(ancestors + 1, 0);
  const QPoint at = dir.visualRect(beta).center();
  test_support::ClickAt(dir.viewport(), at);
  EXPECT_EQ(dir.ListIndex(), 1);
  EXPECT_EQ(changes.count, 0);
  test_support::DoubleClickAt(dir.viewport(), at);
  EXPECT_EQ(dir.Path(), Sub("beta"));
  EXPECT_EQ(changes.count, 1);

  // Enter opens the highlighted entry: the parent, one row up from the current folder.
  dir.SetListIndex(-2);
  test_support::KeyClick(&dir, Qt::Key_Return);
  EXPECT_EQ(dir.Path(), root_);
  EXPECT_EQ(changes.count, 2);
}

TEST_F(FileListsTest, FolderListRefusesWhatIsNoFolder) {
  DirListBox dir(&host_);
  dir.SetPath(root_);
  EXPECT_EQ(ErrorOf([&] { dir.SetPath(root_ + QStringLiteral("/missing")); }),
            platform::kErrPathNotFound);
  EXPECT_EQ(ErrorOf([&] { dir.SetPath(root_ + QStringLiteral("/a.jpg")); }),
            platform::kErrPathNotFound);
  EXPECT_EQ(dir.Path(), root_);
  EXPECT_EQ(dir.ListCount(), 3);
  EXPECT_EQ(ErrorOf([&] { dir.SetListIndex(3); }), platform::kErrInvalidPropertyValue);
}

TEST_F(FileListsTest, FileListMatchesItsPatternsWithoutRegardToCase) {
  FileListBox files(&host_);
  Counter pathChanges(&files, &FileListBox::PathChange);
  files.SetPath(root_);
  EXPECT_EQ(pathChanges.count, 1);
  const struct {
    const char* pattern;
    QStringList expected;
  } cases[] = {
      {"*.png;*.jpg", {"a.jpg", "b.PNG", "C.Jpg"}},
      {"*.PNG", {"b.PNG"}},
      {" *.txt ; *.jpg ", {"a.jpg", "C.Jpg", "notes.txt"}},
      {"*.*", {"a.jpg", "b.PNG", "C.Jpg", "notes.txt", "README"}},
      {"*.bmp", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    files.SetPattern(QString::fromLatin1(c.pattern));
    QStringList shown;
    for (int i = 0; i < files.ListCount(); ++i) shown << files.List(i);
    EXPECT_EQ(shown, c.expected);
  }
  EXPECT_EQ(files.List(-1), QString());
  EXPECT_EQ(ErrorOf([&] { files.List(-2); }), platform::kErrInvalidPropertyIndex);
  EXPECT_EQ(ErrorOf([&] { files.SetPath(root_ + QStringLiteral("/none")); }),
            platform::kErrPathNotFound);
  EXPECT_EQ(files.Path(), root_);
}

TEST_F(FileListsTest, FileListChoosingRaisesClickAlsoOnTheChosenFileAgain) {
  FileListBox files(nullptr);
  files.SetPath(root_);
  files.SetPattern(QStringLiteral("*.png;*.jpg"));
  files.resize(200, 300);
  ShowFor(files);
  Counter clicks(&files, &FileListBox::Click);

  files.SetListIndex(1);
  EXPECT_EQ(clicks.count, 1);
  EXPECT_EQ(files.FileName(), QStringLiteral("b.PNG"));
  files.SetListIndex(1);
  EXPECT_EQ(clicks.count, 1);  // from code only a change raises it

  const QPoint first = files.visualRect(files.model()->index(0, 0)).center();
  test_support::ClickAt(files.viewport(), first);
  EXPECT_EQ(clicks.count, 2);
  EXPECT_EQ(files.FileName(), QStringLiteral("a.jpg"));
  // The user clicking the chosen file again chooses it again.
  test_support::ClickAt(files.viewport(), first);
  EXPECT_EQ(clicks.count, 3);
  // Moving with the keys chooses too.
  test_support::KeyClick(&files, Qt::Key_Down);
  EXPECT_EQ(clicks.count, 4);
  EXPECT_EQ(files.FileName(), QStringLiteral("b.PNG"));

  // A file made meanwhile appears on Refresh; the choice is forgotten.
  Touch(Sub("0.png"));
  files.Refresh();
  EXPECT_EQ(files.List(0), QStringLiteral("0.png"));
  EXPECT_EQ(files.ListIndex(), -1);
  EXPECT_EQ(clicks.count, 4);
}

TEST(DriveList, ListsTheRootFirstAndFindsTheDriveOfAPath) {
  QWidget host;
  DriveListBox drives(&host);
  ASSERT_GE(drives.ListCount(), 1);
  EXPECT_EQ(drives.List(0), QStringLiteral("/"));
  EXPECT_EQ(drives.Drive(), QStringLiteral("/"));
  for (int i = 0; i < drives.ListCount(); ++i) EXPECT_TRUE(QFileInfo(drives.List(i)).isDir());

  // Every listed mount point is its own drive; a path below it belongs to it.
  const QString last = drives.List(drives.ListCount() - 1);
  EXPECT_EQ(platform::DriveOfPath(last), last);
  EXPECT_EQ(platform::DriveOfPath(QStringLiteral("/")), QStringLiteral("/"));

  Counter changes(&drives, &DriveListBox::Change);
  drives.SetDrive(last);
  EXPECT_EQ(drives.Drive(), last);
  EXPECT_EQ(changes.count, last == QLatin1String("/") ? 0 : 1);
  drives.SetDrive(last);
  EXPECT_EQ(changes.count, last == QLatin1String("/") ? 0 : 1);
}

}  // namespace
