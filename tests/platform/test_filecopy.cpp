// Copies and moves of the user's files: "the same file" by the file system, and a copy that
// appears under its name only when it is complete.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/filecopy.h"
#include "tests/support/files.h"

namespace {

using test_support::ReadBytes;
using test_support::WriteBytes;

TEST(FileCopy, TheSameFileIsKnownByTheFileSystemNotByItsSpelling) {
  QTemporaryDir dir;
  const QString file = dir.filePath("Pic.jpg");
  WriteBytes(file, "picture");
  WriteBytes(dir.filePath("pic.jpg"), "another picture");
  ASSERT_TRUE(QFile::link(file, dir.filePath("link.jpg")));
  ASSERT_TRUE(QFile::link(dir.path(), dir.filePath("alias")));
  ASSERT_TRUE(QDir().mkpath(dir.filePath("sub")));
  ASSERT_EQ(::link(QFile::encodeName(file).constData(),
                   QFile::encodeName(dir.filePath("hard.jpg")).constData()),
            0);
  const struct {
    QString other;
    bool same;
  } cases[] = {
      {file, true},
      {dir.filePath("link.jpg"), true},
      {dir.filePath("alias/Pic.jpg"), true},
      {dir.filePath("sub/../Pic.jpg"), true},
      {dir.filePath("hard.jpg"), true},
      {dir.filePath("pic.jpg"), false},  // letter case makes another file here
      {dir.filePath("missing.jpg"), false},
      {QString(), false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(platform::IsSameFile(file, c.other), c.same) << c.other.toStdString();
}

TEST(FileCopy, ACopyReplacesTheTargetWholeAndKeepsThePermissions) {
  QTemporaryDir dir;
  const QString source = dir.filePath("a.jpg");
  const QString target = dir.filePath("b.jpg");
  WriteBytes(source, QByteArray(3 * 1024 * 1024 + 17, 'a'));  // more than one chunk
  QFile::setPermissions(source, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  WriteBytes(target, "old");
  QString why;
  EXPECT_EQ(platform::CopyFileReplacing(source, target, &why), 1) << why.toStdString();
  EXPECT_EQ(ReadBytes(target), ReadBytes(source));
  EXPECT_EQ(QFile::permissions(target) & 0x0FFF, QFile::permissions(source) & 0x0FFF);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
  // Onto itself, a missing source, a folder as the target: refused, nothing written.
  EXPECT_EQ(platform::CopyFileReplacing(source, source), 0);
  EXPECT_EQ(platform::CopyFileReplacing(dir.filePath("none"), target), 0);
  EXPECT_EQ(platform::CopyFileReplacing(source, dir.path()), 0);
  EXPECT_EQ(ReadBytes(target), ReadBytes(source));
}

TEST(FileCopy, AMoveWithinAFileSystemRenames) {
  QTemporaryDir dir;
  const QString source = dir.filePath("a.jpg");
  WriteBytes(source, "picture");
  ASSERT_TRUE(QDir().mkpath(dir.filePath("sub")));
  const QString target = dir.filePath("sub/a.jpg");
  WriteBytes(target, "old");
  EXPECT_EQ(platform::MoveFileReplacing(source, target), platform::MoveOutcome::kMoved);
  EXPECT_FALSE(QFile::exists(source));
  EXPECT_EQ(ReadBytes(target), "picture");
  // Onto itself through a link: refused, the file stays.
  ASSERT_TRUE(QFile::link(target, dir.filePath("link.jpg")));
  EXPECT_EQ(platform::MoveFileReplacing(target, dir.filePath("link.jpg")),
            platform::MoveOutcome::kFailed);
  EXPECT_EQ(ReadBytes(target), "picture");
}

}  // namespace
