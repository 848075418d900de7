// Times the slideshow file's writer and reader on 30000 slides with schedules, against a
// conversion of the same file from CP932 to UTF-8 by iconv's library call, in this same
// process (the file read included, no process start).
//
//   build/bench/bench_slideshow_file [slides] [rounds]

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "core/form1.h"
#include "core/slideshow_file.h"
#include "core/startup.h"
#include "core/state.h"
#include "listeditor/form3.h"
#include "mainwindow/mainwindow.h"
#include "platform/appfolder.h"
#include "platform/dialogs.h"
#include "tests/support/iconv.h"
#include "tests/support/timing.h"

namespace {

using test_support::Median;

// One conversion of the file by iconv, in milliseconds: read, converted, the result
// dropped.
double IconvMs(const QString& path) {
  QElapsedTimer t;
  t.start();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  const std::optional<QByteArray> out = test_support::Iconv("UTF-8", "CP932", file.readAll());
  const double ms = t.nsecsElapsed() / 1e6;
  if (!out) {
    std::fprintf(stderr, "iconv failed\n");
    return -1;
  }
  return ms;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir dataHome;
  qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
  QApplication app(argc, argv);
  mainwindow::Register();
  const int slides = argc > 1 ? std::atoi(argv[1]) : 30000;
  const int rounds = std::max(2, argc > 2 ? std::atoi(argv[2]) : 11);

  // The program's main window as start-up leaves it; no dialog may open.
  platform::SetDialogResponder(
      [](const platform::DialogCall&) { return platform::DialogAnswer{}; });
  core::SetProgramEndHandler([](core::ProgramEnd) {});
  core::TitlePanelTestHooks().holdSeconds = 0;
  core::Flags().TitlePanelDone = 1;
  core::form1();

  QStringList paths, records;
  paths.reserve(slides);
  records.reserve(slides);
  for (int i = 0; i < slides; ++i) {
    paths << QStringLiteral("/home/利用者/写真/%1年/旅行の思い出/写真%2.jpg")
                 .arg(2000 + i % 25)
                 .arg(i, 5, 10, QLatin1Char('0'));
    records << (i % 3 == 0 ? QStringLiteral("2024/%1/0109:002025/12/3118:30")
                                 .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                           : QString(30, QLatin1Char(' ')));
  }
  listeditor::Form3& editor = listeditor::form3();
  editor.List1.SetItems(paths);
  editor.List2.SetItems(records);
  core::Settings().SlideIntervalSeconds = 3;
  core::Settings().DefaultSoundFile = QStringLiteral("*.wav");

  QTemporaryDir dir;
  const QString file = dir.path() + QStringLiteral("/大きな.kvz");
  std::vector<double> saves, loads, iconvs;
  for (int r = 0; r < rounds; ++r) {
    QString path = file;
    QElapsedTimer t;
    t.start();
    core::SaveSlideshowFile(path);
    saves.push_back(t.nsecsElapsed() / 1e6);

    core::Paths().OpenedFileFolder = dir.path() + QLatin1Char('/');
    t.restart();
    core::LoadSlideshowFile(path);
    loads.push_back(t.nsecsElapsed() / 1e6);

    iconvs.push_back(IconvMs(path));
  }
  if (editor.List1.ListCount() != slides || core::Lists().SlideEndIndex != slides + 1) {
    std::fprintf(stderr, "the file did not read back whole\n");
    return 1;
  }

  std::printf("slideshow file of %d slides with schedules: %lld bytes\n", slides,
              static_cast<long long>(QFileInfo(file).size()));
  // The first round pays for fresh memory and cold code on both sides; the rest are steady.
  const auto steady = [](const std::vector<double>& v) {
    return Median(std::vector<double>(v.begin() + 1, v.end()));
  };
  const double conv0 = iconvs.front(), conv = steady(iconvs);
  std::printf("           first run                     steady (median of %d)     target <= 3x\n",
              rounds - 1);
  std::printf("write  %8.1f ms (%.2fx iconv)     %8.1f ms (%.2fx iconv)\n", saves.front(),
              saves.front() / conv0, steady(saves), steady(saves) / conv);
  std::printf("read   %8.1f ms (%.2fx iconv)     %8.1f ms (%.2fx iconv)\n", loads.front(),
              loads.front() / conv0, steady(loads), steady(loads) / conv);
  std::printf("iconv  %8.1f ms                   %8.1f ms   (the library call in this process)\n",
              conv0, conv);
  return 0;
}
