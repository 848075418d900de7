// The browsing lists: what the folder and file lists show of a folder, the patterns, the
// events a change raises, and the errors of folders that cannot be opened.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

#include "platform/filelists.h"

namespace {

using platform::DirListBox;
using platform::DriveListBox;
using platform::FileListBox;
using platform::VbError;

void Touch(const QString& path) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
}

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const VbError& e) {
    return e.Number();
  }
  return 0;
}

class FileBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    root_ = dir_.path();
    QDir d(root_);
    for (const char* sub : {"beta", "Alpha", "gamma", ".hidden"}) d.mkdir(QString::fromLatin1(sub));
    for (const char* name : {"b.WAV", "a.wav", "c.mid", "d.Mp3", "notes.txt", ".x.wav"})
      Touch(d.filePath(QString::fromLatin1(name)));
  }
  QTemporaryDir dir_;
  QString root_;
  QWidget host_;
};

struct PatternCase {
  const char* pattern;
  QStringList shown;
};

TEST_F(FileBrowserTest, FileListShowsTheMatchingFilesByNameWithoutRegardToCase) {
  const PatternCase cases[] = {
      {"*.wav;*.mid;*.mp3", {"a.wav", "b.WAV", "c.mid", "d.Mp3"}},
      {"*.WAV", {"a.wav", "b.WAV"}},
      {"*.MID;*.MP3", {"c.mid", "d.Mp3"}},
      {"*.*", {"a.wav", "b.WAV", "c.mid", "d.Mp3", "notes.txt"}},
      {"*.jpg", {}},
  };
  FileListBox files(&host_);
  files.SetPath(root_);
  for (const PatternCase& c : cases) {
    files.SetPattern(QString::fromLatin1(c.pattern));
    QStringList shown;
    for (int i = 0; i < files.ListCount(); ++i) shown << files.List(i);
    EXPECT_EQ(shown, c.shown) << c.pattern;
  }
}

TEST_F(FileBrowserTest, FileNameSetsFolderAndPatternOrChoosesAFile) {
  FileListBox files(&host_);
  int pathChanges = 0, clicks = 0;
  QObject::connect(&files, &FileListBox::PathChange, [&] { ++pathChanges; });
  QObject::connect(&files, &FileListBox::Click, [&] { ++clicks; });
  files.SetFileName(root_ + QStringLiteral("/*.mid"));
  EXPECT_EQ(files.Path(), root_);
  EXPECT_EQ(files.Pattern(), QStringLiteral("*.mid"));
  EXPECT_EQ(files.ListCount(), 1);
  EXPECT_EQ(pathChanges, 1);
  EXPECT_EQ(files.ListIndex(), -1);
  EXPECT_EQ(files.FileName(), QString());
  files.SetFileName(QStringLiteral("c.mid"));
  EXPECT_EQ(files.ListIndex(), 0);
  EXPECT_EQ(files.FileName(), QStringLiteral("c.mid"));
  EXPECT_EQ(clicks, 1);
  // A missing folder is refused and the list stays.
  EXPECT_EQ(ErrorOf([&] { files.SetPath(root_ + QStringLiteral("/none")); }),
            platform::kErrPathNotFound);
  EXPECT_EQ(files.Path(), root_);
  EXPECT_EQ(ErrorOf([&] { files.SetListIndex(1); }), platform::kErrInvalidPropertyValue);
}

TEST_F(FileBrowserTest, FolderListShowsSubfoldersAndAncestorsAndOpensThem) {
  DirListBox dirs(&host_);
  int changes = 0;
  QObject::connect(&dirs, &DirListBox::Change, [&] { ++changes; });
  dirs.SetPath(root_);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(dirs.ListCount(), 3);  // the hidden folder is not shown
  EXPECT_EQ(dirs.List(0), root_ + QStringLiteral("/Alpha"));
  EXPECT_EQ(dirs.List(1), root_ + QStringLiteral("/beta"));
  EXPECT_EQ(dirs.List(2), root_ + QStringLiteral("/gamma"));
  EXPECT_EQ(dirs.List(-1), root_);
  EXPECT_EQ(dirs.List(-2), QFileInfo(root_).absolutePath());
  EXPECT_EQ(dirs.ListIndex(), -1);
  dirs.SetPath(root_);  // the same folder again raises nothing
  EXPECT_EQ(changes, 1);

  // The highlighted entry opens on Enter, as a double-click does.
  dirs.SetListIndex(1);
  EXPECT_EQ(dirs.ListIndex(), 1);
  dirs.show();
  dirs.setFocus();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(&dirs, &enter);
  EXPECT_EQ(dirs.Path(), root_ + QStringLiteral("/beta"));
  EXPECT_EQ(dirs.ListCount(), 0);
  EXPECT_EQ(changes, 2);

  EXPECT_EQ(ErrorOf([&] { dirs.SetPath(root_ + QStringLiteral("/none")); }),
            platform::kErrPathNotFound);
  EXPECT_EQ(dirs.Path(), root_ + QStringLiteral("/beta"));
  EXPECT_EQ(dirs.List(3), QString());  // past the end: nothing
}

TEST_F(FileBrowserTest, FolderThatCannotBeListedIsRefusedWithPermissionDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root opens every folder";
  const QString locked = root_ + QStringLiteral("/gamma");
  QFile::setPermissions(locked, QFileDevice::WriteOwner);
  DirListBox dirs(&host_);
  dirs.SetPath(root_);
  EXPECT_EQ(ErrorOf([&] { dirs.SetPath(locked); }), platform::kErrPermissionDenied);
  EXPECT_EQ(dirs.Path(), root_);
  QFile::setPermissions(locked,
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(FileBrowserTest, DriveListHoldsTheRootAndTheDriveOfEveryChosenPath) {
  DriveListBox drives(&host_);
  int changes = 0;
  QObject::connect(&drives, &DriveListBox::Change, [&] { ++changes; });
  EXPECT_EQ(drives.List(0), QStringLiteral("/"));
  drives.SetDrive(QStringLiteral("/"));
  const int before = changes;
  drives.SetDrive(root_);
  EXPECT_EQ(drives.Drive(), platform::DriveOfPath(root_));
  EXPECT_EQ(changes, before + (drives.Drive() == QStringLiteral("/") ? 0 : 1));
  // A drive remembers the folder a folder list opened on it last.
  DirListBox dirs(&host_);
  dirs.SetPath(root_ + QStringLiteral("/beta"));
  EXPECT_EQ(platform::CurrentFolderOnDrive(platform::DriveOfPath(root_)),
            root_ + QStringLiteral("/beta"));
  // A path that does not exist yet belongs to the drive of its nearest folder.
  EXPECT_EQ(platform::DriveOfPath(root_ + QStringLiteral("/no/such")),
            platform::DriveOfPath(root_));
}

}  // namespace
