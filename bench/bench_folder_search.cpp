// Times the slide list window's folder search ("検索" with the chooser's opening types,
// list filling included) over a tree of 50000 empty files in 2000 folders, half of them
// pictures or movies by their endings, and next to it, in the same run on the same tree,
// `find TREE -type f \( -iname '*.BMP' -o -iname '*.JPG' -o ... \)` with the same seven
// patterns, its output read through a pipe. Prints both for the first run and as the
// median of the following runs, and their ratio; target: at most 3.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "core/state.h"
#include "listeditor/form18.h"
#include "listeditor/form3.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/support/timing.h"

namespace {

constexpr int kTop = 40;             // folders below the tree's top
constexpr int kSub = 49;             // subfolders of each: 40 + 40 x 49 = 2000 folders
constexpr int kFilesPerFolder = 25;  // 50000 files
constexpr int kSteadyRuns = 5;
constexpr double kTarget = 3.0;

// Every other file is a slide by its ending; the rest are not, or not of the opening types.
const char* const kEndings[] = {"jpg", "txt", "png", "doc", "bmp",
                                "tif", "mp4", "dat", "JPG", "xml"};

int MakeTree(const QString& root) {
  int files = 0;
  QByteArray nothing;
  for (int t = 0; t < kTop; ++t) {
    const QString top = root + QStringLiteral("/folder%1").arg(t, 2, 10, QLatin1Char('0'));
    for (int s = -1; s < kSub; ++s) {
      const QString folder =
          s < 0 ? top : top + QStringLiteral("/sub%1").arg(s, 2, 10, QLatin1Char('0'));
      QDir().mkpath(folder);
      for (int f = 0; f < kFilesPerFolder; ++f) {
        QFile file(folder + QStringLiteral("/photo%1.").arg(f, 3, 10, QLatin1Char('0')) +
                   QLatin1String(kEndings[(f + s + t + 1) % 10]));
        if (!file.open(QIODevice::WriteOnly)) return -1;
        ++files;
      }
    }
  }
  return files;
}

double Ms(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  test_support::PrepareBenchProcess(dir);
  QApplication app(argc, argv);
  platform::ScriptedDialogs dialogs;  // a message would be a failure: counted below

  const QString tree = QDir::cleanPath(dir.filePath(QStringLiteral("tree")));
  std::printf("making %d folders with %d files...\n", kTop * (kSub + 1),
              kTop * (kSub + 1) * kFilesPerFolder);
  if (MakeTree(tree) < 0) return 2;

  listeditor::Form3& w = listeditor::form3();
  w.Show();
  w.Dir1.SetPath(tree);
  int found = 0;
  auto search = [&] {
    w.List1.Clear();
    w.List2.Clear();
    // The chooser opens with BMP, JPG, PNG and the movies ticked; "検索開始".
    QTimer::singleShot(0, [] { listeditor::form18().Command3.DoClick(); });
    const double ms = Ms([&] { w.Command8_Click(); });
    found = w.List1.ListCount();
    return ms;
  };
  const QStringList findArgs = [&] {
    QStringList a{tree, QStringLiteral("-type"), QStringLiteral("f"), QStringLiteral("(")};
    bool first = true;
    for (const char* type : {"BMP", "JPG", "PNG", "MP4", "WMV", "MOV", "AVI"}) {
      if (!first) a << QStringLiteral("-o");
      first = false;
      a << QStringLiteral("-iname") << QStringLiteral("*.") + QLatin1String(type);
    }
    return a << QStringLiteral(")");
  }();
  int findLines = 0;
  auto find = [&] {
    return Ms([&] {
      QProcess p;
      p.start(QStringLiteral("find"), findArgs);
      p.waitForFinished(-1);
      findLines = static_cast<int>(p.readAllStandardOutput().count('\n'));
    });
  };

  const double oursFirst = search();
  const double findFirst = find();
  std::vector<double> ours, theirs;
  for (int i = 0; i < kSteadyRuns; ++i) {
    ours.push_back(search());
    theirs.push_back(find());
  }
  const double oursSteady = test_support::Median(ours);
  const double findSteady = test_support::Median(theirs);

  std::printf("found %d (find: %d), pattern %s, messages: %zu\n", found, findLines,
              qPrintable(core::Paths().SearchPattern), dialogs.Calls().size());
  std::printf("%-40s %10s %10s\n", "", "first", "steady");
  std::printf("%-40s %7.1f ms %7.1f ms\n", "picture search into the list", oursFirst, oursSteady);
  std::printf("%-40s %7.1f ms %7.1f ms\n", "find -type f -iname ...", findFirst, findSteady);
  std::printf("%-40s %10.2f %10.2f   (target <= %.0f)\n", "ratio", oursFirst / findFirst,
              oursSteady / findSteady, kTarget);
  const bool ok = found == findLines && found > 0 && dialogs.Calls().empty() &&
                  oursSteady <= kTarget * findSteady;
  std::printf("%s\n", ok ? "target met" : "TARGET MISSED");
  return ok ? 0 : 1;
}
