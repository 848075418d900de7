// The canvas of one running effect: block copies, black fills, pauses and the stop test.
#include <QCoreApplication>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <thread>

#include "engine/effects.h"
#include "platform/vberror.h"

namespace engine {

namespace {

EffectPacing& Pacing() {
  static EffectPacing pacing = EffectPacing::Default();
  return pacing;
}

// Rounds a coordinate halves to even, kept inside the int range (a coordinate far off
// the surface draws nothing either way).
int RoundCoordinate(double v) {
  double r = platform::RoundHalfEven(v);
  if (!(r > -1e9)) return -1000000000;
  if (r > 1e9) return 1000000000;
  return static_cast<int>(r);
}

bool Is32Bit(QImage::Format f) {
  return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32 ||
         f == QImage::Format_ARGB32_Premultiplied;
}

}  // namespace

void SetEffectPacing(const EffectPacing& pacing) { Pacing() = pacing; }
const EffectPacing& CurrentEffectPacing() { return Pacing(); }

bool EffectCanvas::Closed() const { return surfaceClosed && surfaceClosed(); }

bool EffectCanvas::Stopped() const { return (stopRequested && stopRequested()) || Closed(); }

double EffectCanvas::Random() { return random ? random() : 0.0; }

void EffectCanvas::Draw(double x, double y, double w, double h) { DrawAs(side, x, y, w, h); }

void EffectCanvas::DrawAs(EffectSide drawSide, double x, double y, double w, double h) {
  QRect step(RoundCoordinate(x), RoundCoordinate(y), RoundCoordinate(w), RoundCoordinate(h));
  ++steps_;
  if (Closed() || surface == nullptr || surface->isNull()) return;
  if (drawSide == EffectSide::Erase) {
    Fill(step.translated(origin), qRgb(0, 0, 0));
  } else if (source != nullptr && !source->isNull()) {
    // Only the part of the rectangle inside the picture is copied.
    QRect picture(0, 0, std::min<int>(RoundCoordinate(width), source->width()),
                  std::min<int>(RoundCoordinate(height), source->height()));
    QRect from = step.intersected(picture);
    QRect to = from.translated(origin).intersected(surface->rect());
    if (!to.isEmpty()) {
      from = to.translated(-origin);
      if (surface->format() == source->format() && Is32Bit(surface->format())) {
        const int bytes = to.width() * 4;
        const qsizetype srcStride = source->bytesPerLine();
        const qsizetype dstStride = surface->bytesPerLine();
        const uchar* src = source->constBits() + from.y() * srcStride + from.x() * 4;
        uchar* dst = surface->bits() + to.y() * dstStride + to.x() * 4;
        for (int row = 0; row < to.height(); ++row) {
          std::memcpy(dst, src, bytes);
          src += srcStride;
          dst += dstStride;
        }
      } else {
        QPainter painter(surface);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to.topLeft(), *source, from);
      }
      MarkDirty(to);
    }
  }
  if (onStep) onStep(step);
}

void EffectCanvas::Fill(const QRect& surfaceRect, QRgb colour) {
  if (Closed() || surface == nullptr || surface->isNull()) return;
  QRect to = surfaceRect.intersected(surface->rect());
  if (to.isEmpty()) return;
  if (Is32Bit(surface->format())) {
    const qsizetype stride = surface->bytesPerLine();
    uchar* line = surface->bits() + to.y() * stride;
    const quint32 value = colour | 0xff000000u;
    for (int row = 0; row < to.height(); ++row, line += stride) {
      auto* px = reinterpret_cast<quint32*>(line) + to.x();
      std::fill(px, px + to.width(), value);
    }
  } else {
    QPainter painter(surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(to, QColor(colour));
  }
  MarkDirty(to);
}

void EffectCanvas::MarkDirty(const QRect& r) { dirty_ = dirty_.united(r); }

void EffectCanvas::FlushRepaint() {
  if (dirty_.isEmpty()) return;
  const QRect region = dirty_;
  dirty_ = QRect();
  if (repaint && !Closed()) repaint(region);
}

void EffectCanvas::ProcessNow() {
  FlushRepaint();
  if (processEvents) {
    processEvents();
  } else {
    QCoreApplication::processEvents();
  }
  lastEvents_ = std::chrono::steady_clock::now();
}

void EffectCanvas::StepEvents() {
  const auto interval = Pacing().stepEventInterval;
  if (interval.count() > 0 && std::chrono::steady_clock::now() - lastEvents_ < interval) return;
  ProcessNow();
}

void EffectCanvas::PauseEvents() { ProcessNow(); }

void EffectCanvas::PauseRounds(double n, bool testFirst) {
  // Rounds k = 1, 2, ... run while k <= n.
  if (!(n >= 1.0)) return;
  const double rounds = std::floor(std::min(n, 1e12) + 1e-6);
  const auto slot = Pacing().roundSlot;
  if (slot.count() <= 0) {
    // No time to wait out: one round's events stand for the pause.
    if (testFirst && Stopped()) return;
    StepEvents();
    return;
  }
  const auto start = std::chrono::steady_clock::now();
  const auto end = start + std::chrono::nanoseconds(
                               static_cast<long long>(rounds * static_cast<double>(slot.count())));
  for (;;) {
    if (testFirst && Stopped()) return;
    ProcessNow();
    if (!testFirst && Stopped()) return;
    const auto now = std::chrono::steady_clock::now();
    if (now >= end) return;
    // The rounds of the next millisecond are waited out in one sleep; events come again
    // after it, so a click ends the pause within about a millisecond.
    std::this_thread::sleep_until(std::min(end, now + std::chrono::milliseconds(1)));
  }
}

void EffectCanvas::Sleep(int ms) {
  if (!Pacing().fixedSleeps || ms <= 0) return;
  if (sleep) {
    sleep(ms);
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  }
}

}  // namespace engine
