#pragma once
// What the timing programs under bench/ share: medians of runs, and the one offscreen
// monitor they measure on.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace test_support {

inline double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// The median time of `work` over `runs` runs, in milliseconds; `prepare` runs before each
// and is not timed.
inline double MedianMs(int runs, const std::function<void()>& prepare,
                       const std::function<void()>& work) {
  using Clock = std::chrono::steady_clock;
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    prepare();
    const auto t0 = Clock::now();
    work();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
  }
  return Median(ms);
}

inline double MedianMs(int runs, const std::function<void()>& work) {
  return MedianMs(
      runs, [] {}, work);
}

// One offscreen monitor of 1920 x 1080 for the QApplication made next, unless the caller's
// environment names a platform; its screen file goes in `dir`.
inline void UseOneOffscreenMonitor(const QTemporaryDir& dir) {
  const QString config = dir.filePath(QStringLiteral("screens.json"));
  {
    QFile f(config);
    f.open(QIODevice::WriteOnly);
    f.write(R"({"screens":[{"name":"A","x":0,"y":0,"width":1920,"height":1080}]})");
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toUtf8());
}

// A data folder of its own under `dir` and one offscreen monitor, for the QApplication
// made next.
inline void PrepareBenchProcess(const QTemporaryDir& dir) {
  qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toUtf8());
  UseOneOffscreenMonitor(dir);
}

// The picture the timing programs draw: neighbouring pixels differ, so no copy is cheap.
inline QImage TestPattern(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
  }
  return img;
}

// A value of /proc/self/status in kB ("VmHWM", "VmRSS"); -1 when it cannot be read.
inline long StatusKb(const char* key) {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  const QByteArray prefix = QByteArray(key) + ':';
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().split(' ')[0].toLong();
  }
  return -1;
}

// A photograph-like picture: smooth colour fields with fine grain, so that the coders work
// as hard as on a real photograph.
inline QImage MakePhoto(int w, int h) {
  QImage img(w, h, QImage::Format_RGB32);
  QRandomGenerator grain(42);
  for (int y = 0; y < h; ++y) {
    auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
    for (int x = 0; x < w; ++x) {
      const int n = static_cast<int>(grain.bounded(24)) - 12;
      line[x] = qRgb(std::clamp(x * 255 / w + n, 0, 255), std::clamp(y * 255 / h + n, 0, 255),
                     std::clamp((x + y) * 255 / (w + h) + 128 + n, 0, 255));
    }
  }
  return img;
}

}  // namespace test_support
