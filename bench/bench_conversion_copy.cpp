// Times the conversion copy of 50 photographs of 6000 x 4000 (baseline JPEG, quality 90) to
// JPEGs that fit 1920 x 1080, as the conversion copy window runs it ("JPG", "縮小（1920×1080）",
// "すべて上書き"), and next to it ImageMagick doing the same work on the same files in the
// same run: `convert -define jpeg:size=1920x1080 IN -resize 1920x1080 -quality 90 OUT`, one
// process a file as a user would run it (the size hint is the box, so ImageMagick too decodes
// at the smallest reduced scale that still covers it, 1/2 here). Prints the time per picture of
// both and the ratio; target: at most 1 (the imaging control decodes the JPEGs at a reduced scale).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "core/state.h"
#include "listeditor/form16.h"
#include "listeditor/form3.h"
#include "mainwindow/mainwindow.h"
#include "platform/dialogs.h"
#include "platform/events.h"
#include "tests/support/timing.h"

namespace {

using test_support::MakePhoto;
constexpr int kPictures = 50;
constexpr int kRounds = 2;

double SecondsOf(const std::function<void()>& work) {
  const auto t0 = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  QTemporaryDir dir;
  test_support::UseOneOffscreenMonitor(dir);
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  QApplication app(argc, argv);
  mainwindow::Register();
  platform::ScriptedDialogs dialogs;  // a question would be a failure: counted below

  std::printf("making %d photographs of 6000 x 4000 (JPEG, quality 90)...\n", kPictures);
  const QString in = dir.filePath(QStringLiteral("in"));
  const QString ours = dir.filePath(QStringLiteral("ours"));
  const QString theirs = dir.filePath(QStringLiteral("theirs"));
  for (const QString& folder : {in, ours, theirs}) QDir().mkpath(folder);
  const QString first = QDir(in).filePath(QStringLiteral("photo01.jpg"));
  if (!MakePhoto(6000, 4000).save(first, "JPEG", 90)) return 2;
  QStringList files{first};
  for (int i = 2; i <= kPictures; ++i) {
    const QString path =
        QDir(in).filePath(QStringLiteral("photo%1.jpg").arg(i, 2, 10, QChar(u'0')));
    QFile::copy(first, path);
    files << path;
  }

  // The slide list with every picture selected, and the window set as a user sets it.
  listeditor::Form3& editor = listeditor::form3();
  for (int i = 0; i < files.size(); ++i) {
    editor.List1.AddItem(files[i]);
    editor.List2.AddItem(QString(30, u' '));
    editor.List1.SetSelected(i, true);
  }
  listeditor::Form16& window = listeditor::form16();
  window.JPEG.SetValue(true);
  window.Check2(1).SetValue(1);
  window.Check1.SetValue(1);
  window.Text1.SetText(ours);

  auto convertAll = [&] {
    for (const QString& file : files) {
      QProcess::execute(
          QStringLiteral("convert"),
          {QStringLiteral("-define"), QStringLiteral("jpeg:size=1920x1080"), file,
           QStringLiteral("-resize"), QStringLiteral("1920x1080"), QStringLiteral("-quality"),
           QStringLiteral("90"), QDir(theirs).filePath(QFileInfo(file).fileName())});
    }
  };

  double oursBest = 1e9, theirsBest = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    oursBest = std::min(oursBest, SecondsOf([&] { window.Command1_Click(); }));
    theirsBest = std::min(theirsBest, SecondsOf(convertAll));
  }

  const QSize oursSize = QImageReader(QDir(ours).filePath(QStringLiteral("photo01.jpg"))).size();
  const QSize theirsSize =
      QImageReader(QDir(theirs).filePath(QStringLiteral("photo01.jpg"))).size();
  const int written = static_cast<int>(QDir(ours).entryList(QDir::Files).size());
  const double oursMs = oursBest * 1000 / kPictures;
  const double theirsMs = theirsBest * 1000 / kPictures;
  std::printf("written %d of %d, %d x %d (convert: %d x %d), questions asked: %zu\n", written,
              kPictures, oursSize.width(), oursSize.height(), theirsSize.width(),
              theirsSize.height(), dialogs.Calls().size());
  std::printf("%-44s %8.1f ms\n", "conversion copy, per picture (best of 2)", oursMs);
  std::printf("%-44s %8.1f ms\n", "convert -define jpeg:size, per picture", theirsMs);
  std::printf("%-44s %8.2f   (target <= 1)\n", "ratio", oursMs / theirsMs);
  const bool ok = written == kPictures && dialogs.Calls().empty() && oursMs <= theirsMs;
  std::printf("%s\n", ok ? "target met" : "TARGET MISSED");
  return ok ? 0 : 1;
}
