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

EffectCanvas::~EffectCanvas() { DrawPending(); }

void EffectCanvas::Draw(double x, double y, double w, double h) { DrawAs(side, x, y, w, h); }

void EffectCanvas::DrawAs(EffectSide drawSide, double x, double y, double w, double h) {
  QRect step(RoundCoordinate(x), RoundCoordinate(y), RoundCoordinate(w), RoundCoordinate(h));
  ++steps_;
  ++stepsSincePause_;
  // On the visible surface, inside the picture or not: only steps off the screen are
  // passed over.
  if (surface != nullptr && step.translated(origin).intersects(surface->rect()))
    visibleSincePause_ = true;
  if (Closed() || surface == nullptr || surface->isNull()) return;
  if (drawSide == EffectSide::Erase) {
    Fill(step.translated(origin), qRgb(0, 0, 0));
  } else if (source != nullptr && !source->isNull()) {
    // Only the part of the rectangle inside the picture is copied.
    QRect picture(0, 0, std::min<int>(RoundCoordinate(width), source->width()),
                  std::min<int>(RoundCoordinate(height), source->height()));
    const QRect to = step.intersected(picture).translated(origin);
    if (pictureInPlace) {
      MarkDirty(to.intersected(surface->rect()));
    } else {
      Gather(false, 0, to);
    }
  }
  if (onStep) {
    // An observer sees the step on the surface.
    DrawPending();
    onStep(step);
  }
}

void EffectCanvas::Fill(const QRect& surfaceRect, QRgb colour) {
  if (Closed() || surface == nullptr || surface->isNull()) return;
  pictureInPlace = false;
  Gather(true, colour | 0xff000000u, surfaceRect);
}

void EffectCanvas::Gather(bool fill, QRgb colour, const QRect& to) {
  const QRect r = to.intersected(surface->rect());
  if (r.isEmpty()) return;
  if (pending_.empty() || pending_.back().fill != fill || pending_.back().colour != colour)
    pending_.push_back({fill, colour, QRegion()});
  pending_.back().region += r;
  MarkDirty(r);
  // A region of many scattered rectangles (mosaic blocks) grows dear to unite.
  if (++pendingRects_ >= 256) DrawPending();
}

void EffectCanvas::DrawPending() {
  std::vector<PendingRun> runs;
  runs.swap(pending_);
  pendingRects_ = 0;
  if (runs.empty() || Closed() || surface == nullptr || surface->isNull()) return;
  for (const PendingRun& run : runs) DrawRun(run);
}

void EffectCanvas::DrawRun(const PendingRun& run) {
  const bool direct = Is32Bit(surface->format()) &&
                      (run.fill || (source != nullptr && surface->format() == source->format()));
  if (!direct) {
    QPainter painter(surface);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    for (const QRect& r : run.region) {
      if (run.fill) {
        painter.fillRect(r, QColor(run.colour));
      } else {
        painter.drawImage(r.topLeft(), *source, r.translated(-origin));
      }
    }
    return;
  }
  const qsizetype dstStride = surface->bytesPerLine();
  const qsizetype srcStride = run.fill ? 0 : source->bytesPerLine();
  // Taken once: bits() checks for sharing on every call.
  uchar* const dstBits = surface->bits();
  const uchar* const srcBits = run.fill ? nullptr : source->constBits();
  // The region's rectangles come in bands of equal rows, left to right: each band is
  // drawn row by row across all its rectangles.
  auto it = run.region.begin();
  const auto end = run.region.end();
  while (it != end) {
    auto bandEnd = it;
    while (bandEnd != end && bandEnd->top() == it->top() && bandEnd->height() == it->height())
      ++bandEnd;
    for (int y = it->top(); y <= it->bottom(); ++y) {
      uchar* dstLine = dstBits + y * dstStride;
      for (auto r = it; r != bandEnd; ++r) {
        auto* dst = reinterpret_cast<quint32*>(dstLine) + r->x();
        if (run.fill) {
          std::fill(dst, dst + r->width(), static_cast<quint32>(run.colour));
        } else {
          const uchar* src = srcBits + (y - origin.y()) * srcStride +
                             static_cast<qsizetype>(r->x() - origin.x()) * 4;
          std::memcpy(dst, src, static_cast<size_t>(r->width()) * 4);
        }
      }
    }
    it = bandEnd;
  }
}

void EffectCanvas::MarkDirty(const QRect& r) { dirty_ = dirty_.united(r); }

void EffectCanvas::FlushRepaint() {
  DrawPending();
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
  lastEvents_ = Now();
}

void EffectCanvas::StepEvents() {
  const auto interval = Pacing().stepEventInterval;
  if (interval.count() > 0 && Now() - lastEvents_ < interval) return;
  ProcessNow();
}

void EffectCanvas::PauseEvents() { ProcessNow(); }

std::chrono::steady_clock::time_point EffectCanvas::Now() const {
  return Pacing().now ? Pacing().now() : std::chrono::steady_clock::now();
}

bool EffectCanvas::WaitsNow() {
  // A pause with no step since the one before goes as that one went.
  if (stepsSincePause_ > 0) waits_ = visibleSincePause_;
  stepsSincePause_ = 0;
  visibleSincePause_ = false;
  return waits_;
}

void EffectCanvas::WaitUntilDue(bool testFirst) {
  for (;;) {
    if (testFirst && Stopped()) return;
    const auto now = Now();
    if (now >= due_) {
      // Late: no wait, and events only as often as the steps ask for them.
      StepEvents();
      return;
    }
    ProcessNow();
    if (!testFirst && Stopped()) return;
    const auto after = Now();
    if (after >= due_) return;
    // The rounds of the next millisecond are waited out in one sleep; events come again
    // after it, so a click ends the pause within about a millisecond.
    const auto until = std::min(due_, after + std::chrono::milliseconds(1));
    if (Pacing().sleepUntil) {
      Pacing().sleepUntil(until);
    } else {
      std::this_thread::sleep_until(until);
    }
  }
}

void EffectCanvas::PauseRounds(double n, bool testFirst) {
  // Rounds k = 1, 2, ... run while k <= n.
  if (!(n >= 1.0)) return;
  const double rounds = std::floor(std::min(n, 1e12) + 1e-6);
  const auto slot = Pacing().roundSlot;
  if (slot.count() <= 0 || !WaitsNow()) {
    // No time to wait out: one round's events stand for the pause.
    if (testFirst && Stopped()) return;
    StepEvents();
    return;
  }
  if (!paced_) {
    paced_ = true;
    due_ = Now();
  }
  due_ +=
      std::chrono::nanoseconds(static_cast<long long>(rounds * static_cast<double>(slot.count())));
  ++waitedPauses_;
  WaitUntilDue(testFirst);
}

void EffectCanvas::Sleep(int ms) {
  if (!Pacing().fixedSleeps || ms <= 0 || !WaitsNow()) return;
  if (!paced_) {
    paced_ = true;
    due_ = Now();
  }
  due_ += std::chrono::milliseconds(ms);
  ++waitedPauses_;
  if (Now() >= due_) return;
  if (Pacing().sleepUntil) {
    Pacing().sleepUntil(due_);
  } else {
    std::this_thread::sleep_until(due_);
  }
}

}  // namespace engine
