// The folder walk of the searches: the order in which folders hand over their files, links
// that lead back into the tree or into the kernel's folders, folders that cannot be opened,
// Japanese names, stopping, and a folder too large to read between two event runs.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <functional>
#include <string>
#include <vector>

#include "platform/folderwalk.h"

namespace {

// Records what the walk hands over, as "E folder" and "F folder: names".
class Recorder : public platform::FolderWalkClient {
 public:
  explicit Recorder(QString root) : root_(std::move(root)) {}
  bool EnterFolder(const QString& folder) override {
    events << QStringLiteral("E ") + Rel(folder);
    return enterAnswer ? enterAnswer(folder) : true;
  }
  bool Running() const override { return running; }
  void FolderFiles(const QString& folder, const QStringList& names) override {
    events << QStringLiteral("F ") + Rel(folder) + QStringLiteral(": ") + names.join(u',');
    if (afterFiles) afterFiles(folder);
  }
  void Breathe() override { ++breaths; }
  // Only the hand-overs.
  QStringList Files() const { return events.filter(QRegularExpression(QStringLiteral("^F "))); }

  QStringList events;
  bool running = true;
  int breaths = 0;
  std::function<bool(const QString&)> enterAnswer;
  std::function<void(const QString&)> afterFiles;

 private:
  QString Rel(const QString& folder) const {
    return folder == root_ ? QStringLiteral(".") : folder.mid(root_.size() + 1);
  }
  QString root_;
};

// Removes a folder and everything in it through folder handles, so that paths too long for
// the system go too.
void RemoveTreeAt(int parent, const char* name) {
  const int fd = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
  if (fd < 0) return;
  DIR* dir = ::fdopendir(fd);
  std::vector<std::string> folders, files;
  while (const dirent* e = ::readdir(dir)) {
    const std::string n = e->d_name;
    if (n == "." || n == "..") continue;
    (e->d_type == DT_DIR ? folders : files).push_back(n);
  }
  for (const std::string& f : files) ::unlinkat(fd, f.c_str(), 0);
  for (const std::string& f : folders) RemoveTreeAt(fd, f.c_str());
  ::closedir(dir);
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

class FolderWalkTest : public ::testing::Test {
 protected:
  void SetUp() override { root_ = QDir::cleanPath(dir_.path()); }
  void Make(const QString& relative) {
    const QString path = root_ + QLatin1Char('/') + relative;
    if (relative.endsWith(QLatin1Char('/'))) {
      ASSERT_TRUE(QDir().mkpath(path));
      return;
    }
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
  }
  platform::FolderWalkEnd Walk(Recorder& r, const QString& patterns = QStringLiteral("*.JPG;*.png"),
                               const QStringList& noDescent = {}) {
    return platform::WalkFolderTree(root_, platform::FolderWalkRules{patterns, noDescent}, r);
  }

  QTemporaryDir dir_;
  QString root_;
};

TEST_F(FolderWalkTest, LastSubfolderFirstAndEachFolderAfterEverythingBelowIt) {
  for (const char* f : {"r.jpg", "notes.txt", "A/a.JPG", "A/A1/a1.png", "A/A2/a2.jpg",
                        "A/A2/.hidden.jpg", "B/b2.jpg", "B/B1.Jpg", "B/photo.jpeg", "C/"})
    Make(QString::fromLatin1(f));
  Recorder r(root_);
  EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kCompleted);
  EXPECT_EQ(r.events, QStringList({"E .", "E C", "F C: ", "E B", "F B: B1.Jpg,b2.jpg", "E A",
                                   "E A/A2", "F A/A2: a2.jpg", "E A/A1", "F A/A1: a1.png",
                                   "F A: a.JPG", "F .: r.jpg"}));
}

TEST_F(FolderWalkTest, AFolderIsEnteredOnceWhicheverLinkLeadsToIt) {
  Make(QStringLiteral("A/a.jpg"));
  Make(QStringLiteral("B/b.jpg"));
  QTemporaryDir outside;
  QFile(outside.filePath(QStringLiteral("x.jpg"))).open(QIODevice::WriteOnly);
  // Back to the top, to a sibling already walked, to a folder outside the tree, twice.
  ASSERT_TRUE(QFile::link(root_, root_ + QStringLiteral("/B/up")));
  ASSERT_TRUE(QFile::link(root_ + QStringLiteral("/B"), root_ + QStringLiteral("/A/toB")));
  ASSERT_TRUE(QFile::link(outside.path(), root_ + QStringLiteral("/A/out1")));
  ASSERT_TRUE(QFile::link(outside.path(), root_ + QStringLiteral("/A/out2")));
  Recorder r(root_);
  EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kCompleted);
  EXPECT_EQ(r.Files(), QStringList({"F B: b.jpg", "F A/out2: x.jpg", "F A: a.jpg", "F .: "}));
}

TEST_F(FolderWalkTest, TheKernelFoldersAreNeverEntered) {
  Make(QStringLiteral("a.jpg"));
  ASSERT_TRUE(QFile::link(QStringLiteral("/proc"), root_ + QStringLiteral("/proc")));
  ASSERT_TRUE(QFile::link(QStringLiteral("/sys/kernel"), root_ + QStringLiteral("/kernel")));
  Recorder r(root_);
  Walk(r, QStringLiteral("*"));
  EXPECT_EQ(r.Files(), QStringList({"F .: a.jpg"}));
  EXPECT_EQ(r.events.size(), 2);

  const struct {
    const char* path;
    bool system;
  } cases[] = {{"/proc", true},      {"/proc/1", true},   {"/sys", true}, {"/dev/shm", true},
               {"/run", true},       {"/run/user", true}, {"/", false},   {"/process", false},
               {"/home/run", false}, {"/devices", false}};
  for (const auto& c : cases)
    EXPECT_EQ(platform::IsSystemFolder(QString::fromLatin1(c.path)), c.system) << c.path;
}

TEST_F(FolderWalkTest, AFolderThatCannotBeOpenedIsPassedOverAndTheRestIsWalked) {
  for (const char* f : {"A/a.jpg", "A/locked/l.jpg", "A/open/o.jpg", "r.jpg"})
    Make(QString::fromLatin1(f));
  const QByteArray locked = QFile::encodeName(root_ + QStringLiteral("/A/locked"));
  ASSERT_EQ(::chmod(locked.constData(), 0), 0);
  struct Restore {
    QByteArray p;
    ~Restore() { ::chmod(p.constData(), 0755); }
  } restore{locked};
  if (::access(locked.constData(), R_OK) == 0)
    GTEST_SKIP() << "the tests run with every permission";
  Recorder r(root_);
  EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kCompleted);
  EXPECT_EQ(r.Files(), QStringList({"F A/open: o.jpg", "F A: a.jpg", "F .: r.jpg"}));
}

// Paths longer than the system takes cannot be opened by anyone; the deep tree is walked
// without the call stack growing with it.
TEST_F(FolderWalkTest, ADeepTreeIsWalkedToItsBottomAndTooLongPathsArePassedOver) {
  const QString level = QStringLiteral("level-of-a-deep-tree-%1");
  QString path = root_;
  int fd = ::open(QFile::encodeName(root_).constData(), O_RDONLY | O_DIRECTORY);
  ASSERT_GE(fd, 0);
  int depth = 0;
  int reachable = 0;  // the deepest level whose path the system still takes
  for (; depth < 250; ++depth) {
    const QByteArray name = level.arg(depth, 3, 10, QLatin1Char('0')).toLatin1();
    ASSERT_EQ(::mkdirat(fd, name.constData(), 0755), 0);
    const int next = ::openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
    ::close(fd);
    fd = next;
    ASSERT_GE(fd, 0);
    path += QLatin1Char('/') + QString::fromLatin1(name);
    if (QFile::encodeName(path).size() < 4000) reachable = depth;
    const int file = ::openat(fd, "x.jpg", O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(file, 0);
    ::close(file);
  }
  ::close(fd);
  struct Cleanup {
    QByteArray root;
    ~Cleanup() { RemoveTreeAt(AT_FDCWD, root.constData()); }
  } cleanup{QFile::encodeName(root_ + QStringLiteral("/") + level.arg(0, 3, 10, QLatin1Char('0')))};
  Recorder r(root_);
  EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kCompleted);
  const QStringList files = r.Files();
  ASSERT_GE(files.size(), reachable + 1);
  EXPECT_LT(files.size(), depth + 1);
  // The deepest folder that could be opened comes first, the start folder last.
  EXPECT_TRUE(files.front().endsWith(QStringLiteral(": x.jpg")));
  EXPECT_EQ(files.back(), QStringLiteral("F .: "));
}

TEST_F(FolderWalkTest, JapaneseNamesArriveWhole) {
  Make(QStringLiteral("写真/春の桜.JPG"));
  Make(QStringLiteral("写真/夏.jpg"));
  Make(QStringLiteral("写真/メモ.txt"));
  Make(QStringLiteral("ｽﾗｲﾄﾞ/秋.png"));
  Recorder r(root_);
  Walk(r);
  EXPECT_EQ(r.Files(), QStringList({"F ｽﾗｲﾄﾞ: 秋.png", "F 写真: 夏.jpg,春の桜.JPG", "F .: "}));
}

TEST_F(FolderWalkTest, BelowAMarkedFolderNothingIsWalkedButItsOwnFilesAre) {
  Make(QStringLiteral("Windows/WinSxS/sxs.jpg"));
  Make(QStringLiteral("Windows/WinSxS/deep/deep.jpg"));
  Make(QStringLiteral("Windows/w.jpg"));
  Recorder r(root_);
  Walk(r, QStringLiteral("*.jpg"), {QStringLiteral("/WINDOWS/WINSXS")});
  EXPECT_EQ(r.Files(), QStringList({"F Windows/WinSxS: sxs.jpg", "F Windows: w.jpg", "F .: "}));
}

TEST_F(FolderWalkTest, AStopEndsTheWalkWhereverItComes) {
  for (const char* f : {"A/a.jpg", "B/b.jpg", "B/C/c.jpg", "r.jpg"}) Make(QString::fromLatin1(f));
  {
    // After the first folder's files: no folder is entered and no file handed over after.
    Recorder r(root_);
    r.afterFiles = [&r](const QString&) { r.running = false; };
    EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kStopped);
    EXPECT_EQ(r.events, QStringList({"E .", "E B", "E B/C", "F B/C: c.jpg"}));
  }
  {
    // Refused at the entry of a folder: the folders above hand over nothing either.
    Recorder r(root_);
    r.enterAnswer = [](const QString& folder) { return !folder.endsWith(QStringLiteral("/A")); };
    EXPECT_EQ(Walk(r), platform::FolderWalkEnd::kStopped);
    EXPECT_EQ(r.Files(), QStringList({"F B/C: c.jpg", "F B: b.jpg"}));
  }
}

TEST_F(FolderWalkTest, AVeryLargeFolderLetsTheWindowBreatheWhileItIsRead) {
  for (int i = 0; i < 5000; ++i) Make(QStringLiteral("big/%1.jpg").arg(i));
  Recorder r(root_);
  Walk(r);
  EXPECT_GE(r.breaths, 2);
  ASSERT_EQ(r.Files().size(), 2);
  EXPECT_EQ(r.Files().front().count(u','), 4999);
}

}  // namespace
